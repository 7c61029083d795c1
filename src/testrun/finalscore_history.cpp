// The score history: one HTML file per product and student, its header on the first line
// and one entry per finished test below it, the newest first.
#include <functional>
#include <memory>

#include "platform/error_log.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"
#include "setup/results_file.hpp"
#include "testrun/finalscore.hpp"

namespace pv {
namespace {

constexpr const char* kProcedure = "save_history()";
constexpr const char* kSource = "finalscore ";

std::string history_header(const Shared& g) {
  return "<html><center><h2> History Report for " + g.student_name + " </h2><h3> " +
         g.product_title +
         " </h3></center>Best Possible Result 100%<hr align=left width=100% size=15 NOSHADE "
         "COLOR=RED><hr><p>&nbsp;</p></html>";
}

// The category table of an entry: the report's padded scores and names, row by row.
std::string module_table(const std::vector<std::string>& scores,
                         const std::vector<std::string>& names) {
  std::string t =
      "<b> Module Results:</b><table border=0 cellpadding=0 cellspacing=0 "
      "style=\"border-collapse: collapse\" bordercolor=#111111 width=50% id=AutoNumber1> <tr> "
      "<td width=50 align=center><u>&nbsp;% </u></td>   <td><u>&nbsp;Exam Module "
      "</u></td></tr>";
  for (size_t i = 0; i < scores.size() && i < names.size(); ++i)
    t += "<tr><td  align=center>" + scores[i] + "</td><td>" + names[i] + "</td></tr>";
  return t + "</table><p>&nbsp;</p>";
}

// Puts the lines read, each ended by CR LF whatever its end was (CR, LF or CR LF, or none
// for the last), with `second` as the second line when it is not empty. Piece by piece:
// a history of any size costs one piece of memory.
class LineCopier {
 public:
  using Put = std::function<void(std::string_view)>;
  LineCopier(const Put& put, std::string_view second) : put_(put), second_(second) {}

  void take(std::string_view piece) {
    size_t from = 0;  // the start of the text not yet put
    for (size_t i = 0; i < piece.size(); ++i) {
      const char c = piece[i];
      seen_ = true;
      if (c != '\r' && c != '\n') {
        after_cr_ = false;
        open_ = true;
        continue;
      }
      if (i > from) put_(piece.substr(from, i - from));
      from = i + 1;
      const bool crlf = c == '\n' && after_cr_;
      after_cr_ = c == '\r';
      if (!crlf) end_line();
    }
    if (from < piece.size()) put_(piece.substr(from));
  }
  // A file that held nothing is given the header.
  void finish(std::string_view header) {
    if (!seen_) {
      put_(header);
      open_ = true;
    }
    if (open_) end_line();
  }

 private:
  void end_line() {
    put_("\r\n");
    open_ = false;
    if (++ended_ == 1 && !second_.empty()) {
      put_(second_);
      put_("\r\n");
    }
  }

  const Put& put_;
  std::string_view second_;
  bool seen_ = false, open_ = false, after_cr_ = false;
  int ended_ = 0;
};

// The history's lines from `file` (none: just the header), with `entry` as the second.
Producer history_lines(FileReader* file, std::string_view header, std::string_view entry) {
  return [=](const LineCopier::Put& put) {
    LineCopier lines(put, entry);
    char buf[65536];
    if (file != nullptr)
      while (const size_t n = file->read(buf, sizeof buf)) lines.take(std::string_view(buf, n));
    lines.finish(header);
  };
}

}  // namespace

std::string history_entry(const Shared& g, int32_t percent, const DateTime& when,
                          const std::vector<std::string>& scores,
                          const std::vector<std::string>& names) {
  // A category quiz runs in a slot without a title.
  const int slot = g.selected_quiz;
  const std::string title =
      slot >= g.test_titles.lower && slot <= g.test_titles.upper ? g.test_titles[slot] : "";
  std::string entry =
      "<p><b> " + title + " Results:</b><br>" + str(int64_t{percent}) + "%&nbsp;&nbsp;(" +
      cstr(int64_t{g.right_count}) + "/" + cstr(int64_t{g.questions_to_ask}) +
      ")&nbsp;&nbsp;-&nbsp;&nbsp;Date: " + weekday_name(when) + " " + format_date_time(when) +
      "<hr align=left width=" + cstr(int64_t{percent}) + "% size=15 NOSHADE COLOR=NAVY>";
  if (!scores.empty()) entry += module_table(scores, names);
  return entry;
}

void finalscore::save_history() {
  // A test of no questions has no score to keep.
  int32_t percent = 0;
  if (!score_percent(g.right_count, g.questions_to_ask, percent)) return;
  const std::string name = history_file_name(g);
  // Read twice, for the copy and for the new history, and opened for both at once.
  std::unique_ptr<FileReader> for_copy, for_history;
  try {
    if (sys.files.exists(name)) {
      for_copy = sys.files.open_reader(name);
      for_history = sys.files.open_reader(name);
    }
  } catch (const RuntimeError& e) {
    // A history that cannot be read is left as it is: no entry rather than a lost history.
    sys.error_log.append(kProcedure, kSource, e);
    return;
  }
  const std::string header = history_header(g);
  // The copy of the history before this entry; the new history is not built from it.
  skip([&] { sys.files.write_all_from(kHistoryCopy, history_lines(for_copy.get(), header, "")); });
  const std::string entry = history_entry(g, percent, sys.clock.now(), module_scores, module_names);
  try {
    sys.files.replace_atomic_from(name, history_lines(for_history.get(), header, entry));
  } catch (const RuntimeError& e) {
    sys.error_log.append(kProcedure, kSource, e);
  }
}

}  // namespace pv
