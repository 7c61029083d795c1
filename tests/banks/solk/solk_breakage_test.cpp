// One documented figure of the SOLK flash-card bank broken at a time: the validator names
// the record and the figure.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"exercise_in_the_varb_range", [](Shared& g) { g.questions[2].Answer[1] = "3"; },
     "PB_SOLK_SOLK: record 2: Answer(1) is \"3\", table says \"34\""},
    {"record_252_put_in_order", [](Shared& g) { g.questions[252].Category = 11; },
     "records 252-252, any kind: records by category is {11:1}, table says {12:1}"},
    {"page_beyond_its_chapter", [](Shared& g) { g.questions[78].Reference = "24##"; },
     "category 3: highest page is 24, table says 12"},
    {"shared_explanation_reworded", [](Shared& g) { g.questions[230].Explanation += " "; },
     "records sharing one explanation are 212,232, table says 212,230,232"},
    {"fill_in_numerals_disagree", [](Shared& g) { g.questions[26].Answer[2] = "1,024"; },
     "record 26: its numerals name different numbers"},
};

BANK_BREAKAGES(SolkSolk, solk_solk_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
