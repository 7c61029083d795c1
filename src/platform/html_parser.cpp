#include "platform/html_parser.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <utility>

#include "platform/vbtext.hpp"

namespace pv {
namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool is_alpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_alnum(char c) {
  return is_alpha(c) || is_digit(c);
}
char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string lowered(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = lower(c);
  return r;
}

// ---- Character references ---------------------------------------------------------------

// The Latin-1 names, from U+00A0 on. Browsers read these also without the closing ";".
constexpr std::array<std::string_view, 96> kLatin1 = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct Named {
  std::string_view name;
  char32_t code;
};
// The other names read without ";".
constexpr Named kLegacy[] = {{"amp", '&'},   {"lt", '<'},  {"gt", '>'}, {"quot", '"'},
                             {"AMP", '&'},   {"LT", '<'},  {"GT", '>'}, {"QUOT", '"'},
                             {"COPY", 0xA9}, {"REG", 0xAE}};
// Names read only with ";" (the common ones of text pages).
constexpr Named kWithSemicolon[] = {
    {"apos", '\''},     {"OElig", 0x152},   {"oelig", 0x153},   {"Scaron", 0x160},
    {"scaron", 0x161},  {"Yuml", 0x178},    {"fnof", 0x192},    {"circ", 0x2C6},
    {"tilde", 0x2DC},   {"ensp", 0x2002},   {"emsp", 0x2003},   {"thinsp", 0x2009},
    {"zwnj", 0x200C},   {"zwj", 0x200D},    {"lrm", 0x200E},    {"rlm", 0x200F},
    {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},  {"rsquo", 0x2019},
    {"sbquo", 0x201A},  {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"bdquo", 0x201E},
    {"dagger", 0x2020}, {"Dagger", 0x2021}, {"bull", 0x2022},   {"hellip", 0x2026},
    {"permil", 0x2030}, {"prime", 0x2032},  {"lsaquo", 0x2039}, {"rsaquo", 0x203A},
    {"euro", 0x20AC},   {"trade", 0x2122},  {"larr", 0x2190},   {"uarr", 0x2191},
    {"rarr", 0x2192},   {"darr", 0x2193},   {"harr", 0x2194},   {"minus", 0x2212},
    {"infin", 0x221E},  {"ne", 0x2260},     {"le", 0x2264},     {"ge", 0x2265}};

// A numeric reference to 0x80..0x9F means the Windows-1252 character, as in browsers.
constexpr std::array<char16_t, 32> kCp1252 = {
    0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021, 0x2C6,  0x2030, 0x160,
    0x2039, 0x152,  0x8D,   0x17D,  0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};

constexpr size_t kLongestName = 6;

char32_t legacy_code(std::string_view name) {
  for (size_t k = 0; k < kLatin1.size(); ++k)
    if (kLatin1[k] == name) return static_cast<char32_t>(0xA0 + k);
  for (const Named& n : kLegacy)
    if (n.name == name) return n.code;
  return 0;
}

char32_t code_with_semicolon(std::string_view name) {
  if (const char32_t c = legacy_code(name)) return c;
  for (const Named& n : kWithSemicolon)
    if (n.name == name) return n.code;
  return 0;
}

int digit_value(char c, bool hex) {
  if (is_digit(c)) return c - '0';
  if (!hex) return -1;
  const char l = lower(c);
  return l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
}

// A numeric reference at text[i] ("&#..."): adds its character and returns the position
// after it, or returns i when it is none.
size_t numeric_reference(std::string_view text, size_t i, std::string& out) {
  size_t j = i + 2;
  const bool hex = j < text.size() && (text[j] == 'x' || text[j] == 'X');
  if (hex) ++j;
  const size_t first = j;
  uint32_t code = 0;
  for (int d; j < text.size() && (d = digit_value(text[j], hex)) >= 0; ++j)
    code = std::min<uint32_t>(code * (hex ? 16 : 10) + static_cast<uint32_t>(d), 0x110000);
  if (j == first) return i;
  if (j < text.size() && text[j] == ';') ++j;
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code >= 0x80 && code <= 0x9F) code = kCp1252[code - 0x80];
  append_utf8(out, code);
  return j;
}

