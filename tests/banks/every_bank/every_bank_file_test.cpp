// Every bank file under banks/ is built in, keeps the rules of every bank, and loads behind
// the largest bank as on an empty table. The rules are written in checker/rules.cpp, each
// tested on a broken record in checker/rules_test.cpp; a scan that every bank file must pass
// goes in this folder, a file of its own.
#include <gtest/gtest.h>

#include "banks/checker/figures.hpp"
#include "banks/checker/rules.hpp"
#include "banks/checker/testing.hpp"

namespace pv::bankcheck {
namespace {

class EveryBankFile : public ::testing::TestWithParam<BankFileInfo> {};

// The bank with the most records, so that a load behind it shows what its reset leaves.
std::string largest_bank() {
  std::string largest;
  int most = 0;
  for (const BankFileInfo& f : bank_files())
    if (const auto g = load_module(f.module); g && g->question_count > most) {
      most = g->question_count;
      largest = f.module;
    }
  return largest;
}

TEST_P(EveryBankFile, IsBuiltInAndKeepsTheRulesOfEveryBank) {
  const BankFileInfo& file = GetParam();
  const auto g = load_module(file.module);
  ASSERT_TRUE(g) << file.path << ": module " << file.module << " is not built in";
  EXPECT_EQ(report(check_rules(*g, file)), "");
}

TEST_P(EveryBankFile, LoadsBehindTheLargestBankAsOnAnEmptyTable) {
  const BankFileInfo& file = GetParam();
  auto g = std::make_unique<Shared>();
  ASSERT_TRUE(load_into(*g, largest_bank()));
  for (int r = 1; r <= 1000; ++r) g->questions[r].Number = static_cast<int16_t>(r);
  ASSERT_TRUE(load_into(*g, file.module));
  EXPECT_EQ(report(check_reset_beyond_count(*g, file.module)), "");
  const auto fresh = load_module(file.module);
  for (int r = 1; r <= fresh->question_count; ++r) {
    EXPECT_TRUE(same_bank_fields(g->questions[r], fresh->questions[r])) << "record " << r;
    EXPECT_EQ(g->questions[r].Number, r);
  }
  EXPECT_TRUE(g->category_names == fresh->category_names);
}

std::string module_name(const ::testing::TestParamInfo<BankFileInfo>& file) {
  return file.param.module;
}

INSTANTIATE_TEST_SUITE_P(Banks, EveryBankFile, ::testing::ValuesIn(bank_files()), module_name);

}  // namespace
}  // namespace pv::bankcheck
