// The test window.
#pragma once

#include "core/system.hpp"

namespace pv {

class quest final : public SystemForm {
 public:
  explicit quest(System& system) : SystemForm(system, "quest") { design(0, 0, 11970, 8895, ""); }
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;
  // Presents the next question of the running test (the test start calls it for the
  // first). Until the question presentation is built it only counts its calls.
  void show_quest();
  int show_quest_calls = 0;
};

}  // namespace pv
