#include "bank_file.hpp"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "banks/question_types.hpp"

namespace bankgen {
namespace fs = std::filesystem;

FormatError::FormatError(const fs::path& file, int line, const std::string& message)
    : std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + message) {}

namespace {

constexpr size_t kMaxFieldBytes = 65535;

const char* field_name(Exception::Field f) {
  switch (f) {
    case Exception::Field::category:
      return "category";
    case Exception::Field::type:
      return "type";
    case Exception::Field::correct:
      return "correct flags";
  }
  return "?";
}

std::string in_quotes(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

// Length of the UTF-8 sequence that starts at s[i], or 0 when it is not well formed.
size_t utf8_sequence(std::string_view s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  if (b < 0x80) return 1;
  size_t n;
  uint32_t cp;
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
    cp = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    cp = b & 0x0Fu;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    cp = b & 0x07u;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3Fu);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  return overlong || surrogate || cp > 0x10FFFF ? 0 : n;
}

// What a "+" line continues.
enum class Last { none, question, answer, explanation, clue, reference, console };

// How a transcript line is used: in both fields, or in only one of them.
enum class ConsoleUse { both, explanation, clue };

struct PendingRecord {
  Record record;
  bool has_type = false, has_category = false, has_question = false, has_explanation = false,
       has_clue = false, has_reference = false, has_diagram = false, has_exhibit = false,
       has_lab = false;
  std::vector<std::pair<ConsoleUse, std::string>> console;
};

// The console transcript as the explanation shows it: one line per "<br>", with the
// angle brackets of prompts written as entities.
std::string transcript_html(const PendingRecord& p) {
  std::string out;
  bool first = true;
  for (const auto& [use, line] : p.console) {
    if (use == ConsoleUse::clue) continue;
    if (!first) out += "<br>";
    first = false;
    for (char c : line) {
      if (c == '>')
        out += "&gt;";
      else if (c == '<')
        out += "&lt;";
      else
        out += c;
    }
  }
  return out;
}

// The same transcript as plain text with CR LF between its lines.
std::string transcript_text(const PendingRecord& p) {
  std::string out;
  bool first = true;
  for (const auto& [use, line] : p.console) {
    if (use == ConsoleUse::explanation) continue;
    if (!first) out += "\r\n";
    first = false;
    out += line;
  }
  return out;
}

class Reader {
 public:
  explicit Reader(fs::path path) : path_(std::move(path)) { bank_.path = path_; }

  BankFile read() {
    std::ifstream in(path_, std::ios::binary);
    if (!in) throw FormatError(path_, 0, "cannot open the file");
    std::stringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string_view line(text.data() + start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++line_;
      take(line);
      start = end + 1;
    }
    ++line_;
    finish();
    return std::move(bank_);
  }

 private:
  [[noreturn]] void fail(const std::string& message) const { fail_at(line_, message); }
  [[noreturn]] void fail_at(int line, const std::string& message) const {
    throw FormatError(path_, line, message);
  }

  void take(std::string_view line) {
    for (size_t i = 0; i < line.size();) {
      const size_t n = utf8_sequence(line, i);
      if (n == 0) fail("the text is not valid UTF-8");
      const auto c = static_cast<unsigned char>(line[i]);
      if ((c < 0x20 && c != '\t') || c == 0x7F)
        fail("control character in the line: write CR, LF and tab as \\r, \\n and \\t");
      i += n;
    }
    // Blank lines and comments are skipped; a "+" line cannot continue across them.
    if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#') {
      last_ = Last::none;
      return;
    }
    if (line.front() == ' ' || line.front() == '\t')
      fail("a line begins with its keyword: remove the blanks before it");

    const size_t blank = line.find(' ');
    const std::string_view keyword = line.substr(0, blank);
    std::string_view raw;
    if (blank != std::string_view::npos) {
      raw = line.substr(blank + 1);
      if (raw.empty() || raw.back() == ' ' || raw.back() == '\t')
        fail("blank at the end of the line: write a trailing blank of a value as \\s");
      if (raw.front() == ' ' || raw.front() == '\t')
        fail("more than one blank after " + in_quotes(keyword) +
             ": write a leading blank of a value as \\s");
    }
    dispatch(keyword, unescape(raw));
  }

