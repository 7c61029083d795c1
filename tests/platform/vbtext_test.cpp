#include "platform/vbtext.hpp"

#include <gtest/gtest.h>

#include "support/error_of.hpp"

#include "platform/errors.hpp"
#include "support/fake_services.hpp"

namespace pv {
namespace {

using testing::error_of;

TEST(NumberText, LeadingBlankAndNoLeadingZero) {
  EXPECT_EQ(str(int64_t{5}), " 5");
  EXPECT_EQ(str(int64_t{-5}), "-5");
  EXPECT_EQ(str(int64_t{0}), " 0");
  EXPECT_EQ(str(0.7), " .7");
  EXPECT_EQ(str(-0.5), "-.5");
  EXPECT_EQ(str(87.5), " 87.5");
  EXPECT_EQ(str(100.0), " 100");
  EXPECT_EQ(str_single(1.0f / 3.0f), " .3333333");
  EXPECT_EQ(str(2.0 / 3.0), " .666666666666667");
  EXPECT_EQ(cstr(0.25), ".25");
  EXPECT_EQ(str(1e20), " 1E+20");
}

TEST(Val, ReadsTheLeadingNumber) {
  EXPECT_EQ(val("42 apples"), 42);
  EXPECT_EQ(val("  1 2 3"), 123);
  EXPECT_EQ(val("-3.5e2x"), -350);
  EXPECT_EQ(val("abc"), 0);
  EXPECT_EQ(val(""), 0);
  EXPECT_EQ(val("&HFF"), 255);
  EXPECT_EQ(val(".5"), 0.5);
  EXPECT_EQ(val("1e"), 1);
}

TEST(Conversion, RoundsHalfToEvenAndOverflows) {
  EXPECT_EQ(cint(2.5), 2);
  EXPECT_EQ(cint(3.5), 4);
  EXPECT_EQ(cint(-2.5), -2);
  EXPECT_EQ(cint(60.5), 60);
  EXPECT_EQ(cint(32767.4), 32767);
  EXPECT_EQ(error_of([] { cint(32767.5); }), 6);
  EXPECT_EQ(error_of([] { cint(-32769.0); }), 6);
  EXPECT_EQ(cint(std::string_view(" 12 ")), 12);
  EXPECT_EQ(error_of([] { cint(std::string_view("x")); }), 13);
  EXPECT_EQ(error_of([] { cint(std::string_view("")); }), 13);
  EXPECT_EQ(clng(2147483647.0), 2147483647);
  EXPECT_EQ(error_of([] { clng(2147483648.0); }), 6);
}

TEST(Strings, CountCharactersNotBytes) {
  const std::string s = "caf\xC3\xA9 au lait";  // "café au lait"
  EXPECT_EQ(len(s), 12);
  EXPECT_EQ(mid(s, 4, 1), "\xC3\xA9");
  EXPECT_EQ(left(s, 4), "caf\xC3\xA9");
  EXPECT_EQ(right(s, 4), "lait");
  EXPECT_EQ(instr(s, "au"), 6);
  EXPECT_EQ(instr(7, s, "au"), 0);
  EXPECT_EQ(instr(3, "abc", ""), 3);
  EXPECT_EQ(instr(1, "ABC", "b", true), 2);
  EXPECT_EQ(mid("abc", 5), "");
  EXPECT_EQ(error_of([] { mid("abc", 0); }), 5);
  EXPECT_EQ(trim("  a b \t "), "a b \t");
  EXPECT_EQ(ucase("Velto"), "VELTO");
  EXPECT_EQ(replace("pb_gudar.dat.dat", ".dat", ""), "pb_gudar");
}

TEST(DateTime, UsEnglishForms) {
  EXPECT_EQ(format_date_time({2026, 12, 9, 4, 16, 33}), "12/9/2026 4:16:33 AM");
  EXPECT_EQ(format_date_time({2026, 12, 9, 16, 5, 3}), "12/9/2026 4:05:03 PM");
  EXPECT_EQ(format_date_time({2026, 1, 2, 12, 0, 1}), "1/2/2026 12:00:01 PM");
  EXPECT_EQ(format_date_time({2026, 1, 2, 0, 0, 1}), "1/2/2026 12:00:01 AM");
  EXPECT_EQ(format_date_time({2026, 1, 2, 0, 0, 0}), "1/2/2026");
  EXPECT_EQ(weekday_name({2026, 12, 9, 0, 0, 0}), "Wednesday");
  EXPECT_EQ(month_name(12), "December");
}

TEST(Clock, FakeClockMovesOnlyWhenAdvanced) {
  FakeClock clock({2026, 12, 31, 23, 59, 59});
  clock.advance_ms(1500);
  EXPECT_EQ(clock.now(), (DateTime{2027, 1, 1, 0, 0, 0}));
  EXPECT_EQ(clock.monotonic_ms(), 1500);
}

}  // namespace
}  // namespace pv
