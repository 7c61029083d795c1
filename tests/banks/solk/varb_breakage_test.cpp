// One figure of the VARB flash cards broken at a time: the validator names the record.
#include <gtest/gtest.h>

#include "banks/checker/breakage.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {
namespace {

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[40].Answer[1] = "31"; },
     "PB_SOLK_VARB: record 40: Answer(1) is \"31\", table says \"22\""},
    {"reference_given", [](Shared& g) { g.questions[78].Reference = "4##"; },
     "records with an empty reference is 129,142,223,227,252, table says "
     "78,129,142,223,227,252"},
    {"page_outside_its_topic", [](Shared& g) { g.questions[83].Reference = "12##"; },
     "records 73-83, any kind: values of the reference page is 3,4,11,12, table says 3,4,11"},
    {"accepted_reply_dropped", [](Shared& g) { g.questions[58].Answer[6].clear(); },
     "record 58: answers is 5, table says 6"},
    {"explanation_shared_across_topics",
     [](Shared& g) { g.questions[23].Explanation = g.questions[22].Explanation; },
     "records 22,23: share one explanation across categories"},
};

BANK_BREAKAGES(SolkVarb, solk_varb_figures, kBreakages);

}  // namespace
}  // namespace pv::bankcheck