// A named reference at text[i]: adds its character and returns the position after it, or
// returns i when it is none. In an attribute a name without ";" that runs on into letters,
// digits or "=" is left as written, as browsers do.
size_t named_reference(std::string_view text, size_t i, bool in_attribute, std::string& out) {
  size_t end = i + 1;
  while (end < text.size() && end - i - 1 < kLongestName + 1 && is_alnum(text[end])) ++end;
  const std::string_view run = text.substr(i + 1, end - i - 1);
  if (end < text.size() && text[end] == ';' && run.size() <= kLongestName) {
    if (const char32_t c = code_with_semicolon(run)) {
      append_utf8(out, c);
      return end + 1;
    }
  }
  for (size_t n = std::min(run.size(), kLongestName); n >= 2; --n) {
    const char32_t c = legacy_code(run.substr(0, n));
    if (c == 0) continue;
    const size_t after = i + 1 + n;
    const char next = after < text.size() ? text[after] : '\0';
    if (in_attribute && (is_alnum(next) || next == '=')) return i;
    append_utf8(out, c);
    return after;
  }
  return i;
}

std::string decode_entities(std::string_view text, bool in_attribute) {
  if (text.find('&') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] != '&') {
      out += text[i++];
      continue;
    }
    const bool numeric = i + 1 < text.size() && text[i + 1] == '#';
    const size_t next =
        numeric ? numeric_reference(text, i, out) : named_reference(text, i, in_attribute, out);
    if (next == i) {
      out += '&';
      ++i;
    } else {
      i = next;
    }
  }
  return out;
}

// ---- Tags ------------------------------------------------------------------------------

// The input types a browser knows; any other reads as "text".
constexpr std::string_view kInputTypes[] = {
    "hidden", "text",  "search",         "tel",    "url",   "email", "password", "date",  "month",
    "week",   "time",  "datetime-local", "number", "range", "color", "checkbox", "radio", "file",
    "submit", "image", "reset",          "button"};
// Of these a browser drops line breaks from the value.
constexpr std::string_view kSingleLineTypes[] = {"text", "search", "tel", "url", "password"};

// Elements whose content is text up to their own end tag; the second kind decodes
// references in it.
constexpr std::string_view kRawText[] = {"script", "style", "xmp", "iframe", "noembed", "noframes"};
constexpr std::string_view kEscapableRawText[] = {"textarea", "title"};

template <size_t N>
bool one_of(std::string_view name, const std::string_view (&names)[N]) {
  return std::any_of(std::begin(names), std::end(names),
                     [&](std::string_view n) { return iequals(name, n); });
}

// A text area's content as its value: line ends as LF, one leading line end dropped.
std::string text_area_value(std::string_view raw) {
  std::string s = decode_entities(raw, false);
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\r') {
      out += s[i];
      continue;
    }
    out += '\n';
    if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
  }
  if (!out.empty() && out[0] == '\n') out.erase(0, 1);
  return out;
}

class Parser {
 public:
  explicit Parser(std::string_view html) : s_(html) {}

  HtmlDom run() {
    while (i_ < s_.size()) {
      const size_t lt = s_.find('<', i_);
      if (lt == std::string_view::npos) break;
      i_ = tag_start_ = lt;
      markup();
    }
    keep_last_checked(dom_);
    return std::move(dom_);
  }

 private:
  // The attributes the model keeps; a tag's others are read over and dropped.
  enum Kept { kId, kName, kType, kValue, kChecked, kMultiple, kKept };
  static constexpr std::array<std::string_view, kKept> kKeptNames = {
      "id", "name", "type", "value", "checked", "multiple"};
  struct Attribute {
    std::string_view value;
    bool present = false;
  };

