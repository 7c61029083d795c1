// The window model as the page draws it: every visible window with its controls, menus and
// state, the open message and input boxes, and the screen's pointer. Engine thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace pv {

class Control;
class Form;
class FormRegistry;
class Screen;
class DesktopDialogs;

// Positions and sizes stay in twips; colours are "#rrggbb". Each control carries its
// position `i` in its window's control list, which input events use to name it.
nlohmann::json snapshot_json(const FormRegistry& forms, const Screen& screen,
                             const DesktopDialogs* dialogs);
// The same state without its windows: the screen, the pointer and the open boxes.
nlohmann::json snapshot_rest(const Screen& screen, const DesktopDialogs* dialogs);

// The state kept from one publish to the next. Each window's own properties and each of
// its controls are compared with the last publish as cheap bytes; only the members whose
// bytes changed are built again and compared as JSON: a Next rebuilds the few members
// it touched.
class SnapshotKeeper {
 public:
  SnapshotKeeper();
  ~SnapshotKeeper();
  // Brings the state up to the visible windows of `forms` and `rest` (the members of the
  // state other than "windows"). Returns the changes from the last state as state_patch
  // gives them (empty when nothing changed), or null for the first state.
  nlohmann::json update(const FormRegistry& forms, nlohmann::json rest);
  // Writes the whole state as JSON text; it holds only what later updates leave alone, so
  // it may run on another thread.
  std::function<std::string()> writer() const;
  // The whole state.
  nlohmann::json tree() const;

 private:
  struct Kept;
  struct Window;
  struct Published;
  template <class Fill, class Path>
  void renew(Kept& kept, const Fill& fill, const Path& path, nlohmann::json* changes);
  void refresh(Window& w, const Form& f, size_t at, nlohmann::json* changes);
  nlohmann::json windows_change(const std::vector<bool>& kept) const;

  std::vector<Window> windows_;
  std::shared_ptr<const nlohmann::json> rest_;
  std::shared_ptr<const Published> published_;
  std::unique_ptr<Kept> scratch_;  // the bytes of the part being compared
};

}  // namespace pv
