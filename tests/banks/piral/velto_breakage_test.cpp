// The PIRAL CD-ROM bank's table catches one broken figure and names where it broke.
#include "banks/checker/breakage.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

// The clue's lines as HTML, so that the explanation no longer shows more than the clue.
const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[61].Answer[1] = "2"; },
     "PB_PIRAL_Velto: record 61: Answer(1) is \"2\", table says \"1\""},
    {"interface_check_made_a_command",
     [](Shared& g) { g.questions[86].Answer[1] = "executed_no_ip_redirects=true"; },
     "record 86: command checks is 1, table says 0"},
    {"lab_named", [](Shared& g) { g.questions[81].ExhibitFile[2] = "noip"; },
     "record 81: ExhibitFile(2) is \"noip\", table says \"\""},
    {"exhibits_swapped", [](Shared& g) { g.questions[24].ExhibitFile[1] = "q53.txt"; },
     "record 24: ExhibitFile(1) is \"q53.txt\", table says \"q24.txt\""},
    {"four_flag_single_answer_loses_one",
     [](Shared& g) {
       for (int i = 6; i >= 1; --i)
         if (g.questions[9].Correct[i] == 1) return void(g.questions[9].Correct[i] = 0);
     },
     "record 9: correct flags is 3, table says 4"},
    {"fill_in_gains_a_flag", [](Shared& g) { g.questions[20].Correct[1] = 1; },
     "record 20: correct flags is 1, table says 0"},
    {"shared_instruction_reworded",
     [](Shared& g) { g.questions[70].Question += " Check your work."; },
     "record 70: question differs from the question of record 69"},
    {"clue_shows_the_output",
     [](Shared& g) { g.questions[94].Explanation = clue_as_html(g.questions[94]); },
     "records whose explanation is not its clue as HTML is none, table says 94"},
    {"page_beyond_the_last", [](Shared& g) { g.questions[58].Reference = "536##"; },
     "highest reference page is 536, table says 535"},
    {"section_title_after_the_page",
     [](Shared& g) { g.questions[5].Reference = "43##Threat Actors"; },
     "record 5: reference \"43##Threat Actors\" is not a page and \"##\" alone"},
    {"record_filed_under_an_empty_chapter", [](Shared& g) { g.questions[11].Category = 3; },
     "record 11: category is 3, table says 4"},
    {"simulator_category_renamed", [](Shared& g) { g.category_names[21] = "Simulator Labs"; },
     "category 21: name is \"Simulator Labs\", table says \"Simulator Questions\""},
    {"feedback_address_stored", [](Shared& g) { g.feedback_address = "maker@example"; },
     "identity: feedback_address is \"maker@example\", table says \"before@example\""},
};

BANK_BREAKAGES(PiralVelto, piral_velto_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
