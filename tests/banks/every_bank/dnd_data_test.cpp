// The drag-and-drop exercises stored with the banks: each drag-and-drop record of every
// bank, full exams included, reaches its exercise by its number, the exercise says what the
// record's explanation says, and a product's exercise numbers name one exercise each.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "banks/bank_table.hpp"
#include "banks/checker/testing.hpp"
#include "banks/registry.hpp"
#include "catalogue/catalogue.hpp"
#include "exercises/dnd.hpp"

namespace pv::bankcheck {
namespace {

// The explanation as plain text, cut at its line breaks: entities decoded and typographic
// quotes made straight, as the exercise texts write them.
std::vector<std::string> explanation_lines(std::string_view html) {
  static const std::pair<std::string_view, std::string_view> kSpellings[] = {
      {"&lt;", "<"},   {"&gt;", ">"},   {"&quot;", "\""}, {"&#39;", "'"},  {"&amp;", "&"},
      {"\u2019", "'"}, {"\u2018", "'"}, {"\u201C", "\""}, {"\u201D", "\""}};
  std::string text(html);
  for (const auto& [from, to] : kSpellings)
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t br = text.find("<br>"); br != std::string::npos; br = text.find("<br>", start)) {
    lines.push_back(text.substr(start, br - start));
    start = br + 4;
  }
  lines.push_back(text.substr(start));
  return lines;
}

// Whether the line holds the part as whole words: "1" is not found in "10.0.0.0/8".
bool holds(const std::string& line, std::string_view part) {
  const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  for (size_t at = line.find(part); at != std::string::npos; at = line.find(part, at + 1)) {
    const size_t end = at + part.size();
    const bool starts = at == 0 || !word(part.front()) || !word(line[at - 1]);
    const bool ends = end == line.size() || !word(part.back()) || !word(line[end]);
    if (starts && ends) return true;
  }
  return false;
}

// What the exercise stores and the explanation does not say, empty when they agree: an
// item and its target on one line of the explanation (or the target on the line after the
// item's), an order's entries on lines that follow one another down the explanation.
std::string disagreement(const banks::DndExercise& e, const std::vector<std::string>& lines) {
  if (e.ordered()) {
    size_t next = 0;
    for (std::string_view entry : e.items) {
      while (next < lines.size() && !holds(lines[next], entry)) ++next;
      if (next == lines.size()) return "entry \"" + std::string(entry) + "\" out of its place";
      ++next;
    }
    return {};
  }
  for (size_t i = 0; i < e.items.size(); ++i) {
    const std::string_view item = e.items[i], target = e.targets[e.solution[i]];
    bool paired = false;
    for (size_t k = 0; k < lines.size() && !paired; ++k)
      paired = holds(lines[k], item) &&
               (holds(lines[k], target) || (k + 1 < lines.size() && holds(lines[k + 1], target)));
    if (!paired)
      return "\"" + std::string(item) + "\" = \"" + std::string(target) + "\" is not in the prose";
  }
  return {};
}

// The drag-and-drop records of a loaded bank: record number -> exercise number.
std::map<int, int> dnd_records(const Shared& g) {
  std::map<int, int> out;
  for (int r = 1; r <= g.question_count; ++r)
    if (g.questions[r].DiagramFile[1] == "xxxdnd") out[r] = std::stoi(g.questions[r].Answer[1]);
  return out;
}

TEST(BankRules, EveryDragAndDropRecordHoldsTheExerciseItsExplanationDescribes) {
  int records = 0;
  for (const BankModule& bank : bank_modules()) {
    const auto g = load_module(bank.name);
    for (const auto& [r, number] : dnd_records(*g)) {
      ++records;
      const std::string where = std::string(bank.name) + " record " + std::to_string(r);
      const banks::DndExercise* e = exercises::find_exercise(*bank.table, number);
      ASSERT_NE(e, nullptr) << where << " has no exercise " << number;
      EXPECT_EQ(disagreement(*e, explanation_lines(g->questions[r].Explanation)), "") << where;
    }
  }
  // 186 in the CD-ROM and card banks, and again in the full exams.
  EXPECT_EQ(records, 186 + 127);
}

TEST(BankRules, AnExerciseNumberNamesOneExerciseOfAProduct) {
  for (const std::string& code : product_codes()) {
    std::map<int, const banks::DndExercise*> seen;
    for (std::string_view module : product_banks(code)) {
      const BankModule* bank = find_bank(module);
      ASSERT_NE(bank, nullptr) << module;
      const auto g = load_module(module);
      for (const auto& [r, number] : dnd_records(*g)) {
        const banks::DndExercise* e = exercises::find_exercise(*bank->table, number);
        const auto [it, added] = seen.emplace(number, e);
        EXPECT_TRUE(added || it->second == e)
            << code << ": exercise " << number << " names two exercises (" << module << " record "
            << r << ")";
      }
    }
  }
}

TEST(BankRules, TheDisagreementOfExerciseAndProseIsFound) {
  constexpr std::string_view items[] = {"hub", "router"};
  constexpr std::string_view targets[] = {"Layer 1", "Layer 3"};
  constexpr uint8_t right[] = {0, 1}, wrong[] = {1, 0};
  const banks::DndExercise match{.items = items, .targets = targets, .solution = right};
  const banks::DndExercise swapped{.items = items, .targets = targets, .solution = wrong};
  const banks::DndExercise order{.items = items};
  const auto prose = explanation_lines("Correct:<br>Layer 1: hub<br>Layer 3: router");
  EXPECT_EQ(disagreement(match, prose), "");
  EXPECT_NE(disagreement(swapped, prose), "");
  EXPECT_EQ(disagreement(order, prose), "");
  EXPECT_NE(disagreement(order, explanation_lines("router<br>hub")), "");
  EXPECT_NE(disagreement(match, explanation_lines("Layer 1: hubs<br>Layer 3: router")), "");
  EXPECT_EQ(disagreement(match, explanation_lines("hub<br>Layer 1<br><br>router<br>Layer 3")), "");
  EXPECT_EQ(explanation_lines("a &lt;1&gt; b\u2019s"), std::vector<std::string>{"a <1> b's"});
}

}  // namespace
}  // namespace pv::bankcheck
