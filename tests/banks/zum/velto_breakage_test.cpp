// The ZUM CD-ROM bank's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

void drop_last_clue_line(std::string& clue) {
  clue.erase(clue.rfind("\r\n"));
}

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[81].Answer[1] = "11"; },
     "PB_ZUM_Velto: record 81: Answer(1) is \"11\", table says \"16\""},
    {"lab_given_to_the_last_task", [](Shared& g) { g.questions[90].ExhibitFile[2] = "zum"; },
     "record 90: ExhibitFile(2) is \"zum\", table says \"\""},
    {"long_clue_loses_a_line", [](Shared& g) { drop_last_clue_line(g.questions[90].Clue); },
     "record 90: clue lines is 107, table says 108"},
    {"picture_swapped", [](Shared& g) { g.questions[19].DiagramFile[1] = "q17.jpg"; },
     "record 19: DiagramFile(1) is \"q17.jpg\", table says \"q16.jpg\""},
    {"exhibit_named_after_another_record",
     [](Shared& g) { g.questions[7].ExhibitFile[1] = "q8.txt"; },
     "record 7: ExhibitFile(1) is \"q8.txt\", table says \"q7.txt\""},
    {"hint_dropped_from_a_choice_question", [](Shared& g) { g.questions[77].Clue.clear(); },
     "record 77: Clue is \"\", table says \"Do Not Abbreviate Commands\""},
    {"check_key_renamed",
     [](Shared& g) { g.questions[62].Answer[1] = "cmd=switchport trunk native vlan 99"; },
     "records 61,62,63,64,65,66,67,68,69,70,71,72,73,74,75: check 2 keys, table says one"},
    {"two_tasks_check_one_value",
     [](Shared& g) { g.questions[63].Answer[1] = g.questions[61].Answer[1]; },
     "record 63: checks the value \"show vtp status\" of another record"},
    {"simulator_category_renamed", [](Shared& g) { g.category_names[13] = "Simulator Labs"; },
     "category 13: name is \"Simulator Labs\", table says \"Simulator Questions\""},
    {"page_before_the_book", [](Shared& g) { g.questions[1].Reference = "16##"; },
     "reference page runs from 16 to "},
    {"accent_added", [](Shared& g) { g.questions[1].Question += " Caf\xC3\xA9."; },
     "characters beyond ASCII is 169,233,8211,8217,8482, table says 169,8211,8217,8482"},
    {"quote_added", [](Shared& g) { g.questions[5].Question += " \"Two.\""; },
     "total double quotes in the question, explanation and clue is 68, table says 66"},
    {"shortened_word_written_out",
     [](Shared& g) {
       std::string& clue = g.questions[61].Clue;
       clue.replace(clue.find("#sh vtp"), 7, "#show vtp");
     },
     "records whose explanation is not its clue as HTML is 6, table says 7"},
    {"chapter_title_not_the_books", [](Shared& g) { g.category_names[5] = "Spanning Tree Basics"; },
     "category 5: name (as in PB_ZUM_Pelma) is \"Spanning Tree Basics\""},
    {"third_title_at_50",
     [](Shared& g) { g.category_names[11] = "Securing Switch Access: Port Security, AAA, 802.1X"; },
     "categories: names of 50 characters is 7,11,12, table says 7,12"},
    {"short_clue_grows", [](Shared& g) { g.questions[62].Clue.append(200, 'x'); },
     "records with a clue longer than 400 characters is 61,62,64,68,69,73,74,86,88,90"},
};

BANK_BREAKAGES(ZumVelto, zum_velto_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
