// The window model as the page draws it: every visible window with its controls, menus and
// state, the open message and input boxes, and the screen's pointer. Engine thread only.
#pragma once

#include <nlohmann/json.hpp>

namespace pv {

class FormRegistry;
class Screen;
class DesktopDialogs;

// Positions and sizes stay in twips; colours are "#rrggbb". Each control carries its
// position `i` in its window's control list, which input events use to name it.
nlohmann::json snapshot_json(const FormRegistry& forms, const Screen& screen,
                             const DesktopDialogs* dialogs);

}  // namespace pv
