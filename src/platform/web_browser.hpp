// The browser control. It holds the document the program writes into it, read into a small
// model (forms, fields with their marks, elements by id) that is the one record of what
// the page holds and what the user marked there; it runs no scripts. The front-end shows
// the document, shows the model's marks whenever the program changes them, and reports the
// user's marks back with the events it delivers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.hpp"
#include "platform/html_parser.hpp"

namespace pv {

class FileSystem;
class Printer;

// One form field of the page as the user left it, as the front-end reports it.
struct FieldMark {
  std::string id;
  std::string name;
  std::string type;  // "checkbox", "radio", "text", ...
  std::string value;
  bool checked = false;
};

// A field of a form: the `index`th field, in document order, whose name (or id) is `name`
// in the form whose name (or id) is `form`. The buttons of a radio group are 0, 1, ...
struct FieldRef {
  std::string_view form;
  std::string_view name;
  size_t index = 0;
};

class HtmlDocument {
 public:
  // Writing a page: open starts a new, empty document; write adds to it (a write to a
  // closed document opens a new one first, as in a browser); close ends it; clear empties
  // the document. Each drops the marks and click handlers of what was there before.
  void clear();
  void open();
  void write(std::string_view html);
  void close() { open_ = false; }
  const std::string& html() const { return html_; }
  // Changes whenever the text changes: the front-end then loads the page again, and marks
  // it reports from an older text are dropped.
  uint64_t generation() const { return generation_; }

  // The model of what was written.
  const std::vector<HtmlElement>& fields() const { return dom().fields; }
  const HtmlElement* element_by_id(std::string_view id) const;  // the first; nullptr: none
  const HtmlElement* field(const FieldRef& ref) const;          // nullptr: none
  // A field's checked state or value; nothing when the page has no such field.
  std::optional<bool> checked(const FieldRef& ref) const;
  std::optional<std::string> value(const FieldRef& ref) const;

  // Marks set by the program (or a test); false when the page has no such field (for
  // set_checked: no such check box or radio button). Checking a radio button unchecks the
  // others of its group.
  bool set_checked(const FieldRef& ref, bool on);
  bool set_value(const FieldRef& ref, std::string text);
  // Changes each time the program changes a mark; the front-end then shows the marks.
  uint64_t marks_generation() const { return marks_generation_; }
  // What the page reports, in its document order: each mark goes to the field with the
  // same name (or id, when it has no name) at the same position among those, when its type
  // agrees. No handler runs.
  void take_marks(const std::vector<FieldMark>& marks);

  // Click handlers of the page's elements, by id. False, and nothing set, when no element
  // of the page has the id; an empty handler removes one.
  bool set_on_click(std::string_view id, Handler handler);
  const std::map<std::string, Handler, std::less<>>& click_handlers() const { return on_click_; }

 private:
  const HtmlDom& dom() const;  // reads what was written since the last read
  HtmlElement* find_field(const FieldRef& ref);

  std::string html_;
  bool open_ = false;
  uint64_t generation_ = 0;
  uint64_t marks_generation_ = 0;
  mutable HtmlDom dom_;
  mutable bool dom_current_ = true;
  std::map<std::string, Handler, std::less<>> on_click_;
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

  // Goes to an address. A file ("FILE://" and its path, or a bare path; "\" is accepted)
  // is read into a new document, anything else gives an empty one. The control is busy
  // until its window's event loop next pumps: the document is then replaced, relative
  // names are read from the file's folder, and on_navigate_complete and
  // on_document_complete run, in this order. A document the program opens meanwhile
  // cancels the navigation. Outside a window it completes at once.
  void navigate(const FileSystem& files, std::string_view address);
  bool busy() const;
  // The address of the last completed navigation.
  const std::string& location_url() const { return location_; }
  Handler on_navigate_complete, on_document_complete;

  // A click on element `id` of the document: runs its handler as an event of the window.
  void click_element(const std::string& id);
  // The print command with its print dialog: the document goes to the printer's dialog.
  void print(Printer& printer) const;

 private:
  struct Navigation {
    std::string address, text, folder;
    uint64_t generation;  // of the document it replaces
  };
  void complete_navigation();

  std::optional<Navigation> navigation_;
  std::string location_;
  // Lets a completion posted to the event loop find out that the control is gone.
  std::shared_ptr<char> alive_ = std::make_shared<char>();
};

}  // namespace pv
