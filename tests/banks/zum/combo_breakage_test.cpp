// The ZUM full exam's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"book_record_edited",
     [](Shared& g) { g.questions[40].Reference = "86##Allowed VLANs on a Trunk"; },
     "record 40: differs from record 40 of PB_ZUM_Pelma in Reference"},
    {"cd_record_recategorised", [](Shared& g) { g.questions[225].Category = 1; },
     "record 225: differs from record 100 of PB_ZUM_Velto in Category"},
    {"simulator_task_in_category_0", [](Shared& g) { g.questions[190].Category = 0; },
     "record 190: differs from record 65 of PB_ZUM_Velto in Category"},
    {"exhibit_named_by_this_bank", [](Shared& g) { g.questions[132].ExhibitFile[1] = "q132.txt"; },
     "record 132: ExhibitFile(1) is \"q132.txt\", table says \"q7.txt\""},
    {"picture_named_by_this_bank", [](Shared& g) { g.questions[141].DiagramFile[1] = "q141.jpg"; },
     "record 141: DiagramFile(1) is \"q141.jpg\", table says \"q16.jpg\""},
    {"exercise_renumbered", [](Shared& g) { g.questions[224].Answer[1] = "99"; },
     "record 224: Answer(1) is \"99\", table says \"9\""},
    {"book_flag_moved",
     [](Shared& g) {
       std::swap(g.questions[113].Answer[1], g.questions[113].Answer[2]);
       std::swap(g.questions[113].Correct[1], g.questions[113].Correct[2]);
     },
     "record 113: correct answers is 2,5, table says 1,5"},
    {"book_explanation_set", [](Shared& g) { g.questions[12].Explanation = "Routed access."; },
     "records 1-225, any kind: records with an explanation is 12,126,"},
    {"simulator_cites_a_page", [](Shared& g) { g.questions[199].Reference = "134##"; },
     "records 1-225, any kind: records with an empty reference is 186,"},
    {"simulator_category_renamed", [](Shared& g) { g.category_names[13] = "Simulation Questions"; },
     "category 13"},
    {"cd_description_taken",
     [](Shared& g) { g.test_description = "Velto's Questions for the Pelma Books ZUM."; },
     "identity: test_description is \"Velto's Questions for the Pelma Books ZUM.\""},
};

BANK_BREAKAGES(ZumCombo, zum_combo_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
