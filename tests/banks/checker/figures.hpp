// The figures documented for a question bank, as tables typed in from its documentation
// (never computed from the data), and the check of a loaded bank against them. Each bank
// has its table in tests/banks/<exam>/<bank>_figures.cpp, listed in tests/banks/tables.hpp.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "banks/checker/properties.hpp"
#include "banks/checker/record_text.hpp"
#include "core/shared.hpp"

namespace pv::bankcheck {

// The forms of a simulator check (key=value). A command check's key is "executed_" and a
// command's words; a setting check's key names a setting, headed by an interface's short
// name and "_" ("s0/0_encapsulation"), ended by "_" and one ("hello_interval_s0"), or
// without one for the whole device.
enum class CheckKey { command, interface_first, interface_last, device };
// The value of a setting check: "true", "no", decimal digits, a dotted IPv4 address, a
// name in capitals ("PPP", "FRAME-RELAY"), words joined by "_", or any other text.
enum class CheckValue { truth, no, number, address, capitals, joined_words, other };

// Texts shared by several records: how many texts, how many records hold them, and the
// sizes of the smallest and the largest group.
struct SharedTexts {
  int texts{};
  int records{};
  int smallest{};
  int largest{};
};

using Dist = std::map<int, int>;  // value -> number of records

struct KindRow {
  Kind kind{};
  int records{};
  Dist answers{};  // answers per record -> records
  Dist flags{};    // correct flags per record -> records
};
struct Count {
  Property property{};
  Kind kind{};
  int records{};
};
struct Exactly {
  Property property{};
  Kind kind{};
  std::vector<int> records{};
};
struct Distribution {
  Measure measure{};
  Kind kind{};
  Dist values{};
  bool complete = true;          // no other value occurs
  std::optional<int> answers{};  // only the records with this many answers
};
struct Bounds {
  Measure measure{};
  Kind kind{};
  int lowest{};
  int highest{};
  bool within = false;  // every value lies in lowest..highest, neither need occur
};
// The values of a measure that occur, each at least once, and no other.
struct ValueSet {
  Measure measure{};
  Kind kind{};
  std::set<int> values{};
};
struct Sum {
  Measure measure{};
  Kind kind{};
  int total{};
};
// One row of a "records by category" table whose chapters form runs.
struct CategoryRun {
  int category{};
  int first{};
  int last{};
  int count{};
  int multi{};
  int five_or_six{};
  int with_explanation{};
  int page_lowest{};
  int page_highest{};
  std::optional<int> blank_after_hashes{};
  // Records of the run whose pages the table gives one by one, left out of the page bounds.
  std::vector<int> off_range{};
};
// One row of a "records per category" table, counts by kind where given.
struct CategoryKinds {
  int category{};
  int records{};
  std::optional<int> single{}, multi{}, fill{}, dnd{}, sim{};
  // Lowest and highest reference page of the category's records, where given, leaving
  // out the records named in `off_range` (whose pages the table gives one by one).
  std::optional<int> page_lowest{}, page_highest{};
  std::vector<int> off_range{};
};

// The references of a section by the number of records citing each (records -> references),
// when given; with `within_one_category`, no reference is cited from two categories.
struct ReferenceSharing {
  Dist records_per_reference{};
  bool within_one_category = false;
};

enum class ReferenceForm { any, page_and_title, page_only, page_only_or_empty };

// The form of one accepted fill-in reply.
enum class Form {
  numeral,            // decimal digits
  grouped_numeral,    // digits with "," between groups of three
  words,              // lower-case letters, blanks and hyphens
  hyphenated_words,   // words with at least one hyphen
  capitalised_words,  // words whose first letter is a capital
};

struct LengthRange {
  int shortest{};
  int longest{};
};

// The figures stated for records first..last.
struct Section {
  int first{};
  int last{};
  std::vector<KindRow> kinds{};  // when given: the kinds not listed have no records
  std::vector<Count> counts{};
  std::vector<Exactly> exactly{};
  std::vector<Distribution> distributions{};
  std::vector<Bounds> bounds{};
  std::vector<Sum> sums{};
  std::vector<CategoryRun> runs{};              // when given: they cover the section
  std::vector<CategoryKinds> category_kinds{};  // when given: they cover the section
  ReferenceForm references = ReferenceForm::any;
  std::optional<std::string> lab{};  // of every simulator task

  // The shortest and the longest answer of the section, in characters.
  std::optional<LengthRange> answer_lengths{};
  // The number of different references.
  std::optional<int> distinct_references{};
  // When given: exactly these records share their reference with a record of another
  // category.
  std::optional<std::vector<int>> references_across_categories{};
  std::vector<ValueSet> value_sets{};
  // When given: exactly these groups of records share one text, and no other two records
  // of the section have the same one.
  std::optional<std::vector<std::vector<int>>> shared_questions{}, shared_explanations{};
  // The records whose reference page is lower than that of an earlier record of their
  // category in the section.
  std::optional<std::vector<int>> page_drops{};
  // Every value of these measures lies within the bounds (which need not occur).
  std::vector<Bounds> within{};
  // Groups of simulator tasks that check one and the same key, each its own value.
  std::vector<std::vector<int>> one_check_key{};
  // When given: exactly these characters beyond ASCII occur in the section's texts.
  std::optional<std::set<int>> characters_beyond_ascii{};  // code points
  std::optional<ReferenceSharing> reference_sharing{};
  // The length of the shortest answer of the section, in characters (the longest left open).
  std::optional<int> shortest_answer{};

