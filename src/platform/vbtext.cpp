#include "platform/vbtext.hpp"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/errors.hpp"

namespace pv {
namespace {

// Removes the zero before the decimal point and writes exponents as the runtime does.
std::string shape_number(std::string s) {
  const auto e = s.find('e');
  std::string exponent;
  if (e != std::string::npos) {
    std::string digits = s.substr(e + 2);
    while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
    exponent = std::string("E") + s[e + 1] + digits;
    s.erase(e);
  }
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return s + exponent;
}

std::string format_significant(double value, int digits) {
  if (value == 0) return "0";
  std::array<char, 64> buf{};
  std::snprintf(buf.data(), buf.size(), "%.*g", digits, value);
  std::string s(buf.data());
  // %g may pick exponent form for numbers the runtime writes in full.
  const double magnitude = std::fabs(value);
  if (s.find('e') != std::string::npos && magnitude >= 1e-5 && magnitude < std::pow(10.0, digits)) {
    std::snprintf(buf.data(), buf.size(), "%.*f", digits, value);
    s = buf.data();
    if (s.find('.') != std::string::npos) {
      while (!s.empty() && s.back() == '0') s.pop_back();
      if (!s.empty() && s.back() == '.') s.pop_back();
    }
  }
  return shape_number(s);
}

std::string with_sign_blank(std::string s) {
  return s[0] == '-' ? s : " " + s;
}

// Byte offset of the character with 0-based index `chars`, or s.size().
size_t byte_offset(std::string_view s, int64_t chars) {
  size_t i = 0;
  while (i < s.size() && chars > 0) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    --chars;
  }
  return i;
}

char ascii_upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
char ascii_lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

int64_t round_half_even(double value) {
  const double floor_value = std::floor(value);
  const double diff = value - floor_value;
  if (diff > 0.5) return static_cast<int64_t>(floor_value) + 1;
  if (diff < 0.5) return static_cast<int64_t>(floor_value);
  const auto f = static_cast<int64_t>(floor_value);
  return (f % 2 == 0) ? f : f + 1;
}

// Parses a plain number (sign, digits, point, exponent) from the start of `s`;
// returns the count of characters used (0 when none).
size_t parse_decimal(std::string_view s, double& out) {
  size_t i = 0;
  std::string text;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) text += s[i++];
  bool digits = false;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
    text += s[i++], digits = true;
  if (i < s.size() && s[i] == '.') {
    text += s[i++];
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
      text += s[i++], digits = true;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    bool exp_digits = false;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
      exp += s[j++], exp_digits = true;
    if (exp_digits) {
      text += exp;
      i = j;
    }
  }
  out = std::strtod(text.c_str(), nullptr);
  return i;
}

}  // namespace

std::string str(int64_t value) {
  return with_sign_blank(std::to_string(value));
}
std::string str(double value) {
  return with_sign_blank(format_significant(value, 15));
}
std::string str_single(float value) {
  return with_sign_blank(format_significant(value, 7));
}
std::string cstr(int64_t value) {
  return std::to_string(value);
}
std::string cstr(double value) {
  return format_significant(value, 15);
}

double val(std::string_view text) {
  std::string s;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') s += c;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    int64_t v = 0;
    for (size_t i = 2; i < s.size(); ++i) {
      const char c = ascii_lower(s[i]);
      int d = -1;
      if (c >= '0' && c <= '9') d = c - '0';
      if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
      if (d < 0 || d >= base) break;
      v = v * base + d;
      if (v > 0xFFFFFFFFLL) break;
    }
    return static_cast<double>(v);
  }
  double out = 0;
  parse_decimal(s, out);
  return out;
}

int16_t cint(double value) {
  if (std::isnan(value)) raise_error(6);
  if (value < -32768.5 || value >= 32767.5) raise_error(6);
  return static_cast<int16_t>(round_half_even(value));
}

int32_t clng(double value) {
  if (std::isnan(value) || value < -2147483648.5 || value >= 2147483647.5) raise_error(6);
  return static_cast<int32_t>(round_half_even(value));
}

