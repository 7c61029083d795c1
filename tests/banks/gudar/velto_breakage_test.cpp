// One figure of the GUDAR CD-ROM bank broken at a time: its table names the record.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[11].Answer[1] = "7"; },
     "record 11: Answer(1) is \"7\", table says \"1\""},
    {"lab_changed", [](Shared& g) { g.questions[95].ExhibitFile[2] = "2950"; },
     "record 95: ExhibitFile(2) is \"2950\", table says \"3550\""},
    {"check_dropped", [](Shared& g) { g.questions[88].Answer[4].clear(); },
     "simulator: total answers is 45, table says 46"},
};

BANK_BREAKAGES(GudarVelto, gudar_velto_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