  // When given: the explanations that several records of the section share.
  std::optional<SharedTexts> explanation_sharing{};
  // When given: the simulator checks of the section by the form of their key, and the
  // setting checks among them by the form of their value.
  std::map<CheckKey, int> check_keys{};
  std::map<CheckValue, int> setting_values{};
};

// A record named in a table.
struct RecordFact {
  int record{};
  std::optional<Kind> kind{};
  std::optional<int> answers{};
  std::optional<std::vector<int>> correct{};  // the flagged slots
  std::optional<int> flags{};
  std::optional<bool> explanation{};  // set or empty
  std::optional<int> page{};
  std::optional<bool> blank_after_hashes{};
  std::optional<int> category{};
  std::optional<std::string> answer1{};
  std::optional<std::string> lab{};
  std::optional<int> clue_lines{};
  std::optional<int> spellings{};                 // answers that differ in more than letter case
  std::optional<bool> capitalised_lower_upper{};  // each spelling written in these three cases
  std::optional<int> answer_length{};             // of every answer, in characters
  std::optional<int> explanation_length{};        // in characters
  std::optional<int> question_length{};           // in characters
  std::optional<int> same_reference_as{};         // that record's Reference
  std::optional<int> same_question_as{};  // that record's Question, an Explanation of its own
  std::optional<std::vector<std::string>> answer_texts{};  // the answers, slot by slot
  // The form of each answer, slot by slot; the numerals among them name one number.
  std::optional<std::vector<Form>> forms{};
  std::optional<std::string> clue{};
  std::optional<int> clue_length{};      // in characters
  std::optional<std::string> exhibit{};  // ExhibitFile(1)
  std::optional<std::string> picture{};  // DiagramFile(1)
  std::optional<int> command_checks{};
  std::optional<int> explanation_lines{};    // lines between "<br>"
  std::optional<int> same_explanation_as{};  // that record's Explanation
  std::optional<int> same_answers_as{};      // that record's answers, slot by slot
};

// Records first..last equal records source_first.. of another module, field for field;
// a category the map names is renumbered first (a full exam's chapters for the source's).
struct EqualRun {
  int first{};
  int last{};
  std::string module{};
  int source_first{};
  std::map<int, int> categories{};  // source category -> this bank's; unnamed: the same
  // Records of this bank (its own numbering) documented to differ from their source records
  // in one more field: stored with another type, or with every correct flag 0. Each of them
  // must differ from its source in that field.
  std::map<int, std::string> types{};
  std::set<int> flags_cleared{};
};

// Category names 1..count equal those of another module.
struct SameNames {
  std::string module{};
  int count{};
  // When given: name i is the module's name from[i - 1]; 0: a name the module's list lacks.
  std::vector<int> from{};
};

// The lengths of some category names, in characters; a name cut inside a word ends in a
// letter or digit.
struct NameLengths {
  std::vector<int> categories{};
  int shortest{};
  int longest{};
  bool cut_inside_word = false;
};

struct CategoryFigures {
  int chapters{};                            // names 1..chapters read "Chapter <n> <title>"
  std::optional<int> shortest{}, longest{};  // length of those names
  std::vector<SameNames> same_as{};
  std::vector<NameLengths> lengths{};
  std::optional<int> at_most{};        // no name of the list is longer, in characters
  std::map<int, std::string> names{};  // category -> its exact name
  // When given: exactly these names are at_most characters long.
  std::optional<std::vector<int>> at_most_reached_by{};
};

// Records that share one explanation text: the size of the largest such group, and
// whether every group keeps to one category.
struct SharedExplanations {
  int largest{};
  bool within_one_category{};
};

struct BankFigures {
  std::string module{};
  std::string description{};
  std::string title{};
  std::string version{};
  bool stores_feedback_address{};
  int question_count{};
  int category_count{};
  CategoryFigures categories{};
  std::vector<Section> sections{};
  std::vector<RecordFact> records{};
  std::vector<EqualRun> equal{};
  std::optional<SharedExplanations> shared_explanations{};
};

// What a loaded bank gets wrong against its figures: one line per failure, empty when it
// holds them all. `feedback_before` is the address that was set before the load.
std::vector<std::string> check_figures(const Shared& g, const BankFigures& f,
                                       const std::string& feedback_before);
// Loads the module into a fresh table and checks it.
std::vector<std::string> validate_module(const BankFigures& f);

std::vector<int> records(int first, int last);
// The lists one after the other, as one list.
std::vector<int> joined(std::initializer_list<std::vector<int>> parts);

// The failures one per line, for test output.
std::string report(const std::vector<std::string>& failures);

// The tables' short names: K::multi, P::has_explanation, M::page, Slots{1, 3}.
using K = Kind;
using Slots = std::vector<int>;

}  // namespace pv::bankcheck
