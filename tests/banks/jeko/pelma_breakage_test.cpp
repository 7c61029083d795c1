// One figure of the JEKO book bank broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

// Moves the one flag of a single-answer record to the next slot.
void move_flag(QuestionRecord& q) {
  for (int k = 1; k <= 4; ++k)
    if (q.Correct[k] == 1) {
      q.Correct[k] = 0;
      q.Correct[k % 4 + 1] = 1;
      return;
    }
}

void add_flag(QuestionRecord& q) {
  for (int k = 1; k <= 4; ++k)
    if (q.Correct[k] == 0) {
      q.Correct[k] = 1;
      return;
    }
}

void drop_flag(QuestionRecord& q) {
  for (int k = 4; k >= 1; --k)
    if (q.Correct[k] == 1) {
      q.Correct[k] = 0;
      return;
    }
}

const Breakage kBreakages[] = {
    {"third_flag_dropped", [](Shared& g) { drop_flag(g.questions[1]); },
     "record 1: correct flags is 2, table says 3"},
    {"all_four_no_longer", [](Shared& g) { g.questions[189].Correct[2] = 0; },
     "record 189: correct flags is 3, table says 4"},
    {"multi_answer_typed_single", [](Shared& g) { g.questions[226].Type = "single_answer"; },
     "record 226: is single answer, table says multiple answer"},
    {"single_answer_with_two_flags", [](Shared& g) { add_flag(g.questions[2]); },
     "records 1-255, single answer: correct flags per record is {1:188 2:1}, table says {1:189}"},
    {"key_moved", [](Shared& g) { move_flag(g.questions[255]); },
     "records 1-255, single answer: records by slot of the correct answer"},
    {"fifth_answer_added", [](Shared& g) { g.questions[40].Answer[5] = "tunnel mode gre ip"; },
     "records with 5 or 6 answers is 40, table says none"},
    {"line_break_lost", [](Shared& g) { replace_first(g.questions[112].Answer[2], "<br>", " "); },
     "records 112-112, any kind: records by answers with <br> is {3:1}, table says {4:1}"},
    {"en_dash_hyphenated",
     [](Shared& g) { replace_first(g.questions[155].Question, "\xE2\x80\x93", "-"); },
     "records with characters beyond ASCII in the question is none, table says 155"},
    {"explanation_set", [](Shared& g) { g.questions[100].Explanation = "Split horizon."; },
     "records with an explanation is 100, table says none"},
    {"page_outside_chapter",
     [](Shared& g) { replace_first(g.questions[30].Reference, "143", "160"); },
     "category 3: highest page is 160, table says 158"},
    {"reference_across_chapters",
     [](Shared& g) { g.questions[24].Reference = g.questions[25].Reference; },
     "records 24,25,26,27: share one reference across categories"},
    {"two_digit_page_padded", [](Shared& g) { g.questions[5].Reference.insert(0, "0"); },
     "records 1-18, any kind: records by character where \"##\" begins is {3:17 4:1}, table says "
     "{3:18}"},
    {"title_one_short", [](Shared& g) { g.category_names[15].pop_back(); },
     "names of 50 characters is 16,17, table says 15,16,17"},
    {"title_past_50", [](Shared& g) { g.category_names[16] += "s"; },
     "category 16: name is longer than 50 characters"},
};

BANK_BREAKAGES(JekoPelma, jeko_pelma_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
