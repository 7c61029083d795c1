// Bounded random inputs for the readers of text the program does not control: the INI
// reader, the score-history reduction and the page reader of the browser control must end,
// and in their documented shape, on anything (a reader that never ends fails by the test
// time-out).
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>

#include "core/fragments.hpp"
#include "core/history_mail.hpp"
#include "platform/ini.hpp"
#include "platform/vbtext.hpp"
#include "platform/web_browser.hpp"
#include "support/test_program.hpp"

namespace pv {
namespace {

// A text of pieces drawn from `pieces` and random bytes.
std::string random_text(std::mt19937& rng, const std::vector<std::string>& pieces, int max_parts) {
  std::uniform_int_distribution<int> parts(0, max_parts);
  std::uniform_int_distribution<size_t> pick(0, pieces.size());
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text;
  for (int n = parts(rng); n > 0; --n) {
    const size_t i = pick(rng);
    if (i < pieces.size())
      text += pieces[i];
    else
      text += static_cast<char>(byte(rng));
  }
  return text;
}

TEST(Fuzz, IniReaderEndsAndStaysWithinItsBuffer) {
  const std::vector<std::string> pieces = {"[",
                                           "]",
                                           "=",
                                           ";",
                                           "\"",
                                           "'",
                                           " ",
                                           "\t",
                                           "\r",
                                           "\n",
                                           "\r\n",
                                           "Answer",
                                           "answer",
                                           "result",
                                           "RESULT",
                                           "Success",
                                           "[Answer]",
                                           "result=",
                                           "\xEF\xBB\xBF",
                                           "é",
                                           std::string(70, 'x'),
                                           std::string(1, '\0')};
  testing::TestProgram t;
  std::mt19937 rng(20261209);
  for (int i = 0; i < 3000; ++i) {
    const std::string text = random_text(rng, pieces, 60);
    (void)ini_lookup(text, "Answer", "result");
    t.program_folder.write("out.ini", text);
    const std::string value = read_out_ini(t.sys(), "Answer", "result");
    ASSERT_LE(len(value), 59) << i;
    ASSERT_EQ(value.find('\0'), std::string::npos) << i;
    ASSERT_TRUE(value.empty() || value[0] != ' ') << i;
  }
}

TEST(Fuzz, HistoryReductionEndsOnAnyText) {
  const std::vector<std::string> pieces = {"<p><b>",
                                           " Quiz",
                                           "Quiz",
                                           " Results:</b><br>",
                                           "&nbsp;",
                                           "<br>",
                                           "</b>",
                                           "<hr align=left>",
                                           "<hr",
                                           "<b> Module Results:</b>",
                                           "Module",
                                           "<table>",
                                           "</table>",
                                           "<tr>",
                                           "<td  align=center>",
                                           "td  align=center>",
                                           "</td><td>",
                                           "</td>",
                                           "<h2>",
                                           "</h2>",
                                           "<h3>",
                                           "</h3>",
                                           "</center>",
                                           "50%",
                                           " ",
                                           "Chapter",
                                           "\r\n",
                                           "é",
                                           "%",
                                           "&",
                                           "#"};
  std::mt19937 rng(46000);
  for (int i = 0; i < 20000; ++i) {
    const std::string h = random_text(rng, pieces, 80);
    const HistoryReport report = reduce_history(h);
    const std::string& t = report.text;
    ASSERT_GE(t.size(), 21u) << i;
    ASSERT_EQ(t.substr(t.size() - 21), "End of History Report") << i;
    ASSERT_LE(t.size(), 5 * h.size() + 100) << i;  // nothing read twice over
    const std::string link = mail_link_escape(t);
    ASSERT_EQ(link.find_first_of("&#\r\n\t"), std::string::npos) << i;
  }
}

TEST(Fuzz, PageReaderEndsAndKeepsItsModelWhole) {
  const std::vector<std::string> pieces = {"<",
                                           ">",
                                           "</",
                                           "/>",
                                           "<!--",
                                           "-->",
                                           "<!",
                                           "<?",
                                           "\"",
                                           "'",
                                           "=",
                                           " ",
                                           "\r\n",
                                           "\t",
                                           "form",
                                           "<form name=frm>",
                                           "</form>",
                                           "<input",
                                           "<INPUT ",
                                           "type=radio",
                                           "type=checkbox",
                                           "type=text",
                                           "name=radio1",
                                           "name=\"ans1\"",
                                           "id=Exhibit1",
                                           "checked",
                                           "value=",
                                           "value=\"V1\"",
                                           "<script>",
                                           "</script>",
                                           "<textarea>",
                                           "</textarea",
                                           "<style",
                                           "<plaintext>",
                                           "<select multiple>",
                                           "</option>",
                                           "&",
                                           "&#",
                                           "&#x",
                                           ";",
                                           "amp",
                                           "nbsp",
                                           "&notin;",
                                           "&#1114112;",
                                           "&#xD800;",
                                           "é",
                                           std::string(40, 'a'),
                                           std::string(1, '\0')};
  std::mt19937 rng(49);
  for (int i = 0; i < 20000; ++i) {
    const std::string html = random_text(rng, pieces, i % 100 == 0 ? 4000 : 80);
    HtmlDocument doc;
    doc.open();
    for (size_t at = 0; at < html.size(); at += 37)
      doc.write(std::string_view(html).substr(at, 37));
    const HtmlDom dom = parse_html(html);
    std::set<std::pair<int, std::string>> checked_groups;
    for (const HtmlElement& e : dom.fields) {
      ASSERT_FALSE(e.type.empty()) << i;
      ASSERT_GE(e.form, -1) << i;
      ASSERT_LT(e.form, static_cast<int>(dom.forms.size())) << i;
      ASSERT_LT(e.position, html.size()) << i;
      if (e.type == "radio" && e.checked && !e.name.empty()) {
        ASSERT_TRUE(checked_groups.emplace(e.form, e.name).second) << i;
      }
    }
    for (const HtmlElement& e : dom.elements) ASSERT_FALSE(e.id.empty()) << i;
    // The document, written in pieces, takes marks on any page.
    ASSERT_EQ(doc.fields().size(), dom.fields.size()) << i;
    doc.set_checked({"frm", "radio1", 1}, true);
    doc.take_marks({{"", "radio1", "radio", "", true}, {"", "ans1", "checkbox", "", true}});
  }
  // Long runs of what a reader might go back over: each is read once.
  for (const char* piece : {"<a x=\"", "<script>", "<!--", "<input ", "&#", "</", "<a b c d "}) {
    std::string html;
    for (int n = 0; n < 100000; ++n) html += piece;
    const auto at = std::chrono::steady_clock::now();
    (void)parse_html(html);
    // Linear reading takes milliseconds even under the sanitizers on a busy machine; going
    // back over the text would take minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - at, std::chrono::seconds(10)) << piece;
  }
}

}  // namespace
}  // namespace pv
