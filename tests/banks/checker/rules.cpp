#include "banks/checker/rules.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "banks/checker/figures.hpp"

namespace pv::bankcheck {
namespace {

const std::set<std::string> kTypes = {"single_answer", "multi_answer", "fill_in_the_blank"};
const std::set<std::string> kLabs = {"3550", "basicip",  "noip", "basic_frame",
                                     "2950", "bgproute", "zum"};
const std::set<std::string> kMarkers = {"xxsim", "xxxdnd", "xxxmssim", "xxxmssim2"};

// The simulator tasks whose two transcript forms their bank's documentation lets differ in
// more than spacing or a shortened word: the explanation ends with one further "<br>", the
// clue holds the transcript twice (then an empty line, a banner line, an empty line and the
// transcript again), the clue holds the explanation's lines in another order, device output
// appears in only one of the two, the clue stands one line in for the output that the
// explanation shows, or the clue is empty (the task hands the simulator no transcript; its
// explanation still shows one).
enum class Leeway {
  none,
  trailing_br,
  clue_twice,
  reordered,
  output_in_one_form,
  output_replaced,
  no_clue
};
const std::map<std::pair<std::string, int>, Leeway> kLeeway = {
    {{"PB_HOLMI_Velto", 86}, Leeway::trailing_br},
    {{"PB_HOLMI_Velto", 88}, Leeway::clue_twice},
    {{"PB_HOLMI_Velto", 92}, Leeway::reordered},
    {{"PB_HOLMI_Velto", 94}, Leeway::trailing_br},
    {{"PB_HOLMI_Velto", 95}, Leeway::trailing_br},
    {{"PB_HOLMI_Velto", 98}, Leeway::trailing_br},
    {{"PB_HOLMI_Combo", 257}, Leeway::trailing_br},
    {{"PB_HOLMI_Combo", 259}, Leeway::clue_twice},
    {{"PB_HOLMI_Combo", 263}, Leeway::reordered},
    {{"PB_HOLMI_Combo", 265}, Leeway::trailing_br},
    {{"PB_HOLMI_Combo", 266}, Leeway::trailing_br},
    {{"PB_HOLMI_Combo", 269}, Leeway::trailing_br},
    {{"PB_JEKO_Velto", 82}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 85}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 86}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 87}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 94}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 95}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 97}, Leeway::no_clue},
    {{"PB_JEKO_Velto", 98}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 99}, Leeway::output_in_one_form},
    {{"PB_JEKO_Velto", 100}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 337}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 340}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 341}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 342}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 349}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 350}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 352}, Leeway::no_clue},
    {{"PB_JEKO_Combo", 353}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 354}, Leeway::output_in_one_form},
    {{"PB_JEKO_Combo", 355}, Leeway::output_in_one_form},
    {{"PB_PIRAL_Velto", 94}, Leeway::output_replaced},
    {{"PB_PIRAL_Combo", 276}, Leeway::output_replaced},
};

std::vector<std::string> split(const std::string& s, const std::string& by) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = s.find(by, start);
    parts.push_back(s.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + by.size();
  }
}

std::string html_line(const std::string& line) {
  std::string out;
  for (char c : line) out += c == '>' ? "&gt;" : c == '<' ? "&lt;" : std::string(1, c);
  return out;
}

