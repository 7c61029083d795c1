// One documented figure of a bank broken at a time: its table must catch the change and
// name the record or figure that broke.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "banks/bank_figures.hpp"

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

}  // namespace pv::bankcheck
