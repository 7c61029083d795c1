// The WOB CD-ROM bank's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[60].Answer[1] = "2"; },
     "PB_WOB_Velto: record 60: Answer(1) is \"2\", table says \"1\""},
    {"lab_given_to_a_second_task", [](Shared& g) { g.questions[82].ExhibitFile[2] = "noip"; },
     "record 82: ExhibitFile(2) is \"noip\", table says \"\""},
    {"check_dropped", [](Shared& g) { g.questions[81].Answer[5].clear(); },
     "record 81: answers is 4, table says 5"},
    {"transcript_types_an_unchecked_command",
     [](Shared& g) {
       replace_first(g.questions[84].Clue, "\r\nRouter(config)#",
                     "\r\nRouter(config)#end\r\nRouter(config)#");
     },
     "records whose transcript types exactly their checked commands is 81,82,83,85,"},
    {"check_expects_false",
     [](Shared& g) { replace_first(g.questions[90].Answer[2], "=true", "=false"); },
     "transcript types exactly their checked commands is 81,82,83,84,85,86,87,88,89,91,"},
    {"feedback_address_stored", [](Shared& g) { g.feedback_address = "maker@example"; },
     "identity: feedback_address is \"maker@example\", table says \"before@example\""},
    {"record_filed_under_another_chapter", [](Shared& g) { g.questions[1].Category = 2; },
     "record 1: category is 2, table says 1"},
    {"task_cites_another_page", [](Shared& g) { g.questions[89].Reference = "253##"; },
     "record 89: reference page is 253, table says 252"},
    {"solution_loses_a_separator",
     [](Shared& g) { replace_first(g.questions[70].Explanation, "<br><br>", "<br>"); },
     "whose explanation pairs items with their matches is 60,61,62,63,64,65,66,67,68,69,71,"},
    {"third_flag_on_a_single_answer", [](Shared& g) { g.questions[3].Correct[2] = 1; },
     "record 3: correct flags is 3, table says 2"},
    {"fill_in_gains_a_form", [](Shared& g) { g.questions[19].Answer[2] = "log-neighbor-changes"; },
     "record 19: answers is 2, table says 1"},
    {"chapter_title_not_the_books", [](Shared& g) { g.category_names[7] = "EtherChannel Faults"; },
     "category 7: name (as 8 in PB_WOB_Pelma) is \"EtherChannel Faults\""},
    {"simulator_category_renamed", [](Shared& g) { g.category_names[15] = "Simulator Labs"; },
     "category 15: name is \"Simulator Labs\", table says \"Simulator Questions\""},
};

BANK_BREAKAGES(WobVelto, wob_velto_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
