// One figure of the PIRAL book bank broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/registry.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"single_answer_loses_a_flag", [](Shared& g) { g.questions[63].Correct[5] = 0; },
     "record 63: correct answers is 3,4, table says 3,4,5"},
    {"bonus_flag_moved",
     [](Shared& g) {
       g.questions[185].Correct[6] = 0;
       g.questions[185].Correct[2] = 1;
     },
     "record 185: correct answers is 1,2,3,5, table says 1,3,5,6"},
    {"true_or_false_flipped",
     [](Shared& g) {
       g.questions[7].Correct[1] = 0;
       g.questions[7].Correct[2] = 1;
     },
     "record 7: correct answers is 2, table says 1"},
    {"every_answer_flagged",
     [](Shared& g) {
       for (int i = 1; i <= 4; ++i) g.questions[40].Correct[i] = 1;
     },
     "records with every answer flagged is 40, table says none"},
    {"record_127_without_its_page", [](Shared& g) { g.questions[127].Reference.erase(0, 3); },
     "record 127: reference page is -1, table says 289"},
    {"off_range_page_moved_into_its_chapter",
     [](Shared& g) { replace_first(g.questions[100].Reference, "93##", "230##"); },
     "record 100: reference page is 230, table says 93"},
    {"page_past_its_chapter",
     [](Shared& g) { replace_first(g.questions[90].Reference, "213##", "214##"); },
     "category 10: highest page is 214, table says 213"},
    {"reference_shared_across_chapters",
     [](Shared& g) { g.questions[30].Reference = g.questions[29].Reference; },
     "records 29,30: share one reference across categories"},
    {"quote_pair_broken", [](Shared& g) { replace_first(g.questions[21].Question, "\"", ""); },
     "records with an odd number of double quotes in one text is 21, table says none"},
    {"quoted_answer_unquoted", [](Shared& g) { g.questions[179].Answer[5] = "notices"; },
     "total double quotes in the answers is 20, table says 22"},
    {"typographic_quotes_straightened",
     [](Shared& g) {
       replace_first(g.questions[188].Answer[1], "\xE2\x80\x9C", "\"");
       replace_first(g.questions[188].Answer[1], "\xE2\x80\x9D", "\"");
     },
     "records by answers with characters beyond ASCII is {0:186 1:1 3:1}"},
    {"entity_written_as_character",
     [](Shared& g) { replace_first(g.questions[35].Answer[4], "&gt;", ">"); },
     "records by answers with \"&\" is {0:187 1:1}, table says {0:187 2:1}"},
    {"two_digit_page_gains_a_digit",
     [](Shared& g) { replace_first(g.questions[33].Reference, "97##", "197##"); },
     "records 32-37, any kind: records with the character where \"##\" begins outside 3-3 are 33"},
    {"longest_question_grows", [](Shared& g) { g.questions[42].Question += "?"; },
     "highest question length is 300, table says 299"},
    {"chapter_eight_title_cut", [](Shared& g) { g.category_names[8].pop_back(); },
     "names of 50 characters is none, table says 8"},
    {"feedback_address_stored", [](Shared& g) { g.feedback_address = kSalesAddress; },
     "identity: feedback_address"},
};

BANK_BREAKAGES(PiralPelma, piral_pelma_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
