// The browser control. It holds the document the program writes into it and what the user
// marked in the document's form fields; it runs no scripts. The front-end shows the
// document and reports the user's marks back before each event it delivers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.hpp"

namespace pv {

// One form field of the document as the user left it, in document order.
struct FieldMark {
  std::string id;
  std::string name;
  std::string type;  // "checkbox", "radio", "text", ...
  std::string value;
  bool checked = false;
};

class HtmlDocument {
 public:
  // open/write/close as the program writes a page: open starts a new, empty document.
  void open();
  void write(std::string_view html);
  void close() {}
  const std::string& html() const { return html_; }
  // Changes each time a new document is opened; the front-end reloads the page on it.
  uint64_t generation() const { return generation_; }

  // The document's form fields, as the user last marked them.
  const std::vector<FieldMark>& fields() const { return fields_; }
  // What the page reports: replaces the marks without any handler running.
  void take_marks(std::vector<FieldMark> fields) { fields_ = std::move(fields); }
  // A change of a mark by the program; error 9 for a field that is not there.
  void set_mark(size_t i, bool checked, std::string value);
  // Changes each time the program changes a mark; the front-end then shows the marks.
  uint64_t marks_generation() const { return marks_generation_; }

  // Click handlers of the elements, by element id.
  std::map<std::string, Handler> on_click;

 private:
  std::string html_;
  uint64_t generation_ = 0;
  std::vector<FieldMark> fields_;
  uint64_t marks_generation_ = 0;
};

class WebBrowser : public Control {
 public:
  explicit WebBrowser(std::string name, int index = -1)
      : Control(ControlKind::WebBrowser, std::move(name), index) {
    has_font = false;
  }
  HtmlDocument document;
  // The folder that relative file names in the document are read from.
  std::string base_folder;
  // A click on element `id` of the document: runs its handler as an event of the window.
  void click_element(const std::string& id);
};

}  // namespace pv
