// The platform pieces a window needs, on a virtual clock, for tests of the platform itself
// (system windows are tested through TestProgram).
#pragma once

#include "platform/event_loop.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "support/fake_services.hpp"

namespace pv::testing {

struct FakeDesktop {
  FakeDesktop() { loop.attach(forms); }
  // Defines window T, built from the registry alone.
  template <class T>
  T& define_and_get() {
    forms.define<T>([this] { return std::make_unique<T>(forms); });
    return forms.get<T>();
  }

  FakeClock clock;
  EventLoop loop{clock, false};
  Screen screen;
  TableTextMeasure measure;
  FormRegistry forms{loop, screen, measure};
};

}  // namespace pv::testing
