// The drag-and-drop exercises of the banks: finding a product's exercise by its number,
// and grading a learner's placement against the stored solution. No user interface.
#pragma once

#include <span>
#include <string_view>

#include "banks/bank_table.hpp"

namespace pv::exercises {

// The exercise with that number among a bank's own records or, for a full exam, among the
// records it takes from its sources; nullptr when there is none.
const banks::DndExercise* find_exercise(const banks::BankTable& bank, int number);

// Exercise `number` of a product (its code, such as "46000"), searched in the banks of its
// tests; nullptr for an unknown product or number.
const banks::DndExercise* find_exercise(std::string_view product, int number);

// A placement names, for each item of a match exercise in its order, the index of the
// target it sits on (kUnplaced while it is still in the tray); for an order exercise, the
// indices of the items in the order the learner arranged them.
inline constexpr int kUnplaced = -1;

// Whether the placement is the exercise's solution: every item on its own target, whatever
// its position there, or every entry in its place. A placement of the wrong size, an
// unplaced item or an index out of range is not.
bool is_solution(const banks::DndExercise& exercise, std::span<const int> placement);

}  // namespace pv::exercises
