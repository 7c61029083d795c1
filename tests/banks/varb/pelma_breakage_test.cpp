// One figure of the VARB book bank broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

// The slot that a record's explanation names, moved to the next answer.
void move_flag(QuestionRecord& q) {
  const int from = flagged(q).front();
  q.Correct[from] = 0;
  q.Correct[from % answer_count(q) + 1] = 1;
}

const Breakage kBreakages[] = {
    {"flag_moved_from_the_named_answer", [](Shared& g) { move_flag(g.questions[77]); },
     ",74,75,76,78,79,"},
    {"judged_answer_unflagged",
     [](Shared& g) { g.questions[46].Correct[flagged(g.questions[46]).back()] = 0; },
     "records whose explanation judges each answer in turn as the flags do is none, table says 46"},
    {"category_name_uncut", [](Shared& g) { g.category_names[14] += " tail"; },
     "categories 14,17: longest name is 55, table says 50"},
    {"record_moved_to_the_next_chapter", [](Shared& g) { g.questions[28].Category = 4; },
     "category 3: records 21-28 are not all in the category"},
    {"reference_loses_its_title", [](Shared& g) { g.questions[178].Reference = "516##"; },
     "record 178: reference \"516##\" is not page, \"##\" and a section title"},
};

BANK_BREAKAGES(VarbPelma, varb_pelma_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
