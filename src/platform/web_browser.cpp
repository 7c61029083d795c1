#include "platform/web_browser.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "platform/errors.hpp"
#include "platform/event_loop.hpp"
#include "platform/filesystem.hpp"
#include "platform/form.hpp"
#include "platform/printer.hpp"

namespace pv {
namespace {

// How the page and the model know a field: its name, or its id when it has none.
std::string_view field_key(std::string_view id, std::string_view name) {
  return name.empty() ? id : name;
}

// Unchecks the other buttons of the radio button's group.
void check_only(HtmlDom& dom, const HtmlElement& radio) {
  for (HtmlElement& e : dom.fields)
    if (&e != &radio && e.type == "radio" && e.form == radio.form && e.name == radio.name &&
        !e.name.empty())
      e.checked = false;
}

bool starts_with_nocase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

// "about:blank", "http://..." (a drive letter such as "C:" is not a scheme).
bool has_scheme(std::string_view address) {
  const size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  const std::string_view scheme = address.substr(0, colon);
  return std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '-' || c == '.';
  });
}

// A browser shows a picture file as a page holding just that picture.
bool names_picture(std::string_view path) {
  const size_t dot = path.find_last_of("./\\");
  if (dot == std::string_view::npos || path[dot] != '.') return false;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "gif" || ext == "jpg" || ext == "jpeg" || ext == "png" || ext == "bmp" ||
         ext == "webp" || ext == "ico";
}

// The page of a picture: its file name, relative to its folder, as an address.
std::string picture_page(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::string src;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || c == '-' || c == '.' || c == '_' || c == '~') {
      src += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      src += '%';
      src += kHex[u >> 4];
      src += kHex[u & 15];
    }
  }
  return "<html><body style=\"margin:0\"><img src=\"" + src + "\"></body></html>";
}

}  // namespace

// ---- HtmlDocument ----------------------------------------------------------------------

void HtmlDocument::clear() {
  html_.clear();
  dom_ = HtmlDom();
  dom_current_ = true;
  on_click_.clear();
  ++generation_;
}

void HtmlDocument::open() {
  clear();
  open_ = true;
}

void HtmlDocument::write(std::string_view html) {
  if (!open_) open();
  if (html.empty()) return;
  html_ += html;
  dom_current_ = false;
  ++generation_;
}

const HtmlDom& HtmlDocument::dom() const {
  if (!dom_current_) {
    dom_ = parse_html(html_);
    dom_current_ = true;
  }
  return dom_;
}

const HtmlElement* HtmlDocument::element_by_id(std::string_view id) const {
  if (id.empty()) return nullptr;
  const auto first = [&](const std::vector<HtmlElement>& list) -> const HtmlElement* {
    const auto it = std::find_if(list.begin(), list.end(), [&](auto& e) { return e.id == id; });
    return it == list.end() ? nullptr : &*it;
  };
  const HtmlElement* field = first(dom().fields);
  const HtmlElement* other = first(dom().elements);
  if (field == nullptr || other == nullptr) return field != nullptr ? field : other;
  return field->position < other->position ? field : other;
}

const HtmlElement* HtmlDocument::field(const FieldRef& ref) const {
  const HtmlDom& d = dom();
  const auto named = [&](const HtmlForm& f) { return f.name == ref.form; };
  auto form = std::find_if(d.forms.begin(), d.forms.end(), named);
  if (form == d.forms.end())
    form = std::find_if(d.forms.begin(), d.forms.end(),
                        [&](const HtmlForm& f) { return !f.id.empty() && f.id == ref.form; });
  if (form == d.forms.end()) return nullptr;
  const int owner = static_cast<int>(form - d.forms.begin());
  size_t seen = 0;
  for (const HtmlElement& e : d.fields)
    if (e.form == owner && (e.name == ref.name || e.id == ref.name) && seen++ == ref.index)
      return &e;
  return nullptr;
}

HtmlElement* HtmlDocument::find_field(const FieldRef& ref) {
  return const_cast<HtmlElement*>(std::as_const(*this).field(ref));
}