std::vector<std::string> words_of(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line + ' ') {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

// The prompt that begins a command line ("AS1#", "DS1(config-if)#", "R1&gt;" in HTML), or
// the empty text for a line of device output.
std::string prompt_of(const std::string& first_word) {
  for (const std::string end : {"#", "&gt;"}) {
    const size_t at = first_word.find(end);
    if (at != std::string::npos && at > 0 &&
        std::isalpha(static_cast<unsigned char>(first_word[0])))
      return first_word.substr(0, at + end.size());
  }
  return "";
}

// A command keyword written in full in one form and shortened in the other ("sh" for "show").
bool shortened(const std::string& a, const std::string& b) {
  const std::string& full = a.size() > b.size() ? a : b;
  const std::string& cut = a.size() > b.size() ? b : a;
  return !cut.empty() && full.rfind(cut, 0) == 0 &&
         std::all_of(full.begin(), full.end(), [](char c) {
           return std::islower(static_cast<unsigned char>(c)) || c == '-';
         });
}

// One transcript line in both forms: the same, or differing only in spacing or, on a command
// line, in a command keyword shortened in one of them. Device output differs in nothing but
// spacing.
bool same_line(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const std::vector<std::string> x = words_of(a), y = words_of(b);
  if (x.size() != y.size()) return false;
  if (x.empty()) return true;
  const std::string prompt = prompt_of(x[0]);
  if (prompt != prompt_of(y[0])) return false;
  for (size_t i = 0; i < x.size(); ++i) {
    const size_t skip = i == 0 ? prompt.size() : 0;
    const std::string u = x[i].substr(skip), v = y[i].substr(skip);
    if (u != v && (prompt.empty() || !shortened(u, v))) return false;
  }
  return true;
}

// A line of device output (or an empty line), not a prompt and a command.
bool output_line(const std::string& line) {
  const std::vector<std::string> words = words_of(line);
  return words.empty() || prompt_of(words[0]).empty();
}

class Rules {
 public:
  Rules(const Shared& g, const BankFileInfo& file) : g_(g), file_(file) {}

  std::vector<std::string> run() {
    bank();
    for (int r = 1; r <= std::min<int>(g_.question_count, 1000); ++r) record(r, g_.questions[r]);
    if (!file_.inclusions.empty()) composition();
    return std::move(failures_);
  }

 private:
  void fail(const std::string& where, const std::string& what) {
    failures_.push_back(file_.module + ": " + where + ": " + what);
  }

  void bank() {
    if (g_.categories_enabled != vbTrue) fail("bank", "categories_enabled is not True");
    if (g_.category_count < 1 || g_.category_count > 150)
      fail("bank", "category_count " + std::to_string(g_.category_count));
    if (g_.question_count < 1 || g_.question_count > 1000)
      fail("bank", "question_count " + std::to_string(g_.question_count));
    if (g_.test_title != g_.product_title)
      fail("identity", "test_title differs from product_title");
    if (g_.product_version.empty()) fail("identity", "no product_version");
    if (!g_.category_names[0].empty()) fail("categories", "category_names(0) is set");
    for (int i = 1; i <= 150; ++i)
      if (g_.category_names[i].empty() == (i <= g_.category_count))
        fail("category " + std::to_string(i),
             i <= g_.category_count ? "has no name" : "is named beyond category_count");
    if (!(g_.questions[0] == QuestionRecord{})) fail("record 0", "is filled");
  }

  void record(int r, const QuestionRecord& q) {
    const std::string w = "record " + std::to_string(r);
    if (!kTypes.contains(q.Type)) fail(w, "type \"" + q.Type + "\"");
    if (q.Question.empty()) fail(w, "no question");
    const int n = answer_count(q);
    for (int i = 1; i <= 6; ++i)
      if (q.Answer[i].empty() != (i > n))
        fail(w, "answers do not fill slots 1 to " + std::to_string(n));
    if (!q.Answer[0].empty() || q.Correct[0] != 0) fail(w, "element 0 of Answer or Correct is set");
    for (int i = 1; i <= 6; ++i) {
      if (q.Correct[i] != 0 && q.Correct[i] != 1)
        fail(w, "Correct(" + std::to_string(i) + ") is not 0 or 1");
      if (q.Correct[i] != 0 && i > n)
        fail(w, "a flag on the empty answer slot " + std::to_string(i));
    }
    const int flags = static_cast<int>(flagged(q).size());
    const bool composed = !file_.inclusions.empty();
    if (q.Category < (composed ? 0 : 1) || q.Category > g_.category_count)
      fail(w, "category " + std::to_string(q.Category) + " is not in the list");
    if (!q.TutorVideo.empty()) fail(w, "TutorVideo is set");
    if (!q.DiagramFile[0].empty() || !q.ExhibitFile[0].empty())
      fail(w, "element 0 of a file array is set");
    if (!q.DiagramFile[2].empty() || !q.DiagramFile[3].empty() || !q.ExhibitFile[3].empty())
      fail(w, "DiagramFile(2), DiagramFile(3) or ExhibitFile(3) is set");
    if (q.ExhibitFile[1] == "xxsim" || q.ExhibitFile[1] == "xxxdnd")
      fail(w, "a task marker in ExhibitFile(1)");

    switch (kind_of(q)) {
      case Kind::single:
        if (kMarkers.contains(q.DiagramFile[1]))
          fail(w, "marker \"" + q.DiagramFile[1] + "\" stored");
        if (n < 2 || n > 6) fail(w, "single answer with " + std::to_string(n) + " answers");
        // A few books' single-answer records carry up to four flags.
        if (flags < 1 || flags > 4)
          fail(w, "single answer with " + std::to_string(flags) + " flags");
        break;
      case Kind::multi:
        if (kMarkers.contains(q.DiagramFile[1]))
          fail(w, "marker \"" + q.DiagramFile[1] + "\" stored");
        if (n < 4 || n > 6) fail(w, "multiple answer with " + std::to_string(n) + " answers");
        if (flags < 1) fail(w, "multiple answer without a correct answer");
        break;
      case Kind::fill:
        if (kMarkers.contains(q.DiagramFile[1]))
          fail(w, "marker \"" + q.DiagramFile[1] + "\" stored");
        if (n < 1) fail(w, "fill-in without an accepted reply");
        break;
      case Kind::dnd:
        if (q.Type != "single_answer") fail(w, "drag-and-drop task typed \"" + q.Type + "\"");
        if (n != 1 || q.Answer[1].find_first_not_of("0123456789") != std::string::npos)
          fail(w, "a drag-and-drop task stores its exercise number alone in Answer(1)");
        if (flags != 0) fail(w, "a drag-and-drop task has a flag");
        if (q.Explanation.empty()) fail(w, "a drag-and-drop task without the solution");
        break;
      case Kind::sim:
        simulator(w, r, q, n, flags);
        break;
      case Kind::any:
        break;
    }
    if (kind_of(q) != Kind::sim && !q.ExhibitFile[2].empty())
      fail(w, "a lab outside a simulator task");
  }

  void simulator(const std::string& w, int r, const QuestionRecord& q, int n, int flags) {
    if (q.Type != "single_answer") fail(w, "simulator task typed \"" + q.Type + "\"");
    if (n < 1) fail(w, "a simulator task without checks");
    for (int i = 1; i <= n; ++i) {
      const std::string& a = q.Answer[i];
      const size_t eq = a.find('=');
      if (eq == std::string::npos || eq == 0 || a.substr(0, eq).find(' ') != std::string::npos)
        fail(w, "check \"" + a + "\" is not key=value with a key without blanks");
    }
    if (flags != 0) fail(w, "a simulator task has a flag");
    if (!q.ExhibitFile[2].empty() && !kLabs.contains(q.ExhibitFile[2]))
      fail(w, "unknown lab \"" + q.ExhibitFile[2] + "\"");
    if (!q.Reference.empty() &&
        (q.Reference.size() < 3 || q.Reference.substr(q.Reference.size() - 2) != "##" ||
         q.Reference.find_first_not_of("0123456789") != q.Reference.size() - 2))
      fail(w, "reference \"" + q.Reference + "\" is not a page and \"##\"");
    // The explanation and the clue are one transcript: HTML lines joined by "<br>", plain
    // lines joined by CR LF; either may begin with one extra empty line, and a line may
    // differ in spacing or a shortened word.
    const auto leeway = kLeeway.find({file_.module, r});
    const Leeway allowed = leeway == kLeeway.end() ? Leeway::none : leeway->second;
    if (allowed == Leeway::no_clue && q.Clue.empty() && !q.Explanation.empty()) return;
    if (q.Clue.empty() || q.Explanation.empty())
      return fail(w, "a simulator task without its transcript");
    std::vector<std::string> lines = crlf_lines(q.Clue);
    std::vector<std::string> html = split(q.Explanation, "<br>");
    if (lines.size() > 1 && lines.front().empty()) lines.erase(lines.begin());
    if (html.size() > 1 && html.front().empty()) html.erase(html.begin());
    std::transform(lines.begin(), lines.end(), lines.begin(), html_line);
    if (!transcripts_match(lines, html, allowed))
      fail(w, "the explanation is not the clue's transcript as HTML");
    if (lines.back().empty()) fail(w, "the transcript ends with an empty line break");
  }

  static bool same_lines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same_line);
  }

  // Lines of device output may stand in one form only (extra lines of one side between two
  // lines that both show); every other line is the same in both.
  static bool output_in_one_form(const std::vector<std::string>& a,
                                 const std::vector<std::string>& b) {
    const auto output = output_line;
    // Past output lines of `extra` from `from` to one that matches `line`; npos if none does.
    const auto skip = [&](const std::vector<std::string>& extra, size_t from,
                          const std::string& line) {
      for (size_t k = from; k < extra.size() && output(extra[k]); ++k)
        if (k + 1 < extra.size() && same_line(line, extra[k + 1])) return k + 1;
      return std::string::npos;
    };
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
      if (same_line(a[i], b[j])) {
        ++i, ++j;
      } else if (const size_t k = skip(b, j, a[i]); k != std::string::npos) {
        j = k;
      } else if (const size_t k2 = skip(a, i, b[j]); k2 != std::string::npos) {
        i = k2;
      } else {
        return false;
      }
    }
    if (i < a.size() && j < b.size()) return false;
    return std::all_of(a.begin() + i, a.end(), output) &&
           std::all_of(b.begin() + j, b.end(), output);
  }

  // The same lines before and after one place where the clue has a single line and the
  // explanation the device output it stands for.
  static bool output_replaced(const std::vector<std::string>& clue,
                              const std::vector<std::string>& html) {
    size_t head = 0;
    while (head < clue.size() && head < html.size() && same_line(clue[head], html[head])) ++head;
    size_t tail = 0;
    while (tail + head < clue.size() && tail + head < html.size() &&
           same_line(clue[clue.size() - 1 - tail], html[html.size() - 1 - tail]))
      ++tail;
    if (clue.size() != head + tail + 1 || html.size() <= head + tail) return false;
    const auto shown = html.begin() + static_cast<std::ptrdiff_t>(head);
    return output_line(clue[head]) &&
           std::all_of(shown, html.end() - static_cast<std::ptrdiff_t>(tail), output_line);
  }

  // The clue's lines (as HTML) and the explanation's, as the task's leeway lets them differ.
  static bool transcripts_match(std::vector<std::string>& lines, std::vector<std::string> html,
                                Leeway leeway) {
    switch (leeway) {
      case Leeway::none:
        return same_lines(lines, html);
      case Leeway::trailing_br:
        if (html.size() < 2 || !html.back().empty()) return false;
        html.pop_back();
        return same_lines(lines, html);
      case Leeway::clue_twice: {
        const size_t n = html.size();
        if (lines.size() != 2 * n + 3 || !lines[n].empty() || lines[n + 1].empty() ||
            !lines[n + 2].empty())
          return false;
        const std::vector<std::string> first(lines.begin(), lines.begin() + n);
        const std::vector<std::string> again(lines.end() - n, lines.end());
        return same_lines(first, html) && same_lines(again, html);
      }
      case Leeway::reordered: {
        std::vector<std::string> sorted = lines;
        std::sort(sorted.begin(), sorted.end());
        std::sort(html.begin(), html.end());
        return sorted == html && lines != html;
      }
      case Leeway::output_in_one_form:
        return !same_lines(lines, html) && output_in_one_form(lines, html);
      case Leeway::output_replaced:
        return output_replaced(lines, html);
      case Leeway::no_clue:
        return false;
    }
    return false;
  }

  // A full exam holds the records of its sources, in order, with the categories its file
  // renumbers.
  void composition() {
    int r = 0;
    for (const BankFileInfo::Inclusion& inc : file_.inclusions) {
      const auto source = load_module(inc.module);
      if (!source) {
        fail("include", "module " + inc.module + " is not built in");
        return;
      }
      for (int s = inc.first; s <= inc.last; ++s) {
        ++r;
        const std::string w = "record " + std::to_string(r);
        if (r > g_.question_count) return fail(w, "is missing");
        QuestionRecord expected = source->questions[s];
        for (const auto& [from, to] : inc.category_map)
          if (expected.Category == from) {
            expected.Category = static_cast<int16_t>(to);
            break;
          }
        for (const auto& [record, category] : file_.exceptions)
          if (record == r) expected.Category = static_cast<int16_t>(category);
        for (const auto& [record, type] : file_.type_exceptions)
          if (record == r) expected.Type = type;
        for (int record : file_.flags_cleared)
          if (record == r)
            for (int i = 1; i <= 6; ++i) expected.Correct[i] = 0;
        const std::string diff = bank_field_differences(g_.questions[r], expected);
        if (!diff.empty())
          fail(w, "differs from record " + std::to_string(s) + " of " + inc.module + " in " + diff);
      }
    }
    if (r != g_.question_count)
      fail("bank", "question_count " + std::to_string(g_.question_count) + ", the sources give " +
                       std::to_string(r));
  }

  const Shared& g_;
  const BankFileInfo& file_;
  std::vector<std::string> failures_;
};

}  // namespace

std::vector<std::string> check_rules(const Shared& g, const BankFileInfo& file) {
  return Rules(g, file).run();
}

std::vector<std::string> check_reset_beyond_count(const Shared& g, const std::string& module) {
  std::vector<std::string> failures;
  for (int r = g.question_count + 1; r <= 1000; ++r) {
    const QuestionRecord& q = g.questions[r];
    bool reset = q.Clue.empty() && q.Reference.empty() && q.TutorVideo.empty() && q.Category == 1;
    for (int i = 1; i <= 6; ++i) reset = reset && q.Answer[i].empty() && q.Correct[i] == 0;
    for (int i = 1; i <= 3; ++i)
      reset = reset && q.DiagramFile[i].empty() && q.ExhibitFile[i].empty();
    if (!reset) failures.push_back(module + ": record " + std::to_string(r) + ": not reset");
  }
  return failures;
}

}  // namespace pv::bankcheck