  std::string unescape(std::string_view raw) const {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '\\') {
        out += raw[i];
        continue;
      }
      if (++i == raw.size()) fail("a backslash ends the line: write a backslash as \\\\");
      switch (raw[i]) {
        case '\\':
          out += '\\';
          break;
        case 's':
          out += ' ';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'n':
          out += '\n';
          break;
        default:
          fail("unknown escape \\" + std::string(1, raw[i]) + " (known: \\\\ \\s \\t \\r \\n)");
      }
    }
    return out;
  }

  int number(const std::string& value, int lo, int hi, const std::string& what) const {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
      fail(what + " must be a number, not " + in_quotes(value));
    const int n = value.size() > 6 ? hi + 1 : std::stoi(value);
    if (n < lo || n > hi)
      fail(what + " " + value + " is outside " + std::to_string(lo) + " to " + std::to_string(hi));
    return n;
  }

  void dispatch(std::string_view keyword, std::string value) {
    if (keyword == "+") return continue_text(value);
    last_ = Last::none;
    if (keyword == "record") return start_record(value);
    if (keyword == "include") return include(value);
    if (keyword == "except") return except(value);
    if (!record_) return header(keyword, std::move(value));
    record_field(keyword, std::move(value));
  }

  void header(std::string_view keyword, std::string value) {
    if (keyword != "module" && bank_.module.empty())
      fail("the file begins with its \"module\" line");
    if (!bank_.inclusions.empty())
      fail(in_quotes(keyword) + " belongs to the header, before the first \"include\" line");
    if (keyword == "module") {
      if (!bank_.module.empty()) fail("a second \"module\" line");
      const bool identifier = !value.empty() &&
                              std::isalpha(static_cast<unsigned char>(value[0])) &&
                              std::all_of(value.begin(), value.end(), [](char c) {
                                return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                              });
      if (!identifier)
        fail("the module name must be letters, digits and \"_\": " + in_quotes(value));
      bank_.module = std::move(value);
    } else if (keyword == "feedback") {
      if (seen_feedback_) fail("a second \"feedback\" line");
      if (value != "yes" && value != "no")
        fail("\"feedback\" is yes or no, not " + in_quotes(value));
      seen_feedback_ = true;
      bank_.feedback = value == "yes";
    } else if (keyword == "description") {
      once(seen_description_, keyword);
      bank_.description = std::move(value);
    } else if (keyword == "title") {
      once(seen_title_, keyword);
      bank_.title = std::move(value);
    } else if (keyword == "version") {
      once(seen_version_, keyword);
      bank_.version = std::move(value);
    } else if (keyword == "category") {
      if (value.empty()) fail("a category needs a name");
      bank_.categories.push_back(std::move(value));
    } else if (keyword == "categories") {
      if (!bank_.categories_from.empty()) fail("a second \"categories\" line");
      if (!bank_.categories.empty())
        fail("\"categories\" comes before the full exam's own \"category\" lines");
      if (value.empty()) fail("\"categories\" names the module whose category list it takes");
      bank_.categories_from = std::move(value);
      bank_.categories_from_line = line_;
    } else {
      fail("unknown header keyword " + in_quotes(keyword) +
           " (known: module feedback description title version category categories)");
    }
  }

  void once(bool& seen, std::string_view keyword) const {
    if (seen) fail("a second " + in_quotes(keyword) + " line");
    seen = true;
  }

  void end_header() {
    if (header_done_) return;
    header_done_ = true;
    if (bank_.module.empty()) fail("the file has no \"module\" line");
    if (!seen_feedback_) fail("the header has no \"feedback\" line");
    if (!seen_description_) fail("the header has no \"description\" line");
    if (!seen_title_) fail("the header has no \"title\" line");
    if (!seen_version_) fail("the header has no \"version\" line");
    if (bank_.categories.size() > kMaxCategories) fail("more than 150 categories");
  }

  void start_record(const std::string& value) {
    end_header();
    if (bank_.composed())
      fail("a full exam takes its records through \"include\" lines and holds none of its own");
    if (bank_.categories.empty()) fail("a bank with records needs \"category\" lines");
    end_record();
    const int expected = static_cast<int>(bank_.records.size()) + 1;
    if (expected > kMaxRecords) fail("more than 1000 records");
    const int n = number(value, 1, kMaxRecords, "the record number");
    if (n != expected)
      fail("record " + value + " follows record " + std::to_string(expected - 1) +
           ": records are numbered 1, 2, 3 ... without gaps");
    record_.emplace();
    record_->record.line = line_;
  }

  int type_index(const std::string& value) {
    const auto& names = pv::banks::kTypeNames;
    const auto it = std::find(names.begin(), names.end(), value);
    if (it == names.end()) {
      std::string known;
      for (std::string_view name : names) known += (known.empty() ? "" : " ") + std::string(name);
      fail("unknown type " + in_quotes(value) + " (known: " + known + ")");
    }
    return static_cast<int>(it - names.begin());
  }

  void record_field(std::string_view keyword, std::string value) {
    PendingRecord& p = *record_;
    Record& r = p.record;
    if (keyword == "type") {
      once(p.has_type, keyword);
      r.type = type_index(value);
    } else if (keyword == "category") {
      once(p.has_category, keyword);
      r.category = number(value, 1, static_cast<int>(bank_.categories.size()), "the category");
    } else if (keyword == "question") {
      once(p.has_question, keyword);
      r.question = std::move(value);
      last_ = Last::question;
    } else if (keyword == "answer" || keyword == "answer*") {
      if (r.answers.size() == kMaxAnswers) fail("more than 6 answers");
      if (value.empty()) fail("an empty answer: answers fill their slots without gaps");
      if (keyword == "answer*") r.correct |= static_cast<uint8_t>(1u << r.answers.size());
      r.answers.push_back(std::move(value));
      last_ = Last::answer;
    } else if (keyword == "explanation") {
      once(p.has_explanation, keyword);
      r.explanation = std::move(value);
      last_ = Last::explanation;
    } else if (keyword == "clue") {
      once(p.has_clue, keyword);
      r.clue = std::move(value);
      last_ = Last::clue;
    } else if (keyword == "reference") {
      once(p.has_reference, keyword);
      r.reference = std::move(value);
      last_ = Last::reference;
    } else if (keyword == "diagram") {
      once(p.has_diagram, keyword);
      r.diagram = std::move(value);
    } else if (keyword == "exhibit") {
      once(p.has_exhibit, keyword);
      r.exhibit = std::move(value);
    } else if (keyword == "lab") {
      once(p.has_lab, keyword);
      r.lab = std::move(value);
    } else if (keyword.starts_with("dnd-")) {
      dnd_line(keyword, std::move(value));
    } else if (keyword == "console" || keyword == "console-explanation" ||
               keyword == "console-clue") {
      const ConsoleUse use = keyword == "console"               ? ConsoleUse::both
                             : keyword == "console-explanation" ? ConsoleUse::explanation
                                                                : ConsoleUse::clue;
      p.console.emplace_back(use, std::move(value));
      last_ = Last::console;
    } else {
      fail("unknown record keyword " + in_quotes(keyword) +
           " (known: record type category question answer answer* explanation clue "
           "reference diagram exhibit lab console console-explanation console-clue dnd-item "
           "dnd-target dnd-match dnd-order)");
    }
  }

  // One line of a drag-and-drop exercise; the whole exercise is checked at the record's end.
  void dnd_line(std::string_view keyword, std::string value) {
    DndData& d = record_->record.dnd;
    const bool order = keyword == "dnd-order";
    if (!order && keyword != "dnd-item" && keyword != "dnd-target" && keyword != "dnd-match")
      fail("unknown record keyword " + in_quotes(keyword) +
           " (known drag-and-drop lines: dnd-item dnd-target dnd-match dnd-order)");
    if (value.empty()) fail(in_quotes(keyword) + " needs a text");
    if (d.line != 0 && d.ordered != order)
      fail("an exercise has either dnd-order lines or items and targets, not both");
    if (d.line == 0) d.line = line_;
    d.ordered = order;
    if (order || keyword == "dnd-item") {
      if (value.find(" = ") != std::string::npos)
        fail("an item cannot hold \" = \", which parts item and target in a match");
      add_dnd_entry(d.items, d.item_lines, std::move(value), order ? "entry" : "item");
      if (!order) d.solution.push_back(-1);
    } else if (keyword == "dnd-target") {
      add_dnd_entry(d.targets, d.target_lines, std::move(value), "target");
    } else {
      dnd_match(d, value);
    }
  }

  void add_dnd_entry(std::vector<std::string>& list, std::vector<int>& lines, std::string value,
                     const char* what) {
    if (std::find(list.begin(), list.end(), value) != list.end())
      fail(std::string(what) + " " + in_quotes(value) + " is listed twice");
    if (list.size() == kMaxDndEntries) fail(std::string("more than 50 of its kind: ") + what);
    list.push_back(std::move(value));
    lines.push_back(line_);
  }

  void dnd_match(DndData& d, const std::string& value) {
    const size_t eq = value.find(" = ");
    if (eq == std::string::npos) fail("a match reads: dnd-match <item> = <target>");
    const std::string item = value.substr(0, eq), target = value.substr(eq + 3);
    const auto i = std::find(d.items.begin(), d.items.end(), item);
    if (i == d.items.end())
      fail("unknown item " + in_quotes(item) + ": name it on a dnd-item line before its match");
    const auto t = std::find(d.targets.begin(), d.targets.end(), target);
    if (t == d.targets.end())
      fail("unknown target " + in_quotes(target) +
           ": name it on a dnd-target line before its match");
    int& placed = d.solution[static_cast<size_t>(i - d.items.begin())];
    if (placed >= 0) fail("item " + in_quotes(item) + " is placed twice");
    placed = static_cast<int>(t - d.targets.begin());
  }

  // A drag-and-drop task holds its exercise number and the complete data of its exercise;
  // no other record holds drag-and-drop lines.
  void check_dnd(Record& r, const std::string& name) {
    const DndData& d = r.dnd;
    if (r.diagram != "xxxdnd") {
      if (d.line != 0)
        fail_at(d.line, name +
                            " has drag-and-drop lines but is no drag-and-drop task "
                            "(diagram xxxdnd)");
      return;
    }
    const bool number = r.answers.size() == 1 && r.answers[0].size() <= 4 &&
                        r.answers[0].find_first_not_of("0123456789") == std::string::npos &&
                        r.answers[0] != "0" && r.answers[0][0] != '0';
    if (!number)
      fail_at(r.line, name + " is a drag-and-drop task: its one answer is its exercise number");
    r.exercise = std::stoi(r.answers[0]);
    if (const auto [it, added] = exercises_.emplace(r.exercise, name); !added)
      fail_at(r.line, name + " has exercise " + r.answers[0] + ", as " + it->second + " has");
    if (d.line == 0)
      fail_at(r.line, name +
                          " is a drag-and-drop task without its exercise: add dnd-item, "
                          "dnd-target and dnd-match lines, or dnd-order lines");
    if (d.items.size() < 2)
      fail_at(d.line, name + ": an exercise needs at least two items or entries");
    if (d.ordered) return;
    if (d.targets.size() < 2) fail_at(d.line, name + ": an exercise needs at least two targets");
    for (size_t i = 0; i < d.items.size(); ++i)
      if (d.solution[i] < 0)
        fail_at(d.item_lines[i], "item " + in_quotes(d.items[i]) + " has no dnd-match line");
    for (size_t t = 0; t < d.targets.size(); ++t)
      if (std::find(d.solution.begin(), d.solution.end(), static_cast<int>(t)) == d.solution.end())
        fail_at(d.target_lines[t], "target " + in_quotes(d.targets[t]) + " receives no item");
  }

  void continue_text(const std::string& value) {
    if (!record_ || last_ == Last::none)
      fail(
          "\"+\" continues a question, answer, explanation, clue, reference or console line "
          "right above it");
    PendingRecord& p = *record_;
    Record& r = p.record;
    switch (last_) {
      case Last::question:
        r.question += value;
        break;
      case Last::answer:
        r.answers.back() += value;
        break;
      case Last::explanation:
        r.explanation += value;
        break;
      case Last::clue:
        r.clue += value;
        break;
      case Last::reference:
        r.reference += value;
        break;
      case Last::console:
        p.console.back().second += value;
        break;
      case Last::none:
        break;
    }
  }

  void end_record() {
    if (!record_) return;
    PendingRecord& p = *record_;
    Record& r = p.record;
    const int at = r.line;
    const std::string name = "record " + std::to_string(bank_.records.size() + 1);
    if (!p.has_type) fail_at(at, name + " has no \"type\" line");
    if (!p.has_category) fail_at(at, name + " has no \"category\" line");
    if (!p.has_question || r.question.empty()) fail_at(at, name + " has no question");
    if (!p.console.empty()) {
      if (p.has_explanation || p.has_clue)
        fail_at(at, name +
                        " has console lines and an explanation or clue: the transcript gives "
                        "both");
      r.explanation = transcript_html(p);
      r.clue = transcript_text(p);
    }
    check_dnd(r, name);
    for (const std::string* s :
         {&r.question, &r.explanation, &r.clue, &r.reference, &r.diagram, &r.exhibit, &r.lab})
      if (s->size() > kMaxFieldBytes) fail_at(at, name + " has a text longer than 65535 bytes");
    for (const std::string& a : r.answers)
      if (a.size() > kMaxFieldBytes) fail_at(at, name + " has an answer longer than 65535 bytes");
    bank_.records.push_back(std::move(r));
    record_.reset();
  }

  void include(const std::string& value) {
    end_header();
    if (record_ || !bank_.records.empty())
      fail("a bank with records of its own cannot include another bank");
    if (!bank_.exceptions.empty()) fail("\"include\" lines come before the \"except\" lines");
    std::istringstream words(value);
    Inclusion inc;
    inc.line = line_;
    std::string range;
    if (!(words >> inc.module >> range))
      fail("\"include\" needs a module and a range of its records: include PB_X_pelma 1-242");
    const size_t dash = range.find('-');
    inc.first = number(range.substr(0, dash), 1, kMaxRecords, "the first record");
    inc.last = dash == std::string::npos
                   ? inc.first
                   : number(range.substr(dash + 1), 1, kMaxRecords, "the last record");
    if (inc.last < inc.first) fail("the range " + range + " runs backwards");
    std::string word;
    if (words >> word) {
      if (word != "map") fail("after the range comes \"map\" and the renumbered categories");
      std::set<int> from;
      while (words >> word) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos)
          fail("a category mapping reads from=to, not " + in_quotes(word));
        const int a = number(word.substr(0, eq), 1, kMaxCategories, "the source category");
        const int b = number(word.substr(eq + 1), 0, kMaxCategories, "the category");
        if (!from.insert(a).second) fail("category " + std::to_string(a) + " is mapped twice");
        inc.category_map.emplace_back(a, b);
      }
      if (inc.category_map.empty()) fail("\"map\" needs at least one from=to pair");
    }
    bank_.inclusions.push_back(std::move(inc));
  }

  void except(const std::string& value) {
    end_header();
    if (bank_.inclusions.empty()) fail("\"except\" lines follow the \"include\" lines");
    std::istringstream words(value);
    std::string record, field, setting, rest;
    if (!(words >> record >> field >> setting) || (words >> rest) ||
        (field != "category" && field != "type" && field != "correct"))
      fail(
          "an exception reads: except <record> category <number>, except <record> type <type> "
          "or except <record> correct none");
    Exception e;
    e.line = line_;
    e.record = number(record, 1, kMaxRecords, "the record");
    if (field == "category") {
      e.category = number(setting, 0, kMaxCategories, "the category");
    } else if (field == "type") {
      e.field = Exception::Field::type;
      e.type = type_index(setting);
    } else {
      if (setting != "none") fail("a flag exception reads: except <record> correct none");
      e.field = Exception::Field::correct;
    }
    bank_.exceptions.push_back(e);
  }

  void finish() {
    end_header();
    end_record();
    if (!bank_.categories_from.empty() && bank_.inclusions.empty())
      fail_at(bank_.categories_from_line, "a full exam needs \"include\" lines");
    if (!bank_.composed() && bank_.records.empty()) fail("the bank has no records");
  }

  fs::path path_;
  BankFile bank_;
  int line_ = 0;
  Last last_ = Last::none;
  std::optional<PendingRecord> record_;
  std::map<int, std::string> exercises_;  // exercise number -> its record
  bool header_done_ = false, seen_feedback_ = false, seen_description_ = false, seen_title_ = false,
       seen_version_ = false;
};

}  // namespace

