// The compiled-in form of a question bank. The build generates one translation unit per
// data file under banks/<exam>/ (tools/bankgen), each defining the constant table of its
// module and the module's load_bank; `load` is the one load of the bank convention.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "banks/question_types.hpp"

namespace pv {
struct Shared;
}

namespace pv::banks {

// The lengths of a record's text fields, which follow one another in its text in the
// order of these members. The generated tables name every member they set, so a member
// moved here fails to compile there instead of handing one field's text to another.
struct FieldLengths {
  uint16_t question = 0;
  uint16_t answer[6] = {};
  uint16_t explanation = 0;
  uint16_t clue = 0;
  uint16_t reference = 0;
  uint16_t diagram = 0;  // DiagramFile(1): a picture or a task marker
  uint16_t exhibit = 0;  // ExhibitFile(1)
  uint16_t lab = 0;      // ExhibitFile(2): the simulator lab
};

// One record: its text fields stored one after another in one literal, with their lengths.
struct RecordRow {
  const char* text = "";
  FieldLengths length = {};
  uint8_t type = 0;     // index into kTypeNames
  uint8_t correct = 0;  // bit i-1 set: Correct(i) = 1
  int16_t category = 0;
};

struct BankTable;

// The exercise of a drag-and-drop record (diagram xxxdnd): its items, each matched to one
// of the targets (in any order within a target), or, with no targets, entries that go in
// the order in which `items` lists them.
struct DndExercise {
  int16_t record = 0;  // the record of its bank that presents it
  int16_t number = 0;  // its exercise number, Answer(1) of that record
  std::span<const std::string_view> items = {};
  std::span<const std::string_view> targets = {};
  std::span<const uint8_t> solution = {};  // per item: the index of its target

  bool ordered() const { return targets.empty(); }
};

// A run of a source bank's records that a full exam repeats, with the categories that it
// renumbers.
struct CategoryMapping {
  int16_t from;
  int16_t to;
};
struct Inclusion {
  const BankTable* source = nullptr;
  int16_t first = 0;  // source records first..last
  int16_t last = 0;
  std::span<const CategoryMapping> category_map = {};
};

// A full-exam record whose category differs from its source record's.
struct CategoryException {
  int16_t record;
  int16_t category;
};
// A full-exam record stored with another type than its source record's.
struct TypeException {
  int16_t record;
  uint8_t type;  // index into kTypeNames
};
// A full-exam record stored with other correct flags than its source record's.
struct FlagException {
  int16_t record;
  uint8_t correct;  // bit i-1 set: Correct(i) = 1
};

struct BankTable {
  std::string_view module;
  bool stores_feedback_address = false;
  std::string_view description;
  std::string_view title;  // product and test title
  std::string_view version;
  // The category list: that of `categories_from` (when set), then `categories`.
  const BankTable* categories_from = nullptr;
  std::span<const std::string_view> categories = {};
  // A book or CD-ROM bank has records and the exercises of its drag-and-drop records; a
  // full exam (whose records' exercises are those of its sources) has inclusions and exceptions,
  // each list sorted by record.
  std::span<const RecordRow> records = {};
  std::span<const DndExercise> exercises = {};  // of its own records, sorted by record
  std::span<const Inclusion> inclusions = {};
  std::span<const CategoryException> exceptions = {};
  std::span<const TypeException> type_exceptions = {};
  std::span<const FlagException> flag_exceptions = {};
};

// The load of a bank module: identity, reset of records 1 to 1000, categories, records,
// and the question count last.
void load(const BankTable& bank, Shared& g);

}  // namespace pv::banks
