// Text and number helpers with the desktop runtime's rules: the number-to-text
// conversion with its leading blank, Val, 16-bit conversion with banker's rounding,
// 1-based string functions counted in characters (UTF-8 code points), and US English
// date and time texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.hpp"

namespace pv {

// Str: one blank before a non-negative number, no leading zero (" .7", "-.5", " 42").
std::string str(int64_t value);
std::string str(double value);        // up to 15 significant digits
std::string str_single(float value);  // up to 7 significant digits
// CStr: the same without the leading blank.
std::string cstr(int64_t value);
std::string cstr(double value);

// Val: the number at the start of the text; blanks, tabs and line feeds are skipped
// anywhere; "&H" and "&O" prefixes; 0 when no number starts the text.
double val(std::string_view text);

// CInt / CLng: round half to even; error 6 (Overflow) outside the type's range.
int16_t cint(double value);
int32_t clng(double value);
// CInt of a text: error 13 (Type mismatch) when the text is not a number.
int16_t cint(std::string_view text);
// True when the whole text (blanks around it allowed) is a number, as IsNumeric says.
bool is_numeric(std::string_view text);

// Character functions: positions are 1-based and count characters, not bytes.
int64_t len(std::string_view s);
std::string left(std::string_view s, int64_t n);
std::string right(std::string_view s, int64_t n);
std::string mid(std::string_view s, int64_t start);             // error 5 when start < 1
std::string mid(std::string_view s, int64_t start, int64_t n);  // error 5 when start < 1 or n < 0
// InStr: position of needle at or after start (1-based), 0 when absent; an empty needle
// gives start.
int64_t instr(int64_t start, std::string_view haystack, std::string_view needle,
              bool ignore_case = false);
inline int64_t instr(std::string_view haystack, std::string_view needle) {
  return instr(1, haystack, needle);
}
std::string ucase(std::string_view s);
std::string lcase(std::string_view s);
// Trim removes blanks only (not tabs), as the runtime does.
std::string trim(std::string_view s);
std::string ltrim(std::string_view s);
std::string rtrim(std::string_view s);
std::string replace(std::string_view s, std::string_view find, std::string_view with);
std::string space(int64_t n);
std::string string_of(int64_t n, char c);
// Appends code point `c` in UTF-8; one above U+10FFFF appends nothing.
void append_utf8(std::string& out, char32_t c);
// Case-insensitive comparison of ASCII letters.
bool iequals(std::string_view a, std::string_view b);

inline constexpr std::string_view vbCrLf = "\r\n";
inline constexpr std::string_view vbTab = "\t";

// "12/9/2026 4:16:33 AM"; the time is left out at exactly midnight, as the runtime does.
std::string format_date_time(const DateTime& t);
std::string format_date(const DateTime& t);   // "12/9/2026"
std::string format_time(const DateTime& t);   // "4:16:33 AM"
std::string weekday_name(const DateTime& t);  // "Wednesday"
std::string month_name(int month);            // "December"

}  // namespace pv