std::optional<bool> HtmlDocument::checked(const FieldRef& ref) const {
  const HtmlElement* e = field(ref);
  if (e == nullptr) return std::nullopt;
  return e->checked;
}

std::optional<std::string> HtmlDocument::value(const FieldRef& ref) const {
  const HtmlElement* e = field(ref);
  if (e == nullptr) return std::nullopt;
  return e->value;
}

bool HtmlDocument::set_checked(const FieldRef& ref, bool on) {
  HtmlElement* e = find_field(ref);
  if (e == nullptr || !e->holds_mark()) return false;
  e->checked = on;
  if (on && e->type == "radio") check_only(dom_, *e);
  ++marks_generation_;
  return true;
}

bool HtmlDocument::set_value(const FieldRef& ref, std::string text) {
  HtmlElement* e = find_field(ref);
  if (e == nullptr) return false;
  e->value = field_value(e->type, std::move(text));
  ++marks_generation_;
  return true;
}

void HtmlDocument::take_marks(const std::vector<FieldMark>& marks) {
  dom();
  std::vector<HtmlElement>& fields = dom_.fields;
  std::map<std::string_view, std::vector<HtmlElement*>> ours;
  for (HtmlElement& e : fields) ours[field_key(e.id, e.name)].push_back(&e);
  std::map<std::string_view, size_t> seen;
  for (const FieldMark& m : marks) {
    const std::string_view key = field_key(m.id, m.name);
    const size_t position = seen[key]++;
    const auto it = ours.find(key);
    if (it == ours.end() || position >= it->second.size()) continue;
    HtmlElement& e = *it->second[position];
    if (e.type != m.type) continue;  // the page and the model disagree on this field
    if (e.holds_mark())
      e.checked = m.checked;
    else
      e.value = field_value(e.type, m.value);
  }
  keep_last_checked(dom_);
}

bool HtmlDocument::set_on_click(std::string_view id, Handler handler) {
  if (element_by_id(id) == nullptr) return false;
  if (handler) {
    on_click_.insert_or_assign(std::string(id), std::move(handler));
  } else if (const auto it = on_click_.find(id); it != on_click_.end()) {
    on_click_.erase(it);
  }
  return true;
}

// ---- WebBrowser ------------------------------------------------------------------------

void WebBrowser::navigate(const FileSystem& files, std::string_view address) {
  Navigation n{std::string(address), {}, base_folder, document.generation()};
  const bool file_address = starts_with_nocase(address, "file://");
  const std::string_view path = file_address ? address.substr(7) : address;
  if (file_address || !has_scheme(address)) {
    try {
      if (names_picture(path))
        n.text = picture_page(path);
      else if (files.exists(path))
        n.text = files.read_all(path);
      n.folder = folder_of(files.resolve(path));
    } catch (const RuntimeError&) {
      n.text.clear();  // an unreadable file shows as an empty page
    }
  }
  navigation_ = std::move(n);
  if (form() == nullptr) return complete_navigation();
  form()->forms().loop().post([this, alive = std::weak_ptr<char>(alive_)] {
    if (!alive.expired()) complete_navigation();
  });
}

bool WebBrowser::busy() const {
  return navigation_ && navigation_->generation == document.generation();
}

void WebBrowser::complete_navigation() {
  if (!busy()) {
    navigation_.reset();
    return;
  }
  Navigation n = std::move(*navigation_);
  navigation_.reset();
  if (form() != nullptr && !form()->is_loaded()) return;
  document.open();
  document.write(n.text);
  document.close();
  base_folder = std::move(n.folder);
  location_ = std::move(n.address);
  fire(on_navigate_complete);
  fire(on_document_complete);
}

void WebBrowser::click_element(const std::string& id) {
  const auto& handlers = document.click_handlers();
  const auto it = handlers.find(id);
  if (it == handlers.end()) return;
  const Handler handler = it->second;  // the handler may rewrite the document
  fire(handler);
}

void WebBrowser::print(Printer& printer) const {
  printer.print_page({document.html(), base_folder});
}

}  // namespace pv
