// The study saver: full-screen timed questions, or windowed flash cards.
#pragma once

#include "core/system.hpp"

namespace pv {

class Security final : public SystemForm {
 public:
  explicit Security(System& system);
  void Form_Load() override;
  void Form_Unload(int& cancel) override;
  // "Exit" of the flash-card viewer.
  void Command3_Click();

  CommandButton Command3{"Command3"};
};

}  // namespace pv
