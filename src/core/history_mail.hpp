// Sending the score history: reduced to plain text, then either a mail link for the
// user's mail program or, for web mail and for long texts, the clipboard and an
// instructions page.
#pragma once

#include <string>
#include <string_view>

namespace pv {

struct System;
class Form;

struct HistoryReport {
  std::string heading;  // the history's "<h2>" heading, blanks kept: the mail's subject
  std::string text;     // the whole report, ending in "End of History Report"
};

// Reduces a score history (its lines joined) to the report. Each entry, from one
// "<p><b>" to the next, is read within its own bounds; missing markers leave their piece
// out, so any text gives a report.
HistoryReport reduce_history(std::string_view history);
// Escapes a text for a "mailto:" link: "%", CR LF, TAB, "&", "#", other control
// characters and every byte outside ASCII; blanks stay.
std::string mail_link_escape(std::string_view text);
// Sends the history of the current product and student, `window` as the parent.
void email_history(System& sys, Form& window);

}  // namespace pv
