// The HOLMI CD-ROM bank's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[85].Answer[1] = "1"; },
     "PB_HOLMI_Velto: record 85: Answer(1) is \"1\", table says \"11\""},
    {"lab_given_to_another_task", [](Shared& g) { g.questions[93].ExhibitFile[2] = "basicip"; },
     "record 93: ExhibitFile(2) is \"basicip\", table says \"\""},
    {"exhibit_dropped", [](Shared& g) { g.questions[24].ExhibitFile[1].clear(); },
     "record 24: ExhibitFile(1) is \"\", table says \"q31.txt\""},
    {"hint_dropped", [](Shared& g) { g.questions[62].Clue.clear(); },
     "record 62: Clue is \"\", table says \"Do not abbreviate commands\""},
    {"fill_in_form_unflagged", [](Shared& g) { g.questions[52].Correct[2] = 0; },
     "record 52: correct flags is 1, table says 2"},
    {"typed_as_in_the_full_exam", [](Shared& g) { g.questions[82].Type = "single_answer"; },
     "record 82: is single answer, table says multiple answer"},
    {"second_transcript_loses_a_line",
     [](Shared& g) {
       std::string& clue = g.questions[88].Clue;
       clue.erase(clue.rfind("\r\n"));
     },
     "record 88: clue lines is 12, table says 13"},
    {"setting_check_becomes_a_command_check",
     [](Shared& g) { g.questions[105].Answer[1] = "executed_ip_classless=true"; },
     "record 105: command checks is 1, table says 0"},
    {"page_beyond_its_chapter", [](Shared& g) { g.questions[2].Reference = "53##"; },
     "record 2: reference page is 53, table says 44"},
    {"twin_explanation_split", [](Shared& g) { g.questions[3].Explanation += " "; },
     "record 3: explanation differ from those of record 2"},
    {"task_filed_under_a_chapter", [](Shared& g) { g.questions[105].Category = 18; },
     "category 19: records is 19, table says 20"},
    {"short_task_grows_past_400", [](Shared& g) { g.questions[92].Question.append(120, 'x'); },
     "records with a question longer than 400 characters is 87,89,90,91,92,99,101,102, table says "
     "87,89,90,91,99,101,102"},
};

BANK_BREAKAGES(HolmiVelto, holmi_velto_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
