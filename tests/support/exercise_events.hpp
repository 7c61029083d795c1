// Builders of the exercise programs' page events: the drag-and-drop placements a learner
// makes, and the simulator's typed lines.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "banks/bank_table.hpp"
#include "exercises/dnd.hpp"

namespace pv::testing {

inline nlohmann::json done_event(const std::vector<int>& placement) {
  return nlohmann::json::array({{{"type", "done"}, {"placement", placement}}});
}

// The stored solution as the page sends it: each item's target, or the entries in order.
inline std::vector<int> solution_of(const banks::DndExercise& e) {
  std::vector<int> p;
  for (size_t i = 0; i < e.items.size(); ++i)
    p.push_back(e.ordered() ? static_cast<int>(i) : static_cast<int>(e.solution[i]));
  return p;
}

// The solution with its first and last entries exchanged, or with the first item left in
// the tray where both sit on one target: never a solution.
inline std::vector<int> wrong_placement(const banks::DndExercise& e) {
  std::vector<int> p = solution_of(e);
  std::swap(p.front(), p.back());
  if (p == solution_of(e)) p.front() = exercises::kUnplaced;
  return p;
}

// One event of the simulator's page: {"type": type} and, for a typed line, its text.
inline nlohmann::json sim_event(const std::string& type, const std::string& text = {}) {
  nlohmann::json e = {{"type", type}};
  if (type == "line" || type == "complete" || type == "help") e["text"] = text;
  return nlohmann::json::array({e});
}

// The lines typed, each with Enter.
inline nlohmann::json typed(const std::vector<std::string>& lines) {
  nlohmann::json events = nlohmann::json::array();
  for (const std::string& l : lines) events.push_back(sim_event("line", l)[0]);
  return events;
}

}  // namespace pv::testing
