// One figure of the ZUM book bank broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"third_flag_dropped", [](Shared& g) { g.questions[37].Correct[4] = 0; },
     "record 37: correct flags is 2, table says 3"},
    {"multi_answer_typed_single", [](Shared& g) { g.questions[113].Type = "single_answer"; },
     "record 113: is single answer, table says multiple answer"},
    {"fifth_answer_dropped", [](Shared& g) { g.questions[25].Answer[5].clear(); },
     "records with 5 or 6 answers is 2,6,7,8,12,13,14,26,"},
    {"long_question_one_short", [](Shared& g) { g.questions[89].Question.pop_back(); },
     "record 89: question length is 725, table says 726"},
    {"question_past_373", [](Shared& g) { g.questions[95].Question += std::string(300, 'x'); },
     "records 90-125, any kind: records with the question length outside 50-373 are 95"},
    {"line_break_lost", [](Shared& g) { replace_first(g.questions[117].Question, "<br>", " "); },
     "records with <br> in the question is 88,118, table says 88,117,118"},
    {"answer_with_markup", [](Shared& g) { g.questions[60].Answer[1] += "<br>"; },
     "records with markup in an answer is 60, table says none"},
    {"en_dash_hyphenated",
     [](Shared& g) { replace_first(g.questions[21].Answer[1], "\xE2\x80\x93", "-"); },
     "total answers with U+2013 is 4, table says 5"},
    {"en_dash_moved_to_another_record",
     [](Shared& g) {
       replace_first(g.questions[87].Answer[4], "\xE2\x80\x93", ",");
       g.questions[28].Answer[1] =
           "1\xE2\x80\x93"
           "4094";
     },
     "records 87-87, any kind: total answers with U+2013 is 0, table says 1"},
    {"multi_answer_flags_swapped",
     [](Shared& g) {
       std::swap(g.questions[8].Answer[2], g.questions[8].Answer[3]);
       std::swap(g.questions[8].Correct[2], g.questions[8].Correct[3]);
     },
     "record 8: correct answers is 1,3,4, table says 1,2,4"},
    {"single_answer_flag_moved",
     [](Shared& g) {
       std::swap(g.questions[46].Answer[1], g.questions[46].Answer[5]);
       std::swap(g.questions[46].Correct[1], g.questions[46].Correct[5]);
     },
     "records 1-125, single answer: records by slot of the correct answer is {1:20 2:32 3:30 4:23 "
     "5:11}"},
    {"section_split_in_two",
     [](Shared& g) { g.questions[101].Reference = "201##HSRP Priority, Preemption and Tracking"; },
     "references by the records citing each is {1:9 2:23 3:11 4:5 5:2 7:1}"},
    {"reference_shared_across_chapters",
     [](Shared& g) { g.questions[96].Reference = g.questions[95].Reference; },
     "records sharing a reference with another category is 76,77,78,79,80,81,82,95,96, table "
     "says 76,77,78,79,80,81,82"},
    {"two_digit_page_past_record_50",
     [](Shared& g) { g.questions[51].Reference = "99##Electing the Root Bridge"; },
     "records 51-125, any kind: reference page runs from 99 to 251, table says within 100 to 999"},
    {"answer_past_273", [](Shared& g) { g.questions[44].Answer[1] += "."; },
     "longest answer is 274, table says 273"},
    {"explanation_set", [](Shared& g) { g.questions[100].Explanation = "Preemption."; },
     "records with an explanation is 100, table says none"},
    {"chapter_seven_reference_apart",
     [](Shared& g) { g.questions[76].Reference = "138##Interoperation with Legacy Spanning Tree"; },
     "record 76: reference differs from the reference of record 77"},
    {"page_outside_chapter",
     [](Shared& g) { replace_first(g.questions[70].Reference, "131", "140"); },
     "records 66-75, any kind: highest reference page is 140, table says 138"},
    {"category_name_past_50", [](Shared& g) { g.category_names[12] += "s"; },
     "category 12: name is longer than 50 characters"},
};

BANK_BREAKAGES(ZumPelma, zum_pelma_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