BankFile read_bank_file(const fs::path& path) {
  return Reader(path).read();
}

std::string module_name_of(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("module ", 0) == 0) return line.substr(7);
  }
  return {};
}

Resolved resolve_composition(const BankFile& bank) {
  // The modules of the other bank files of the same folder.
  std::map<std::string, fs::path> modules;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(bank.path.parent_path()))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& f : files)
    if (!fs::equivalent(f, bank.path)) modules.emplace(module_name_of(f), f);

  Resolved out;
  std::map<std::string, size_t> loaded;
  const auto source = [&](const std::string& module, int line) -> const BankFile& {
    if (auto it = loaded.find(module); it != loaded.end()) return out.sources[it->second];
    const auto found = modules.find(module);
    if (found == modules.end())
      throw FormatError(bank.path, line,
                        "no bank file in " + bank.path.parent_path().string() + " has module " +
                            in_quotes(module));
    BankFile file = read_bank_file(found->second);
    if (file.composed())
      throw FormatError(
          bank.path, line,
          in_quotes(module) + " is a full exam itself: include a book or CD-ROM bank");
    loaded.emplace(module, out.sources.size());
    out.sources.push_back(std::move(file));
    return out.sources.back();
  };

  size_t categories = bank.categories.size();
  if (!bank.categories_from.empty())
    categories += source(bank.categories_from, bank.categories_from_line).categories.size();
  if (categories == 0) throw FormatError(bank.path, 1, "the full exam has no categories");
  if (categories > kMaxCategories) throw FormatError(bank.path, 1, "more than 150 categories");
  out.category_count = static_cast<int>(categories);

  for (const Inclusion& inc : bank.inclusions) {
    const BankFile& src = source(inc.module, inc.line);
    const int available = static_cast<int>(src.records.size());
    if (inc.last > available)
      throw FormatError(bank.path, inc.line,
                        in_quotes(inc.module) + " has " + std::to_string(available) +
                            " records, not " + std::to_string(inc.last));
    for (const auto& [from, to] : inc.category_map) {
      if (from > static_cast<int>(src.categories.size()))
        throw FormatError(bank.path, inc.line,
                          in_quotes(inc.module) + " has no category " + std::to_string(from));
      if (to > out.category_count)
        throw FormatError(bank.path, inc.line,
                          "the full exam has no category " + std::to_string(to));
    }
    out.record_count += inc.last - inc.first + 1;
    if (out.record_count > kMaxRecords)
      throw FormatError(bank.path, inc.line, "more than 1000 records");
  }

  std::set<std::pair<int, Exception::Field>> excepted;
  for (const Exception& e : bank.exceptions) {
    if (e.record > out.record_count)
      throw FormatError(bank.path, e.line,
                        "the full exam has " + std::to_string(out.record_count) + " records, not " +
                            std::to_string(e.record));
    if (e.category > out.category_count)
      throw FormatError(bank.path, e.line,
                        "the full exam has no category " + std::to_string(e.category));
    if (!excepted.emplace(e.record, e.field).second)
      throw FormatError(bank.path, e.line,
                        "record " + std::to_string(e.record) + " has a second exception of its " +
                            field_name(e.field));
  }
  return out;
}

}  // namespace bankgen
