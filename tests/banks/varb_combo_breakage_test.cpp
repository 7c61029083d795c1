// The VARB full exam's table catches one broken figure and names where it broke.
#include <gtest/gtest.h>

#include <functional>

#include "banks/bank_testing.hpp"
#include "banks/varb_combo_figures.hpp"

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

class VarbComboChanged : public ::testing::TestWithParam<Breakage> {};

TEST_P(VarbComboChanged, FailsAgainstItsTable) {
  const Breakage& b = GetParam();
  auto g = std::make_unique<Shared>();
  g->feedback_address = "before@example";
  ASSERT_TRUE(load_into(*g, "PB_VARB_combo"));
  ASSERT_EQ(report(check_figures(*g, varb_combo_figures(), "before@example")), "");
  b.change(*g);
  const std::string failures = report(check_figures(*g, varb_combo_figures(), "before@example"));
  EXPECT_NE(failures.find(b.expected), std::string::npos)
      << "expected a failure with: " << b.expected << "\ngot:\n"
      << failures;
}

const Breakage kBreakages[] = {
    {"cd_category_left_unmapped", [](Shared& g) { g.questions[280].Category = 14; },
     "PB_VARB_combo: record 280: differs from record 102 of PB_VARB_Velto in Category"},
    {"cd_record_mapped_one_chapter_off", [](Shared& g) { g.questions[192].Category = 5; },
     "record 192: differs from record 14 of PB_VARB_Velto in Category"},
    {"book_record_edited", [](Shared& g) { g.questions[76].Reference = "237##Subnet Masks"; },
     "record 76: differs from record 76 of PB_VARB_Pelma in Reference"},
    {"exercise_renumbered", [](Shared& g) { g.questions[180].Answer[1] = "2"; },
     "record 180: Answer(1) is \"2\", table says \"1\""},
    {"cd_description_taken",
     [](Shared& g) { g.test_description = "Velto Questions for the VARB book."; },
     "identity: test_description is \"Velto Questions for the VARB book.\", table says \"VARB "
     "Combo\""},
};

std::string breakage_name(const ::testing::TestParamInfo<Breakage>& breakage) {
  return breakage.param.name;
}

INSTANTIATE_TEST_SUITE_P(VarbComboBank, VarbComboChanged, ::testing::ValuesIn(kBreakages),
                         breakage_name);

}  // namespace
}  // namespace pv::bankcheck