bool is_numeric(std::string_view text) {
  const std::string t = trim(text);
  if (t.empty()) return false;
  double out = 0;
  return parse_decimal(t, out) == t.size();
}

int16_t cint(std::string_view text) {
  if (!is_numeric(text)) raise_error(13);
  return cint(val(text));
}

int64_t len(std::string_view s) {
  int64_t n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string left(std::string_view s, int64_t n) {
  if (n < 0) raise_error(5);
  return std::string(s.substr(0, byte_offset(s, n)));
}

std::string right(std::string_view s, int64_t n) {
  if (n < 0) raise_error(5);
  const int64_t total = len(s);
  if (n >= total) return std::string(s);
  return std::string(s.substr(byte_offset(s, total - n)));
}

std::string mid(std::string_view s, int64_t start) {
  if (start < 1) raise_error(5);
  return std::string(s.substr(byte_offset(s, start - 1)));
}

std::string mid(std::string_view s, int64_t start, int64_t n) {
  if (start < 1 || n < 0) raise_error(5);
  const size_t from = byte_offset(s, start - 1);
  const std::string_view rest = s.substr(from);
  return std::string(rest.substr(0, byte_offset(rest, n)));
}

int64_t instr(int64_t start, std::string_view haystack, std::string_view needle, bool ignore_case) {
  if (start < 1) raise_error(5);
  const int64_t total = len(haystack);
  if (start > total) return 0;
  if (needle.empty()) return start;
  const size_t from = byte_offset(haystack, start - 1);
  size_t pos;
  if (ignore_case) {
    const std::string h = lcase(haystack), n = lcase(needle);
    pos = h.find(n, from);
  } else {
    pos = haystack.find(needle, from);
  }
  if (pos == std::string_view::npos) return 0;
  return len(haystack.substr(0, pos)) + 1;
}

std::string ucase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = ascii_upper(c);
  return r;
}

std::string lcase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = ascii_lower(c);
  return r;
}

std::string ltrim(std::string_view s) {
  const auto p = s.find_first_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(p));
}

std::string rtrim(std::string_view s) {
  const auto p = s.find_last_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(0, p + 1));
}

std::string trim(std::string_view s) {
  return ltrim(rtrim(s));
}

std::string replace(std::string_view s, std::string_view find, std::string_view with) {
  if (find.empty()) return std::string(s);
  std::string out;
  size_t i = 0;
  while (true) {
    const size_t p = s.find(find, i);
    if (p == std::string_view::npos) break;
    out.append(s.substr(i, p - i));
    out.append(with);
    i = p + find.size();
  }
  out.append(s.substr(i));
  return out;
}

std::string space(int64_t n) {
  if (n < 0) raise_error(5);
  return std::string(static_cast<size_t>(n), ' ');
}

std::string string_of(int64_t n, char c) {
  if (n < 0) raise_error(5);
  return std::string(static_cast<size_t>(n), c);
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x110000) {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  return true;
}

std::string format_date(const DateTime& t) {
  return std::to_string(t.month) + "/" + std::to_string(t.day) + "/" + std::to_string(t.year);
}

std::string format_time(const DateTime& t) {
  const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  std::array<char, 32> buf{};
  std::snprintf(buf.data(), buf.size(), "%d:%02d:%02d %s", h12, t.minute, t.second,
                t.hour < 12 ? "AM" : "PM");
  return buf.data();
}

std::string format_date_time(const DateTime& t) {
  if (t.hour == 0 && t.minute == 0 && t.second == 0) return format_date(t);
  return format_date(t) + " " + format_time(t);
}

std::string weekday_name(const DateTime& t) {
  static constexpr std::array<const char*, 7> names = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
  return names[static_cast<size_t>(weekday(t))];
}

std::string month_name(int month) {
  static constexpr std::array<const char*, 12> names = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  if (month < 1 || month > 12) raise_error(5);
  return names[static_cast<size_t>(month - 1)];
}

}  // namespace pv
