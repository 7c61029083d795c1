// Builders of the records a figure table names, shared by every table: each sets the kind
// and the figures that kind is stated by; a table sets what it states besides on the result.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "banks/checker/figures.hpp"

namespace pv::bankcheck {

// A choice question: its kind, the answers shown and its flagged slots; without a kind,
// single answer for one flag and multiple answer for more.
RecordFact choice(int record, Kind kind, int answers, Slots correct);
RecordFact choice(int record, int answers, Slots correct);
// The same by how many flags it carries.
RecordFact choice_flags(int record, Kind kind, int answers, int flags);
// A fill-in question: its accepted replies and its flagged slots, or how many flags.
RecordFact fill(int record, int answers, Slots correct);
RecordFact fill_flags(int record, int answers, int flags);
// A drag-and-drop task: its exercise, in Answer(1), and where given its category and page.
RecordFact dnd(int record, std::string exercise, std::optional<int> category = {},
               std::optional<int> page = {});
// A simulator task: its checks, in the answers, and where given its category and its lab,
// ExhibitFile(2).
RecordFact sim(int record, int checks, std::optional<int> category = {},
               std::optional<std::string> lab = {});
// The record shown with an exhibit file, ExhibitFile(1), at a reference page.
RecordFact exhibit(RecordFact f, std::string file, int page);
// A task with the answers and flags it is stored with: a drag-and-drop task one answer and
// no flag, a simulator task no flag.
RecordFact stored(RecordFact f);
// A task with the markers it is stored with: a drag-and-drop task with no clue and "xxxdnd"
// as DiagramFile(1), a simulator task with "xxsim".
RecordFact marked(RecordFact f);

}  // namespace pv::bankcheck