  char at(size_t k) const { return k < s_.size() ? s_[k] : '\0'; }

  // At a "<": a comment, a tag, or a "<" that opens nothing (text).
  void markup() {
    if (s_.substr(i_, 4) == "<!--") return comment();
    const char c = at(i_ + 1);
    if (c == '!' || c == '?') return skip_past('>', i_ + 2);
    if (c == '/') {
      const char d = at(i_ + 2);
      if (d == '>') {
        i_ += 3;
      } else if (is_alpha(d)) {
        i_ += 2;
        const std::string_view name = tag_name();
        if (read_attributes()) end_tag(name);
      } else {
        skip_past('>', i_ + 2);  // "</" and something else: a bogus comment
      }
      return;
    }
    if (!is_alpha(c)) {
      ++i_;
      return;
    }
    ++i_;
    const std::string_view name = tag_name();
    if (read_attributes()) start_tag(name);
  }

  void skip_past(char c, size_t from) {
    const size_t k = s_.find(c, from);
    i_ = k == std::string_view::npos ? s_.size() : k + 1;
  }

  void comment() {
    if (at(i_ + 4) == '>') {
      i_ += 5;
    } else if (s_.substr(i_ + 4, 2) == "->") {
      i_ += 6;
    } else {
      const size_t end = s_.find("-->", i_ + 4);
      i_ = end == std::string_view::npos ? s_.size() : end + 3;
    }
  }

  std::string_view tag_name() {
    const size_t first = i_;
    while (i_ < s_.size() && !is_space(s_[i_]) && s_[i_] != '/' && s_[i_] != '>') ++i_;
    return s_.substr(first, i_ - first);
  }

  // Reads the attributes up to the tag's ">", keeping the first of each kept name. A name
  // starts wherever the last value ended, so values run together read as separate
  // attributes. False when the page ends first: the tag is dropped with the rest of the
  // page, an open quote included.
  bool read_attributes() {
    attributes_.fill({});
    const size_t n = s_.size();
    for (;;) {
      while (i_ < n && (is_space(s_[i_]) || s_[i_] == '/')) ++i_;
      if (i_ >= n) return false;
      if (s_[i_] == '>') {
        ++i_;
        return true;
      }
      const size_t first = i_++;  // even "=" belongs to a name here
      while (i_ < n && !is_space(s_[i_]) && s_[i_] != '/' && s_[i_] != '>' && s_[i_] != '=') ++i_;
      Attribute* kept = attribute_named(s_.substr(first, i_ - first));
      Attribute a{{}, true};
      size_t j = i_;
      while (j < n && is_space(s_[j])) ++j;
      i_ = j;
      if (j < n && s_[j] == '=') {
        ++i_;
        while (i_ < n && is_space(s_[i_])) ++i_;
        if (i_ >= n) return false;
        const char q = s_[i_];
        if (q == '"' || q == '\'') {
          const size_t close = s_.find(q, i_ + 1);
          if (close == std::string_view::npos) {
            i_ = n;
            return false;
          }
          a.value = s_.substr(i_ + 1, close - i_ - 1);
          i_ = close + 1;
        } else {
          const size_t start = i_;
          while (i_ < n && !is_space(s_[i_]) && s_[i_] != '>') ++i_;
          a.value = s_.substr(start, i_ - start);
        }
      }
      if (kept != nullptr && !kept->present) *kept = a;  // of repeated ones the first counts
    }
  }

  Attribute* attribute_named(std::string_view name) {
    for (size_t k = 0; k < kKept; ++k)
      if (iequals(name, kKeptNames[k])) return &attributes_[k];
    return nullptr;
  }
  bool has(Kept k) const { return attributes_[k].present; }
  std::string attribute_text(Kept k) const {
    return has(k) ? decode_entities(attributes_[k].value, true) : std::string();
  }

