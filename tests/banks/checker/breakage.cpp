#include "banks/checker/breakage.hpp"

#include <memory>

#include "banks/checker/testing.hpp"

namespace pv::bankcheck {

void expect_caught(const BankFigures& figures, const Breakage& breakage) {
  // The address a bank without its own keeps: the table checks that it is left alone.
  const std::string address = "before@example";
  auto g = std::make_unique<Shared>();
  g->feedback_address = address;
  ASSERT_TRUE(load_into(*g, figures.module));
  ASSERT_EQ(report(check_figures(*g, figures, address)), "");
  breakage.change(*g);
  const std::string failures = report(check_figures(*g, figures, address));
  EXPECT_NE(failures.find(breakage.expected), std::string::npos)
      << "expected a failure with: " << breakage.expected << "\ngot:\n"
      << failures;
}

void replace_first(std::string& text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
}

}  // namespace pv::bankcheck
