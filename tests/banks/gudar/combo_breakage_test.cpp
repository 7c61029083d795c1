// One figure of the GUDAR full exam broken at a time: its table names the record.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"spelling_case_changed",
     [](Shared& g) { g.questions[302].Answer[3] = g.questions[302].Answer[2]; }, "record 302"},
    {"cd_rom_record_differs", [](Shared& g) { g.questions[300].Question += "?"; },
     "record 300: differs from record 58 of PB_GUDAR_velto in Question"},
    {"clue_gains_empty_line", [](Shared& g) { g.questions[330].Clue.insert(0, "\r\n"); },
     "records whose clue begins with an empty line is 330,334,341, table says 334,341"},
    {"description_changed",
     [](Shared& g) { g.test_description = "Combination of velto and pelma questions."; },
     "test_description"},
};

BANK_BREAKAGES(GudarCombo, gudar_combo_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
