// Decodes the page's input events (see page/wire.md) and carries each out through the
// platform's user input. Engine thread only (the front-end posts each event to the event
// loop). What an event does to the windows is the platform's to decide.
#pragma once

#include <nlohmann/json.hpp>

namespace pv {

class Screen;
class UserInput;

// Carries out one event. An event that names a window, control or box that is no longer
// there, or that is malformed, is dropped. Run-time errors of the handlers propagate to
// the event loop, as for any event.
void apply_input(const nlohmann::json& event, UserInput& input, Screen& screen);

}  // namespace pv
