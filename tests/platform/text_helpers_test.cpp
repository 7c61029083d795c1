// The helpers every subsystem shares for page text, typed characters, unguessable names
// and state put back when a handler throws.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "platform/html_parser.hpp"
#include "platform/random.hpp"
#include "platform/scope_guard.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

TEST(Utf8, EncodesEachWidthAndDropsWhatIsNoCodePoint) {
  const struct {
    char32_t code;
    std::string bytes;
  } cases[] = {
      {U'A', "A"},
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0xE9, "\xC3\xA9"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0x20AC, "\xE2\x82\xAC"},
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
      {0x110000, ""},
      {static_cast<char32_t>(-1), ""},  // a negative key code from the page
  };
  for (const auto& c : cases) {
    std::string out = "x";
    append_utf8(out, c.code);
    EXPECT_EQ(out, "x" + c.bytes) << static_cast<uint32_t>(c.code);
  }
}

TEST(HtmlEscaped, WritesMarkupAndQuotesAsReferencesThatReadBackAsTheText) {
  EXPECT_EQ(html_escaped("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
  EXPECT_EQ(html_escaped("tab\there"), "tab&#9;here");
  EXPECT_EQ(html_escaped("caf\xC3\xA9"), "caf\xC3\xA9");  // wider characters as they are
  // Whatever the text, a field written with it holds it whole, in either quoting.
  const std::string texts[] = {"it's \"quoted\"", "</form><input name=x>", "&amp; &#39;",
                               "caf\xC3\xA9 & co", "' onclick='x"};
  for (const std::string& text : texts) {
    for (const char quote : {'"', '\''}) {
      const HtmlDom dom = parse_html(std::string("<input type=hidden id=f value=") + quote +
                                     html_escaped(text) + quote + ">");
      ASSERT_EQ(dom.fields.size(), 1u) << text;
      EXPECT_EQ(dom.fields[0].value, text);
    }
  }
}

TEST(RandomHex, GivesFreshLowerCaseDigitsOfTheAskedLength) {
  std::set<std::string> seen;
  for (const size_t bytes : {size_t{0}, size_t{8}, size_t{16}, size_t{300}}) {
    const std::optional<std::string> hex = random_hex(bytes);
    ASSERT_TRUE(hex.has_value());
    EXPECT_EQ(hex->size(), 2 * bytes);
    EXPECT_EQ(hex->find_first_not_of("0123456789abcdef"), std::string::npos) << *hex;
    if (bytes > 0) {
      EXPECT_TRUE(seen.insert(*hex).second) << *hex;
    }
  }
  EXPECT_NE(random_hex(16), random_hex(16));
}

TEST(ScopeGuard, PutsStateBackOnReturnOrOnlyOnThrowAsAsked) {
  const auto run = [](bool fail, int& always, int& on_throw) {
    ++always;
    ++on_throw;
    const auto a = on_scope_exit([&] { --always; });
    const auto b = on_scope_failure([&] { --on_throw; });
    if (fail) throw std::runtime_error("handler failed");
  };
  int always = 0, on_throw = 0;
  run(false, always, on_throw);
  EXPECT_EQ(always, 0);
  EXPECT_EQ(on_throw, 1);
  EXPECT_THROW(run(true, always, on_throw), std::runtime_error);
  EXPECT_EQ(always, 0);
  EXPECT_EQ(on_throw, 1);
  // A guard inside a handler that runs while another exception unwinds counts only its own.
  try {
    struct Unwinding {
      int& n;
      ~Unwinding() {
        const auto b = on_scope_failure([this] { ++n; });
      }
    } u{on_throw};
    throw std::runtime_error("outer");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(on_throw, 1);
}

}  // namespace
}  // namespace pv