  // The content of a raw-text element up to its end tag (which stays to be read), or to the
  // end of the page.
  std::string_view raw_text(std::string_view tag) {
    const size_t first = i_;
    for (size_t k = s_.find("</", i_); k != std::string_view::npos; k = s_.find("</", k + 2)) {
      const size_t after = k + 2 + tag.size();
      if (after < s_.size() && iequals(s_.substr(k + 2, tag.size()), tag) &&
          (is_space(s_[after]) || s_[after] == '/' || s_[after] == '>')) {
        i_ = k;
        return s_.substr(first, k - first);
      }
    }
    i_ = s_.size();
    return s_.substr(first);
  }

  void start_tag(std::string_view name) {
    if (iequals(name, "form")) return start_form();
    const bool input = iequals(name, "input");
    const bool text_area = iequals(name, "textarea");
    if (input || text_area || iequals(name, "select")) {
      HtmlElement& e = add_element(dom_.fields, name);
      e.form = form_;
      if (input) {
        fill_input(e);
      } else if (text_area) {
        e.type = "textarea";
        e.value = text_area_value(raw_text(name));
      } else {
        e.type = has(kMultiple) ? "select-multiple" : "select-one";
      }
      return;
    }
    if (has(kId) && !attributes_[kId].value.empty()) add_element(dom_.elements, name);
    if (iequals(name, "plaintext"))
      i_ = s_.size();
    else if (one_of(name, kRawText) || one_of(name, kEscapableRawText))
      raw_text(name);
  }

  void end_tag(std::string_view name) {
    if (iequals(name, "form")) form_ = -1;
  }

  // A form inside an open form is ignored altogether, as browsers do.
  void start_form() {
    if (form_ >= 0) return;
    dom_.forms.push_back({attribute_text(kName), attribute_text(kId)});
    form_ = static_cast<int>(dom_.forms.size() - 1);
    if (!dom_.forms.back().id.empty()) add_element(dom_.elements, "form");
  }

  HtmlElement& add_element(std::vector<HtmlElement>& to, std::string_view name) {
    HtmlElement& e = to.emplace_back();
    e.position = tag_start_;
    e.tag = lowered(name);
    e.id = attribute_text(kId);
    e.name = attribute_text(kName);
    return e;
  }

  void fill_input(HtmlElement& e) const {
    const std::string type = lowered(attribute_text(kType));
    const bool known =
        std::find(std::begin(kInputTypes), std::end(kInputTypes), type) != std::end(kInputTypes);
    e.type = known ? type : "text";
    if (has(kValue))
      e.value = field_value(e.type, attribute_text(kValue));
    else if (e.holds_mark())
      e.value = "on";
    e.checked = e.holds_mark() && has(kChecked);
  }

  std::string_view s_;
  size_t i_ = 0;
  size_t tag_start_ = 0;
  HtmlDom dom_;
  int form_ = -1;  // the open form
  std::array<Attribute, kKept> attributes_;
};

}  // namespace

HtmlDom parse_html(std::string_view html) {
  return Parser(html).run();
}

void keep_last_checked(HtmlDom& dom) {
  std::set<std::pair<int, std::string_view>> seen;
  for (size_t i = dom.fields.size(); i-- > 0;) {
    HtmlElement& e = dom.fields[i];
    if (!e.checked || e.type != "radio" || e.name.empty()) continue;
    if (!seen.emplace(e.form, e.name).second) e.checked = false;
  }
}

std::string field_value(std::string_view type, std::string text) {
  if (std::find(std::begin(kSingleLineTypes), std::end(kSingleLineTypes), type) !=
      std::end(kSingleLineTypes))
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

std::string html_escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20)
          out += "&#" + std::to_string(static_cast<int>(c)) + ";";
        else
          out += c;
    }
  }
  return out;
}

}  // namespace pv
