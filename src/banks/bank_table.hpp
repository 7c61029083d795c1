// The compiled-in form of a question bank. The build generates one translation unit per
// data file under banks/<exam>/ (tools/bankgen), each defining the constant table of its
// module and the module's load_bank; `load` is the one load of the bank convention.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pv {
struct Shared;
}

namespace pv::banks {

// The text fields of a record, in the order they follow one another in its text.
enum Field : uint8_t {
  kQuestion,
  kAnswer1,  // ... to kAnswer1 + 5
  kExplanation = kAnswer1 + 6,
  kClue,
  kReference,
  kDiagram,  // DiagramFile(1): a picture or a task marker
  kExhibit,  // ExhibitFile(1)
  kLab,      // ExhibitFile(2): the simulator lab
  kFieldCount
};

inline constexpr std::string_view kTypeNames[] = {"single_answer", "multi_answer",
                                                  "fill_in_the_blank"};

// One record: its text fields stored one after another in one literal, with their lengths.
struct RecordRow {
  const char* text;
  uint16_t length[kFieldCount];
  uint8_t type;     // index into kTypeNames
  uint8_t correct;  // bit i-1 set: Correct(i) = 1
  int16_t category;
};

struct BankTable;

// A run of a source bank's records that a full exam repeats, with the categories that it
// renumbers.
struct CategoryMapping {
  int16_t from;
  int16_t to;
};
struct Inclusion {
  const BankTable* source;
  int16_t first;  // source records first..last
  int16_t last;
  std::span<const CategoryMapping> category_map;
};

// A full-exam record whose category differs from its source record's.
struct CategoryException {
  int16_t record;
  int16_t category;
};

struct BankTable {
  std::string_view module;
  bool stores_feedback_address;
  std::string_view description;
  std::string_view title;  // product and test title
  std::string_view version;
  // The category list: that of `categories_from` (when set), then `categories`.
  const BankTable* categories_from;
  std::span<const std::string_view> categories;
  // A book or CD-ROM bank has records; a full exam has inclusions and exceptions, sorted.
  std::span<const RecordRow> records;
  std::span<const Inclusion> inclusions;
  std::span<const CategoryException> exceptions;
};

// The load of a bank module: identity, reset of records 1 to 1000, categories, records,
// and the question count last.
void load(const BankTable& bank, Shared& g);

}  // namespace pv::banks
