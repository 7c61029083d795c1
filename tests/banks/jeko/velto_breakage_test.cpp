// The JEKO CD-ROM bank's table catches one broken figure and names where it broke.
#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[43].Answer[1] = "8"; },
     "PB_JEKO_Velto: record 43: Answer(1) is \"8\", table says \"9\""},
    {"two_flag_single_answer_retyped", [](Shared& g) { g.questions[57].Type = "multi_answer"; },
     "record 57: is multiple answer, table says single answer"},
    {"fill_in_flag_added_to_the_twin", [](Shared& g) { g.questions[12].Correct[1] = 1; },
     "record 12: correct answers is 1, table says "},
    {"empty_clue_filled", [](Shared& g) { g.questions[97].Clue = "R1>enable"; },
     "record 97: Clue is \"R1>enable\", table says \"\""},
    {"lab_moved", [](Shared& g) { g.questions[86].ExhibitFile[2] = "basicip"; },
     "record 86: ExhibitFile(2) is \"basicip\", table says \"noip\""},
    {"exhibit_swapped", [](Shared& g) { g.questions[71].ExhibitFile[1] = "q56.txt"; },
     "record 71: ExhibitFile(1) is \"q56.txt\", table says \"q57.txt\""},
    {"hint_in_the_wrong_case", [](Shared& g) { g.questions[59].Clue = "Decimal value please"; },
     "record 59: Clue is \"Decimal value please\", table says \"decimal value please\""},
    {"off_range_page_moved_into_the_chapter",
     [](Shared& g) { g.questions[28].Reference = "210##"; },
     "record 28: reference page is 210, table says 389"},
    {"section_title_after_the_page", [](Shared& g) { g.questions[5].Reference = "191##WAN Links"; },
     "reference"},
    {"own_chapter_title_taken_from_the_book",
     [](Shared& g) { g.category_names[12] = g.category_names[11]; },
     "category 12: name \"Broadband Access: DSL and PPPoE\" is PB_JEKO_Pelma's name 12, table says "
     "a name of its own"},
    {"long_explanation_cut", [](Shared& g) { g.questions[38].Explanation.resize(1700); },
     "records 38-38"},
    {"question_grows_past_400", [](Shared& g) { g.questions[81].Question.append(100, 'x'); },
     "records 1-81, any kind: question length runs from 52 to 426, table says within 1 to 400"},
    {"truth_value_dropped_from_a_check", [](Shared& g) { g.questions[100].Answer[3].clear(); },
     "record 100: answers is 2, table says 3"},
    {"quote_lost",
     [](Shared& g) { g.questions[55].Question = "What does dialer idle-timeout 300 do?"; },
     "records with a double quote in the question is 54,56, table says 54,55,56"},
};

BANK_BREAKAGES(JekoVelto, jeko_velto_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
