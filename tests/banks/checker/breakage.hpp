// One documented figure of a bank broken at a time: its table must catch the change and
// name the record or figure that broke.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "banks/checker/figures.hpp"

namespace pv::bankcheck {

struct Breakage {
  const char* name;
  std::function<void(Shared&)> change;
  std::string expected;  // part of a failure line
};

inline void PrintTo(const Breakage& b, std::ostream* os) {
  *os << b.name;
}

inline std::string breakage_name(const ::testing::TestParamInfo<Breakage>& breakage) {
  return breakage.param.name;
}

// Loads the table's bank, sees it pass, applies the breakage and expects a failure line
// that holds `expected`.
void expect_caught(const BankFigures& figures, const Breakage& breakage);

// Replaces the first `from` in the text, which must hold it.
void replace_first(std::string& text, const std::string& from, const std::string& to);

}  // namespace pv::bankcheck

// The test of one table's breakages, a case for each:
// <Bank>/<Bank>RecordChanged.FailsAgainstItsTable/<breakage name>.
#define BANK_BREAKAGES(Bank, figures, breakages)                            \
  class Bank##RecordChanged : public ::testing::TestWithParam<Breakage> {}; \
  TEST_P(Bank##RecordChanged, FailsAgainstItsTable) {                       \
    expect_caught(figures(), GetParam());                                   \
  }                                                                         \
  INSTANTIATE_TEST_SUITE_P(Bank, Bank##RecordChanged, ::testing::ValuesIn(breakages), breakage_name)
