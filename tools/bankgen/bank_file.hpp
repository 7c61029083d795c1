// A question-bank data file as read from banks/<exam>/<name>.txt (the format is
// banks/FORMAT.md): the module's identity, its categories, and either its own records or,
// for a full exam, the runs of records it takes from its book and CD-ROM banks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace bankgen {

// A malformed file: the message names the file and the line.
class FormatError : public std::runtime_error {
 public:
  FormatError(const std::filesystem::path& file, int line, const std::string& message);
};

inline constexpr int kMaxAnswers = 6;
inline constexpr int kMaxCategories = 150;
inline constexpr int kMaxRecords = 1000;
inline constexpr int kMaxDndEntries = 50;  // items, targets or order entries of one exercise

// The exercise of a drag-and-drop record: items matched to targets, or entries in order.
struct DndData {
  int line = 0;  // of its first dnd line; 0: the record has none
  bool ordered = false;
  std::vector<std::string> items;  // an order's entries, in their right order
  std::vector<int> item_lines;
  std::vector<std::string> targets;  // empty for an order
  std::vector<int> target_lines;
  std::vector<int> solution;  // per item: the index of its target, -1 while unmatched
};

struct Record {
  int line = 0;   // of its "record" line
  int type = -1;  // index into pv::banks::kTypeNames
  int category = 0;
  std::string question;
  std::vector<std::string> answers;
  uint8_t correct = 0;  // bit i-1 set: answer i is correct
  std::string explanation;
  std::string clue;
  std::string reference;
  std::string diagram;  // DiagramFile(1)
  std::string exhibit;  // ExhibitFile(1)
  std::string lab;      // ExhibitFile(2)
  DndData dnd;
  int exercise = 0;  // a drag-and-drop task's exercise number, Answer(1)
};

// A run of a source bank's records that a full exam takes, in order.
struct Inclusion {
  int line = 0;
  std::string module;
  int first = 0;
  int last = 0;
  std::vector<std::pair<int, int>> category_map;  // source category -> own category
};

// A full-exam record that differs from its source in one field: its category, its type, or
// its correct flags (all cleared).
struct Exception {
  enum class Field { category, type, correct };
  int line = 0;
  int record = 0;
  Field field = Field::category;
  int category = 0;
  int type = -1;  // index into pv::banks::kTypeNames
};

struct BankFile {
  std::filesystem::path path;
  std::string module;
  bool feedback = false;
  std::string description;
  std::string title;
  std::string version;
  std::string categories_from;  // module whose category list comes first, or empty
  int categories_from_line = 0;
  std::vector<std::string> categories;  // own names (after those of categories_from)
  std::vector<Record> records;
  std::vector<Inclusion> inclusions;
  std::vector<Exception> exceptions;

  bool composed() const { return !inclusions.empty() || !categories_from.empty(); }
};

// Reads and checks one file on its own (references to other modules are not resolved).
BankFile read_bank_file(const std::filesystem::path& path);

// The value of the first "module" line of a file, or empty.
std::string module_name_of(const std::filesystem::path& path);

// A full exam's sources, resolved among the bank files of its own folder and checked
// (ranges, category maps, exceptions). Returns the files read, for the dependency list.
struct Resolved {
  std::vector<BankFile> sources;  // the modules named, each once
  int category_count = 0;         // the full exam's own list
  int record_count = 0;
};
Resolved resolve_composition(const BankFile& bank);

}  // namespace bankgen
