// One figure of the HOLMI book bank broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/breakage.hpp"
#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"second_flag_moved",
     [](Shared& g) { std::swap(g.questions[124].Correct[4], g.questions[124].Correct[5]); },
     "record 124: correct answers is 3,4, table says 3,5"},
    {"page_falls_back",
     [](Shared& g) { g.questions[135].Reference = "398##The iBGP Full-Mesh Rule"; },
     "records with a page below an earlier one of their category is 72,79,80,135, table says "
     "72,79,80"},
    {"typographic_apostrophe_straightened",
     [](Shared& g) {
       std::string& q = g.questions[3].Question;
       q.replace(q.find("\xE2\x80\x99"), 3, "'");
     },
     "records with characters beyond ASCII in the question is none, table says 3"},
    {"listing_answer_on_one_line",
     [](Shared& g) { g.questions[121].Answer[2] = "route-map PREF permit 10"; },
     "records by answers with <br> is {0:169 3:1 4:1}, table says {0:169 4:2}"},
    {"category_name_uncut", [](Shared& g) { g.category_names[15] += "ction"; },
     "categories 15: longest name is 55, table says 50"},
};

BANK_BREAKAGES(HolmiPelma, holmi_pelma_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
