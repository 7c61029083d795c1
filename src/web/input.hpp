// What the user did in the page, carried out on the window model as the desktop would:
// clicks, typing, list selections, tab and menu picks, moving and closing windows, answers
// to message boxes. Engine thread only (the front-end posts each event to the event loop).
#pragma once

#include <nlohmann/json.hpp>

namespace pv {

class FormRegistry;
class Screen;
class DesktopDialogs;

struct InputTarget {
  FormRegistry& forms;
  Screen& screen;
  DesktopDialogs* dialogs;
};

// Carries out one event. An event that names a window, control or box that is no longer
// there, a control the user cannot reach (hidden, disabled, on another page, beneath an
// open box or a modal window), or that is malformed, is ignored. Run-time errors of the
// handlers propagate to the event loop, as for any event.
void apply_input(const nlohmann::json& event, const InputTarget& target);

}  // namespace pv
