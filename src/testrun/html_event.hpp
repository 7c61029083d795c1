// The page event class: a click in a page calls a procedure of a window by name.
#pragma once

#include <functional>
#include <string>

namespace pv {

class clsHTMLEvent {
 public:
  // The window's by-name call: the procedure's name and its single argument.
  using Window = std::function<void(const std::string& method, std::string& arg)>;

  void Event_Details(Window object, std::string method, std::string arg) {
    CallObject = std::move(object);
    CallMethod = std::move(method);
    CallArg = std::move(arg);
  }
  // What the page calls on a click: the procedure, with the argument.
  void HTML_Event() {
    if (CallObject) CallObject(CallMethod, CallArg);
  }

  Window CallObject;
  std::string CallMethod;
  std::string CallArg;
};

}  // namespace pv
