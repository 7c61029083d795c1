// Decodes the page's input events (see page/wire.md) and carries each out through the
// platform's user input. Decoding runs on the HTTP thread, so a malformed event is refused
// before it is queued; carrying out runs on the engine thread only. What an event does to
// the windows is the platform's to decide.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/web_browser.hpp"

namespace pv {

class UserInput;

// An event with a field of the wrong type or out of its range; what() names the field.
struct BadEvent : std::invalid_argument {
  using std::invalid_argument::invalid_argument;
};

// The marks made in the page of one browser control.
struct PageMarks {
  std::string window;
  int control = -1;
  std::string name;
  uint64_t generation = 0;
  std::vector<FieldMark> fields;
};

// One event as the page sent it, every field checked. Absent fields hold their default;
// the optional ones default to the model's own value.
struct InputEvent {
  std::string action;
  std::string page_id;
  std::optional<uint64_t> sequence;
  std::vector<PageMarks> marks;
  std::string window;
  int control = -1;  // -1: the event names no control
  std::string name;
  std::string text;     // typed text, or the text of an answered input box
  std::string element;  // the id of a clicked element of a browser page
  int item = -1;
  int modifiers = 0;
  std::optional<int> value;  // a scroll bar's thumb
  int top_index = 0;
  int tab = -1;
  int key_code = 0;
  int key_ascii = 0;
  int at = 0;
  int length = 0;
  int window_state = -1;
  int box = 0;
  int result = 0;
  int viewport_width = 0, viewport_height = 0;     // pixels
  float left = 0, top = 0, width = 0, height = 0;  // twips
  float x = 0, y = 0;  // the mouse, in twips from the control's top-left corner
  int button = 0;      // the mouse buttons held: 1 left, 2 right
};

// Throws BadEvent for an event that is not an object, of an action the engine does not
// know, with a bad field or without a field its action needs.
InputEvent decode_input(const nlohmann::json& event);

// Carries out one event. An event that names a window, control or box that is no longer
// there is dropped. Run-time errors of the handlers propagate to the event loop, as for
// any event.
void apply_input(const InputEvent& event, UserInput& input);

}  // namespace pv
