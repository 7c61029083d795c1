// One figure of the PIRAL full exam broken at a time: the validator names the record.
#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"bonus_left_in_the_book_category", [](Shared& g) { g.questions[283].Category = 21; },
     "record 283: differs from record 183 of PB_PIRAL_Pelma in Category"},
    {"cd_record_loses_an_accepted_reply", [](Shared& g) { g.questions[200].Answer[2].clear(); },
     "record 200: differs from record 18 of PB_PIRAL_Velto in"},
    {"book_record_explained", [](Shared& g) { g.questions[10].Explanation = "Because."; },
     "record 10: differs from record 10 of PB_PIRAL_Pelma in"},
    {"bonus_record_gains_a_page", [](Shared& g) { g.questions[284].Reference = "43##"; },
     "record 284: differs from record 184 of PB_PIRAL_Pelma in"},
    {"exercise_renumbered", [](Shared& g) { g.questions[250].Answer[1] = "9"; },
     "record 250: Answer(1) is \"9\", table says \"8\""},
    {"four_flag_record_typed_multi", [](Shared& g) { g.questions[191].Type = "multi_answer"; },
     "record 191: is multiple answer, table says single answer"},
    {"bonus_category_renamed", [](Shared& g) { g.category_names[22] = "Bonus"; },
     "category 22: name is \"Bonus\", table says \"Bonus Questions\""},
    {"description_loses_its_blank",
     [](Shared& g) { g.test_description = "Combination of Velto and Pelma Books questions."; },
     "identity: test_description is \"Combination of Velto and Pelma Books questions.\""},
};

BANK_BREAKAGES(PiralCombo, piral_combo_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
