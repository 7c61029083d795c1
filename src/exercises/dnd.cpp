#include "exercises/dnd.hpp"

#include "banks/registry.hpp"
#include "catalogue/catalogue.hpp"

namespace pv::exercises {

namespace {

const banks::DndExercise* numbered(std::span<const banks::DndExercise> list, int number,
                                   int first_record, int last_record) {
  for (const banks::DndExercise& e : list)
    if (e.number == number && e.record >= first_record && e.record <= last_record) return &e;
  return nullptr;
}

}  // namespace

const banks::DndExercise* find_exercise(const banks::BankTable& bank, int number) {
  if (number <= 0) return nullptr;
  if (const auto* e = numbered(bank.exercises, number, 1, static_cast<int>(bank.records.size())))
    return e;
  for (const banks::Inclusion& inc : bank.inclusions)
    if (inc.source != nullptr)
      if (const auto* e = numbered(inc.source->exercises, number, inc.first, inc.last)) return e;
  return nullptr;
}

const banks::DndExercise* find_exercise(std::string_view product, int number) {
  for (std::string_view module : product_banks(product))
    if (const BankModule* bank = find_bank(module); bank != nullptr && bank->table != nullptr)
      if (const auto* e = find_exercise(*bank->table, number)) return e;
  return nullptr;
}

bool is_solution(const banks::DndExercise& exercise, std::span<const int> placement) {
  const size_t n = exercise.items.size();
  if (n == 0 || placement.size() != n) return false;
  if (exercise.ordered()) {
    for (size_t i = 0; i < n; ++i)
      if (placement[i] != static_cast<int>(i)) return false;
    return true;
  }
  if (exercise.solution.size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (placement[i] != static_cast<int>(exercise.solution[i])) return false;
  return true;
}

}  // namespace pv::exercises
