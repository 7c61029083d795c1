#include "banks/checker/records.hpp"

#include <utility>

namespace pv::bankcheck {

RecordFact choice(int record, Kind kind, int answers, Slots correct) {
  return {.record = record, .kind = kind, .answers = answers, .correct = std::move(correct)};
}

RecordFact choice(int record, int answers, Slots correct) {
  const Kind kind = correct.size() == 1 ? Kind::single : Kind::multi;
  return choice(record, kind, answers, std::move(correct));
}

RecordFact choice_flags(int record, Kind kind, int answers, int flags) {
  return {.record = record, .kind = kind, .answers = answers, .flags = flags};
}

RecordFact fill(int record, int answers, Slots correct) {
  return choice(record, Kind::fill, answers, std::move(correct));
}

RecordFact fill_flags(int record, int answers, int flags) {
  return choice_flags(record, Kind::fill, answers, flags);
}

RecordFact dnd(int record, std::string exercise, std::optional<int> category,
               std::optional<int> page) {
  return {.record = record,
          .kind = Kind::dnd,
          .page = page,
          .category = category,
          .answer1 = std::move(exercise)};
}

RecordFact sim(int record, int checks, std::optional<int> category,
               std::optional<std::string> lab) {
  return {.record = record,
          .kind = Kind::sim,
          .answers = checks,
          .category = category,
          .lab = std::move(lab)};
}

RecordFact exhibit(RecordFact f, std::string file, int page) {
  f.exhibit = std::move(file);
  f.page = page;
  return f;
}

RecordFact stored(RecordFact f) {
  if (f.kind == Kind::dnd) f.answers = 1;
  if (f.kind == Kind::dnd || f.kind == Kind::sim) f.flags = 0;
  return f;
}

RecordFact marked(RecordFact f) {
  if (f.kind == Kind::dnd) {
    f.clue = "";
    f.picture = "xxxdnd";
  } else if (f.kind == Kind::sim) {
    f.picture = "xxsim";
  }
  return f;
}

}  // namespace pv::bankcheck
