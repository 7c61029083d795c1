// The VARB CD-ROM bank's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include <functional>

#include "banks/bank_testing.hpp"
#include "banks/varb_velto_figures.hpp"

namespace pv::bankcheck {
namespace {

struct Breakage {
  const char* name;
  std::function<void(Shared&)> change;
  std::string expected;  // part of a failure line
};

void PrintTo(const Breakage& b, std::ostream* os) {
  *os << b.name;
}

class VarbVeltoChanged : public ::testing::TestWithParam<Breakage> {};

TEST_P(VarbVeltoChanged, FailsAgainstItsTable) {
  const Breakage& b = GetParam();
  auto g = std::make_unique<Shared>();
  g->feedback_address = "before@example";
  ASSERT_TRUE(load_into(*g, "PB_VARB_Velto"));
  ASSERT_EQ(report(check_figures(*g, varb_velto_figures(), "before@example")), "");
  b.change(*g);
  const std::string failures = report(check_figures(*g, varb_velto_figures(), "before@example"));
  EXPECT_NE(failures.find(b.expected), std::string::npos)
      << "expected a failure with: " << b.expected << "\ngot:\n"
      << failures;
}

const Breakage kBreakages[] = {
    {"exercise_renumbered", [](Shared& g) { g.questions[2].Answer[1] = "41"; },
     "PB_VARB_Velto: record 2: Answer(1) is \"41\", table says \"1\""},
    {"off_range_page_moved", [](Shared& g) { g.questions[1].Reference = "56##"; },
     "category 1: lowest page is 56, table says 238"},
    {"shared_question_reworded", [](Shared& g) { g.questions[33].Question += " Then check it."; },
     "record 33: question differs from the question of record 28"},
    {"case_variant_made_another_reply", [](Shared& g) { g.questions[96].Answer[2] += "s"; },
     "record 96: spellings is 2, table says 1"},
    {"long_explanation_gains_a_piece",
     [](Shared& g) { g.questions[1].Explanation.append(351, 'x'); },
     "records by 350-character pieces of the explanation"},
};

std::string breakage_name(const ::testing::TestParamInfo<Breakage>& breakage) {
  return breakage.param.name;
}

INSTANTIATE_TEST_SUITE_P(VarbVeltoBank, VarbVeltoChanged, ::testing::ValuesIn(kBreakages),
                         breakage_name);

}  // namespace
}  // namespace pv::bankcheck
