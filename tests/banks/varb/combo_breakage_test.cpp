// The VARB full exam's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"cd_category_left_unmapped", [](Shared& g) { g.questions[280].Category = 14; },
     "PB_VARB_combo: record 280: differs from record 102 of PB_VARB_Velto in Category"},
    {"cd_record_mapped_one_chapter_off", [](Shared& g) { g.questions[192].Category = 5; },
     "record 192: differs from record 14 of PB_VARB_Velto in Category"},
    {"book_record_edited", [](Shared& g) { g.questions[76].Reference = "237##Subnet Masks"; },
     "record 76: differs from record 76 of PB_VARB_Pelma in Reference"},
    {"exercise_renumbered", [](Shared& g) { g.questions[180].Answer[1] = "2"; },
     "record 180: Answer(1) is \"2\", table says \"1\""},
    {"cd_description_taken",
     [](Shared& g) { g.test_description = "Velto Questions for the VARB book."; },
     "identity: test_description is \"Velto Questions for the VARB book.\", table says \"VARB "
     "Combo\""},
};

BANK_BREAKAGES(VarbCombo, varb_combo_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
