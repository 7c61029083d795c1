// Grading a drag-and-drop placement, for a hand-made exercise and for every exercise the
// banks hold, and finding a product's exercise by its number.
#include "exercises/dnd.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "banks/registry.hpp"

namespace pv::exercises {
namespace {

using banks::DndExercise;

// Three items on two targets: "a" and "c" share target 0.
constexpr std::string_view kItems[] = {"a", "b", "c"};
constexpr std::string_view kTargets[] = {"left", "right"};
constexpr uint8_t kSolution[] = {0, 1, 0};
constexpr DndExercise kMatch{
    .record = 1, .number = 1, .items = kItems, .targets = kTargets, .solution = kSolution};
constexpr DndExercise kOrder{.record = 2, .number = 2, .items = kItems};

TEST(DragAndDropGrading, AcceptsOnlyTheSolution) {
  struct Case {
    const DndExercise* exercise;
    std::vector<int> placement;
    bool solved;
  };
  const Case cases[] = {
      {&kMatch, {0, 1, 0}, true},
      {&kMatch, {1, 0, 1}, false},          // every item on the other target
      {&kMatch, {0, 0, 0}, false},          // one item on a target it does not belong to
      {&kMatch, {0, 1, kUnplaced}, false},  // one item left in the tray
      {&kMatch, {0, 1}, false},             // a placement shorter than the items
      {&kMatch, {0, 1, 0, 0}, false},       // and one longer
      {&kMatch, {0, 2, 0}, false},          // a target that does not exist
      {&kMatch, {0, -5, 0}, false},
      {&kMatch, {}, false},
      {&kOrder, {0, 1, 2}, true},
      {&kOrder, {0, 2, 1}, false},
      {&kOrder, {0, 0, 0}, false},
      {&kOrder, {0, 1}, false},
      {&kOrder, {0, 1, 3}, false},
      {&kOrder, {kUnplaced, 1, 2}, false},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (int p : c.placement) shown += std::to_string(p) + " ";
    EXPECT_EQ(is_solution(*c.exercise, c.placement), c.solved)
        << (c.exercise->ordered() ? "order " : "match ") << shown;
  }
}

// The stored solution as a placement, and the same with one change that must fail: two
// items of different targets swapped, or the first two entries of an order exchanged.
std::vector<int> solution_of(const DndExercise& e) {
  std::vector<int> p(e.items.size());
  for (size_t i = 0; i < p.size(); ++i) p[i] = e.ordered() ? static_cast<int>(i) : e.solution[i];
  return p;
}

std::vector<int> with_one_pair_swapped(const DndExercise& e) {
  std::vector<int> p = solution_of(e);
  if (e.ordered()) {
    std::swap(p[0], p[1]);
    return p;
  }
  const auto other = std::find_if(p.begin(), p.end(), [&](int t) { return t != p[0]; });
  if (other != p.end()) std::swap(p[0], *other);
  return p;
}

TEST(DragAndDropGrading, EveryStoredSolutionPassesAndOneSwapFails) {
  // Exercises per CD-ROM or card bank; the full exams repeat those of their CD-ROM banks.
  const std::map<std::string_view, int> expected = {
      {"PB_GUDAR_velto", 6}, {"PB_VARB_Velto", 40}, {"PB_HOLMI_Velto", 10},
      {"PB_ZUM_Velto", 15},  {"PB_JEKO_Velto", 15}, {"PB_PIRAL_Velto", 20},
      {"PB_WOB_Velto", 21},  {"PB_SOLK_VARB", 30},  {"PB_SOLK_SOLK", 29}};
  int total = 0;
  for (const BankModule& bank : bank_modules()) {
    ASSERT_NE(bank.table, nullptr) << bank.name;
    const auto want = expected.find(bank.name);
    EXPECT_EQ(static_cast<int>(bank.table->exercises.size()),
              want == expected.end() ? 0 : want->second)
        << bank.name;
    for (const DndExercise& e : bank.table->exercises) {
      ++total;
      const std::string where = std::string(bank.name) + " record " + std::to_string(e.record);
      ASSERT_GE(e.items.size(), 2u) << where;
      EXPECT_TRUE(is_solution(e, solution_of(e))) << where;
      const std::vector<int> swapped = with_one_pair_swapped(e);
      EXPECT_NE(swapped, solution_of(e)) << where << ": no pair to swap";
      EXPECT_FALSE(is_solution(e, swapped)) << where;
    }
  }
  EXPECT_EQ(total, 186);
}

TEST(DragAndDropGrading, FindsAProductsExerciseByItsNumber) {
  // GUDAR's exercise 3 is CD-ROM record 34; the full exam reaches the same data.
  const DndExercise* timers = find_exercise("46000", 3);
  ASSERT_NE(timers, nullptr);
  EXPECT_EQ(timers->record, 34);
  const BankModule* combo = find_bank("PB_GUDAR_combo");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(find_exercise(*combo->table, 3), timers);
  // The flash cards: exercise 1 in the VARB half, 31 in the SOLK half.
  const BankModule* varb_cards = find_bank("PB_SOLK_VARB");
  const BankModule* solk_cards = find_bank("PB_SOLK_SOLK");
  ASSERT_TRUE(varb_cards != nullptr && solk_cards != nullptr);
  EXPECT_EQ(find_exercise("46008", 1), find_exercise(*varb_cards->table, 1));
  EXPECT_EQ(find_exercise("46008", 31), find_exercise(*solk_cards->table, 31));

  EXPECT_EQ(find_exercise("46000", 7), nullptr);
  EXPECT_EQ(find_exercise("46000", 0), nullptr);
  EXPECT_EQ(find_exercise("46000", -1), nullptr);
  EXPECT_EQ(find_exercise("99999", 1), nullptr);
  EXPECT_EQ(find_exercise("", 1), nullptr);
}

}  // namespace
}  // namespace pv::exercises
