#include "core/history_mail.hpp"

#include <algorithm>
#include <optional>

#include "core/documents.hpp"
#include "core/system.hpp"
#include "platform/dialogs.hpp"
#include "platform/filesystem.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

constexpr size_t npos = std::string_view::npos;
constexpr std::string_view kEntryStart = "<p><b>";
constexpr std::string_view kCell = "td  align=center>";
constexpr int64_t kLinkLimit = 1000;
const std::string kCrLf = "\r\n";

constexpr const char* kInstructionsPage =
    "<html><head><title>Web Based Email Intructions</title></head><body><p><font "
    "color=\"#0000FF\">Velto Software Web Based Email Instructions</p><p>1. Please go to your "
    "email service provider and log into your email account.</p><p>2. You will then have to "
    "create an email to your instructor. Click in the text area of your message and select "
    "the Paste option under the edit menu. This will paste your score into your email. "
    "</p><p>3. Make sure you have entered your instructors email address in the to "
    "field.</p><p>4. Click Send and you are finished!</font></p></body></html>";

struct Span {
  size_t begin, end;
};

// The text between `open` (searched from `from`) and the next `close`.
std::optional<Span> between(std::string_view text, size_t from, std::string_view open,
                            std::string_view close) {
  const size_t o = text.find(open, std::min(from, text.size()));
  if (o == npos) return std::nullopt;
  const size_t b = o + open.size();
  const size_t e = text.find(close, b);
  if (e == npos) return std::nullopt;
  return Span{b, e};
}

std::string piece(std::string_view text, size_t begin, size_t end) {
  return std::string(text.substr(begin, end - begin));
}

// One test's lines: its result line from the word "Quiz" of its title (or from the title
// itself when it has none), its module heading and its table rows.
void reduce_entry(std::string_view entry, std::string& t) {
  const size_t bar = entry.find("<hr align");
  const size_t result_end = bar == npos ? entry.size() : bar;
  size_t q = entry.find("Quiz");
  if (q >= result_end) q = std::min(entry.find_first_not_of(' ', kEntryStart.size()), result_end);
  std::string result = replace(piece(entry, q, result_end), "</b>", "");
  result = replace(result, "<br>", vbCrLf);
  result = replace(result, "&nbsp;", " ");
  t += kCrLf + result + kCrLf;
  if (bar == npos) return;

  const size_t module = entry.find("Module", bar);
  if (module == npos) return;  // no per-category table
  size_t e = entry.find("</b>", module);
  if (e == npos) e = std::min(entry.find('<', module), entry.size());
  t += piece(entry, module, e) + kCrLf + "%\t\t\tExam Module" + kCrLf + kCrLf;

  size_t table_end = entry.find("</table>", e);
  if (table_end == npos) table_end = entry.size();
  for (size_t c = entry.find(kCell, e); c != npos && c < table_end; c = entry.find(kCell, e)) {
    const size_t first = c + kCell.size();
    const size_t d = entry.find("</td>", first);
    if (d == npos || d > table_end) break;             // a row cut short ends the table
    const size_t second = std::min(d + 9, table_end);  // past "</td><td>"
    e = std::min(entry.find("</td>", second), table_end);
    t += ltrim(piece(entry, first, d)) + "\t" + piece(entry, second, e) + kCrLf;
  }
}

}  // namespace

HistoryReport reduce_history(std::string_view h) {
  HistoryReport report;
  const size_t first_entry = h.find(kEntryStart);
  const std::string_view head = h.substr(0, first_entry);
  std::string& t = report.text;

  // Heading, title and best result, each from where the one before ended.
  size_t pos = 0;
  if (const auto s = between(head, pos, "<h2>", "</h2>")) {
    report.heading = piece(head, s->begin, s->end);
    pos = s->end + 5;
  }
  t = report.heading + kCrLf;
  std::string title;
  if (const auto s = between(head, pos, "<h3>", "</h3>")) {
    title = trim(piece(head, s->begin, s->end));
    pos = s->end + 5;
  }
  t += title + kCrLf;
  std::string best;
  if (const auto s = between(head, pos, "</center>", "<hr")) best = piece(head, s->begin, s->end);
  t += best + kCrLf + kCrLf;

  // The entries, newest first.
  for (size_t start = first_entry; start != npos;) {
    const size_t next = h.find(kEntryStart, start + kEntryStart.size());
    reduce_entry(h.substr(start, next == npos ? npos : next - start), t);
    start = next;
  }
  t += kCrLf + "End of History Report";
  return report;
}

std::string mail_link_escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "%0d%0a";
      ++i;
    } else if (c == '\t') {
      out += "%09";
    } else if (c == '%' || c == '&' || c == '#' || c < 0x20 || c >= 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void email_history(System& sys, Form& window) {
  Shared& g = sys.g;
  // 1. The history file.
  const std::string name = "history." + g.product_id + "." + trim(g.student_name) + ".htm";
  if (!sys.files.exists(name)) {
    sys.dialogs.msgbox(
        "  You currently do not have a history file.  This can happen if you" + kCrLf +
            " have not yet taken a practice test, or you do not have the correct name below.",
        vbOKOnly, "No History File");
    return;
  }
  // 2. Its lines, joined.
  std::string h;
  for (const std::string& line : read_lines(sys.files, name)) h += line;
  // 3-7. The report.
  const HistoryReport report = reduce_history(h);
  const std::string& t = report.text;
  const bool too_long = len(t) > kLinkLimit;
  // 8. Web mail: the clipboard and the instructions page.
  if (too_long || g.mail_type == "web") {
    if (too_long)
      sys.dialogs.msgbox(
          "Your message is longer than 1000 characters and cannot be launched in Outlook. "
          "Please use your web based email account or open Outlook and paste the message text "
          "into a new mail message by selecting Paste from the Edit menu.",
          vbOKOnly);
    sys.dialogs.msgbox(
        "We will now launch a web browser.  Please go to your email service provider and log "
        "into your email account.",
        vbOKOnly, "Web Based Email");
    sys.files.write_all("instructions.htm", std::string(kInstructionsPage) + kCrLf);
    shell_open(sys, window, "instructions.htm", 1);
    sys.dialogs.msgbox(
        "You will now have to create an email to your instructor. Click in the text area of "
        "your message and select the Paste option under the edit menu. This will paste your "
        "score into your email.  Make sure you have entered your instructors email address in "
        "the to field.  Click Send and you are finished!",
        vbOKOnly, "Web Based Email");
    sys.clipboard.clear();
    sys.clipboard.set_text(t);
    return;
  }
  // 9. A mail link with no recipient.
  shell_open(sys, window,
             "mailto:?subject=" + mail_link_escape(report.heading) + "&BODY=" + mail_link_escape(t),
             1);
}

}  // namespace pv
