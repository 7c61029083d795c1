#include "platform/web_browser.hpp"

#include "platform/errors.hpp"

namespace pv {

void HtmlDocument::open() {
  html_.clear();
  fields_.clear();
  on_click.clear();
  ++generation_;
}

void HtmlDocument::write(std::string_view html) {
  html_ += html;
}

void HtmlDocument::set_mark(size_t i, bool checked, std::string value) {
  if (i >= fields_.size()) raise_error(9);
  fields_[i].checked = checked;
  fields_[i].value = std::move(value);
  ++marks_generation_;
}

void WebBrowser::click_element(const std::string& id) {
  const auto it = document.on_click.find(id);
  if (it == document.on_click.end()) return;
  const Handler handler = it->second;  // the handler may rewrite the document
  fire(handler);
}

}  // namespace pv
