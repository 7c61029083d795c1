// The About box: the engine's and the product's notices, a Close button and a support
// mail link.
#pragma once

#include "core/system.hpp"

namespace pv {

class About1 final : public SystemForm {
 public:
  explicit About1(System& system);

  void Form_Load() override;
  void Command1_Click();
  void hmi_about_exit_Click();
  void Command3_Click();

  // Controls, in the order of the window's description (the first on top).
  CommandButton Command1{"Command1"};
  Frame Frame1{"Frame1"};
  CommandButton hmi_about_exit{"hmi_about_exit"};
  Label Label5{"Label5"}, Label4{"Label4"}, Label3{"Label3"}, Label2{"Label2"};
  CommandButton Command3{"Command3"};
};

// The maker's support address and the publisher's web address (our own invented values).
inline constexpr const char* kSupportAddress = "support@pelmabooks.example";
inline constexpr const char* kPublisherSite = "www.pelmabooks.example";

}  // namespace pv
