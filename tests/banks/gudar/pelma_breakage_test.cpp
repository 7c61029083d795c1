// One figure of the GUDAR book bank broken at a time: its table names the record.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"flag_moved",
     [](Shared& g) {
       g.questions[14].Correct[5] = 0;
       g.questions[14].Correct[1] = 1;
     },
     "PB_GUDAR_pelma: record 14: correct answers is 1,3,4, table says 3,4,5"},
    {"category_run_broken", [](Shared& g) { g.questions[12].Category = 2; },
     "category 1: records 1-12 are not all in the category"},
    {"blank_after_hashes_added", [](Shared& g) { g.questions[150].Reference.insert(5, " "); },
     "records with a blank after \"##\" is 21, table says 20"},
    {"explanation_dropped", [](Shared& g) { g.questions[46].Explanation.clear(); },
     "records with an explanation is 11,86,204,225,230, table says 11,46,86,204,225,230"},
    {"page_outside_its_chapter",
     [](Shared& g) { g.questions[242].Reference = "520##Hardening Network Devices"; },
     "record 242: reference page is 520, table says 519"},
};

BANK_BREAKAGES(GudarPelma, gudar_pelma_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
