// One figure of the WOB full exam broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"simulator_category_left_unmapped", [](Shared& g) { g.questions[279].Category = 15; },
     "record 279: differs from record 100 of PB_WOB_Velto in Category"},
    {"cd_record_in_chapter_seven", [](Shared& g) { g.questions[188].Category = 7; },
     "record 188: differs from record 9 of PB_WOB_Velto in Category"},
    {"book_record_edited", [](Shared& g) { g.questions[174].Reference = "321##Congestion"; },
     "record 174: differs from record 174 of PB_WOB_Pelma in Reference"},
    {"exercise_renumbered", [](Shared& g) { g.questions[245].Answer[1] = "8"; },
     "record 245: Answer(1) is \"8\", table says \"7\""},
    {"lab_on_second_task", [](Shared& g) { g.questions[261].ExhibitFile[2] = "noip"; },
     "record 261: ExhibitFile(2) is \"noip\", table says \"\""},
    {"several_flags_lost",
     [](Shared& g) {
       for (int i = 6; i >= 1; --i)
         if (g.questions[205].Correct[i] == 1) return void(g.questions[205].Correct[i] = 0);
     },
     "record 205: correct flags is 2, table says 3"},
    {"simulator_name_changed", [](Shared& g) { g.category_names[17] = "Simulator Tasks"; },
     "category 17: name is \"Simulator Tasks\", table says \"Simulator Questions\""},
    {"book_description_taken",
     [](Shared& g) { g.test_description = "Pelma Books Questions for the WOB book."; },
     "identity: test_description is \"Pelma Books Questions for the WOB book.\""},
};

BANK_BREAKAGES(WobCombo, wob_combo_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
