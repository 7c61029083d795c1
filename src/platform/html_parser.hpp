// A tolerant reader of the pages the program writes into its browser control. It keeps
// what the program asks of a page: its forms, its form fields with their checked state and
// value, and its elements by id, in document order. Like a browser it takes any text:
// unquoted or run-together attributes, tags in any case, raw-text script and style, stray
// end tags. It keeps no element tree and runs no script: nothing the program reads depends
// on nesting, so none is built.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pv {

// A form field, or another element with an id.
struct HtmlElement {
  std::string tag;  // lower case
  std::string id;
  std::string name;
  // Fields: the type a browser reports ("text" for an input of unknown type,
  // "select-one", "select-multiple", "textarea"); empty for other elements.
  std::string type;
  // Fields: what the field holds (a check box or radio button: its value, "on" without one).
  std::string value;
  bool checked = false;
  int form = -1;        // index of the form that owns the field, -1 for none
  size_t position = 0;  // where its tag starts in the page

  // A check box or radio button: its checked state is what the user marks.
  bool holds_mark() const { return type == "checkbox" || type == "radio"; }
};

struct HtmlForm {
  std::string name;
  std::string id;
};

struct HtmlDom {
  std::vector<HtmlElement> fields;    // inputs, selects and text areas, in document order
  std::vector<HtmlElement> elements;  // every other element with an id, in document order
  std::vector<HtmlForm> forms;
};

// A form owns every field after its start tag until its end tag or the end of the page; a
// form started inside another is ignored, as browsers do. Of several checked radio buttons
// of one group the last stays checked.
HtmlDom parse_html(std::string_view html);

// Leaves at most one radio button of each group (same form, same name) checked: the last.
void keep_last_checked(HtmlDom& dom);

// The value a field of this type takes when given `text`: a single-line field drops line
// breaks, as in a browser.
std::string field_value(std::string_view type, std::string text);

// Text to write into a page, as content or as a quoted attribute value: "&", "<", ">", both
// quotes and the control characters as references, which parse_html reads back as `text`.
std::string html_escaped(std::string_view text);

}  // namespace pv
