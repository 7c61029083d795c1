// One figure of the WOB book bank broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"third_flag_dropped",
     [](Shared& g) {
       for (int i = 6; i >= 1; --i)
         if (g.questions[151].Correct[i] == 1) return void(g.questions[151].Correct[i] = 0);
     },
     "record 151: correct flags is 2, table says 3"},
    {"fifth_flag_dropped",
     [](Shared& g) {
       for (int i = 1; i <= 6; ++i)
         if (g.questions[139].Correct[i] == 1) return void(g.questions[139].Correct[i] = 0);
     },
     "record 139: correct flags is 4, table says 5"},
    {"multi_answer_typed_single", [](Shared& g) { g.questions[174].Type = "single_answer"; },
     "record 174: is single answer, table says multiple answer"},
    {"reference_given_to_174", [](Shared& g) { g.questions[174].Reference = "321##Congestion"; },
     "records with an empty reference is none, table says 174"},
    {"reference_lost", [](Shared& g) { g.questions[173].Reference.clear(); },
     "record 173: reference \"\" is not page, \"##\" and a section title"},
    {"section_title_lost", [](Shared& g) { g.questions[12].Reference = "54##"; },
     "record 12: reference \"54##\" is not page, \"##\" and a section title"},
    {"page_outside_chapter",
     [](Shared& g) { replace_first(g.questions[45].Reference, "121", "125"); },
     "category 5: highest page is 125, table says 124"},
    {"second_answer_lost", [](Shared& g) { g.questions[126].Answer[2].clear(); },
     "record 126: answers is 1, table says 2"},
    {"sixth_answer_lost", [](Shared& g) { g.questions[34].Answer[6].clear(); },
     "record 34: answers is 5, table says 6"},
    {"explanation_set", [](Shared& g) { g.questions[100].Explanation = "Neighbor Discovery."; },
     "records with an explanation is 100, table says none"},
    {"record_in_next_chapter", [](Shared& g) { g.questions[64].Category = 7; },
     "category 6: records 55-64 are not all in the category"},
    {"en_dash_typed", [](Shared& g) { g.questions[50].Answer[1] += " \xE2\x80\x93 at once"; },
     "characters beyond ASCII is 8211,8220,8221"},
    {"chapter_renamed", [](Shared& g) { g.category_names[7] = "Spanning Tree"; },
     "category 7: name is \"Spanning Tree\", table says \"Spanning Tree Faults\""},
    {"feedback_address_stored", [](Shared& g) { g.feedback_address = "bank@example"; },
     "identity: feedback_address is \"bank@example\", table says \"before@example\""},
};

BANK_BREAKAGES(WobPelma, wob_pelma_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
