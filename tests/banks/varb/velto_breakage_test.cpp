// The VARB CD-ROM bank's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[2].Answer[1] = "41"; },
     "PB_VARB_Velto: record 2: Answer(1) is \"41\", table says \"1\""},
    {"off_range_page_moved", [](Shared& g) { g.questions[1].Reference = "56##"; },
     "category 1: lowest page is 56, table says 238"},
    {"shared_question_reworded", [](Shared& g) { g.questions[33].Question += " Then check it."; },
     "record 33: question differs from the question of record 28"},
    {"case_variant_made_another_reply", [](Shared& g) { g.questions[96].Answer[2] += "s"; },
     "record 96: spellings is 2, table says 1"},
    {"long_explanation_gains_a_piece",
     [](Shared& g) { g.questions[1].Explanation.append(351, 'x'); },
     "records by 350-character pieces of the explanation"},
};

BANK_BREAKAGES(VarbVelto, varb_velto_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
