// The platform pieces a window needs, on a virtual clock, for tests of the platform itself
// (system windows are tested through TestProgram): boxes shown on the desktop, and the
// user's input.
#pragma once

#include <functional>
#include <memory>

#include "platform/dialogs.hpp"
#include "platform/event_loop.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/user_input.hpp"
#include "support/fake_services.hpp"

namespace pv::testing {

struct FakeDesktop {
  // Defines window T, built from the registry alone.
  template <class T>
  T& define_and_get() {
    forms.define<T>([this] { return std::make_unique<T>(forms); });
    return forms.get<T>();
  }

  // A user's action, carried out through the event loop as the front-end's events are.
  void user(const std::function<void(UserInput&)>& act) {
    loop.post([this, &act] { act(input); });
    loop.do_events();
  }

  FakeClock clock;
  EventLoop loop{clock, false};
  Screen screen{1920, 1080};
  TableTextMeasure measure;
  FormRegistry forms{loop, screen, measure};
  DesktopDialogs dialogs{loop, kProgramTitle};
  UserInput input{forms, &dialogs};
};

}  // namespace pv::testing
