#include "banks/bank_table.hpp"

#include "banks/registry.hpp"
#include "core/shared.hpp"

namespace pv::banks {
namespace {

// Step 2: the fields that every load empties, in records 1 to 1000. Question,
// Explanation, Type, Number and the run-time fields stay.
void reset(QuestionRecord& q) {
  for (int i = 1; i <= 6; ++i) {
    q.Answer[i].clear();
    q.Correct[i] = 0;
  }
  for (int i = 1; i <= 3; ++i) {
    q.DiagramFile[i].clear();
    q.ExhibitFile[i].clear();
  }
  q.Clue.clear();
  q.Reference.clear();
  q.TutorVideo.clear();
  q.Category = 1;
}

void fill(QuestionRecord& q, const RecordRow& row, int16_t category) {
  // The texts follow one another in the order of the members of FieldLengths.
  const char* text = row.text;
  const auto next = [&text](uint16_t length) {
    const std::string_view s(text, length);
    text += length;
    return s;
  };
  const FieldLengths& length = row.length;
  q.Question = next(length.question);
  for (int i = 1; i <= 6; ++i) {
    const std::string_view answer = next(length.answer[i - 1]);
    if (!answer.empty()) q.Answer[i] = answer;
    if ((row.correct >> (i - 1)) & 1) q.Correct[i] = 1;
  }
  q.Explanation = next(length.explanation);
  q.Clue = next(length.clue);
  q.Reference = next(length.reference);
  if (const std::string_view s = next(length.diagram); !s.empty()) q.DiagramFile[1] = s;
  if (const std::string_view s = next(length.exhibit); !s.empty()) q.ExhibitFile[1] = s;
  if (const std::string_view s = next(length.lab); !s.empty()) q.ExhibitFile[2] = s;
  q.Type = kTypeNames[row.type];
  q.Category = category;
}

// The exception of record r in a list sorted by record, or null; `next` walks the list
// once as the records go by.
template <class E>
const E* exception_for(std::span<const E> list, size_t& next, int16_t r) {
  if (next < list.size() && list[next].record == r) return &list[next++];
  return nullptr;
}

int16_t mapped(const Inclusion& inc, int16_t category) {
  for (const CategoryMapping& m : inc.category_map)
    if (m.from == category) return m.to;
  return category;
}

}  // namespace

void load(const BankTable& bank, Shared& g) {
  // 1. Identity.
  if (bank.stores_feedback_address) g.feedback_address = kSalesAddress;
  g.test_description = bank.description;
  g.product_title = bank.title;
  g.product_version = bank.version;
  g.test_title = bank.title;

  // 2. Reset of every record but record 0, whatever the size of the bank.
  for (int r = 1; r <= 1000; ++r) reset(g.questions[r]);

  // 3. Categories.
  for (int i = 1; i <= 150; ++i) g.category_names[i].clear();
  int16_t categories = 0;
  if (bank.categories_from != nullptr)
    for (std::string_view name : bank.categories_from->categories)
      g.category_names[++categories] = name;
  for (std::string_view name : bank.categories) g.category_names[++categories] = name;
  g.categories_enabled = vbTrue;
  g.category_count = categories;

  // 4. Records 1 to Q in order: the bank's own, or the runs a full exam repeats.
  int16_t r = 0;
  for (const RecordRow& row : bank.records) {
    ++r;
    fill(g.questions[r], row, row.category);
  }
  size_t next_category = 0, next_type = 0, next_flags = 0;
  for (const Inclusion& inc : bank.inclusions)
    for (int s = inc.first; s <= inc.last; ++s) {
      RecordRow row = inc.source->records[static_cast<size_t>(s - 1)];
      int16_t category = mapped(inc, row.category);
      ++r;
      if (const auto* e = exception_for(bank.exceptions, next_category, r)) category = e->category;
      if (const auto* e = exception_for(bank.type_exceptions, next_type, r)) row.type = e->type;
      if (const auto* e = exception_for(bank.flag_exceptions, next_flags, r))
        row.correct = e->correct;
      fill(g.questions[r], row, category);
    }

  // 5. The count, last.
  g.question_count = r;
}

}  // namespace pv::banks
