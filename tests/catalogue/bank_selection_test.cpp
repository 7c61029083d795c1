// select_product loads the GUDAR bank of the chosen test through the bank registry.
#include <gtest/gtest.h>

#include "banks/registry.hpp"
#include "catalogue/catalogue.hpp"
#include "core/system.hpp"
#include "support/test_program.hpp"

namespace pv::testing {
namespace {

struct Choice {
  int16_t chosen_bank;
  int16_t selected_quiz;
  int16_t question_count;
  int16_t category_count;
  const char* description;
};

TEST(BankSelection, GudarLoadsTheBankOfTheChosenTest) {
  const Choice choices[] = {
      {1, 0, 242, 20, "Pelma Questions for the KWEL GUDAR book."},
      {2, 0, 108, 21, "Velto's Questions for the KWEL GUDAR book."},
      {3, 0, 350, 21, "Combination of velto and pelma questions. (100 from Velto)."},
      {0, 0, 242, 20, "Pelma Questions for the KWEL GUDAR book."},
      {0, 3, 350, 21, "Combination of velto and pelma questions. (100 from Velto)."},
      {5, 2, 242, 20, "Pelma Questions for the KWEL GUDAR book."},
  };
  TestProgram p("46000");
  for (const Choice& c : choices) {
    SCOPED_TRACE("chosen_bank " + std::to_string(c.chosen_bank) + ", selected_quiz " +
                 std::to_string(c.selected_quiz));
    p.g().chosen_bank = c.chosen_bank;
    p.g().selected_quiz = c.selected_quiz;
    select_product(p.sys());
    EXPECT_EQ(p.g().question_count, c.question_count);
    EXPECT_EQ(p.g().category_count, c.category_count);
    EXPECT_EQ(p.g().test_description, c.description);
    EXPECT_EQ(p.g().product_title, "Pelma KWEL GUDAR");
    EXPECT_EQ(p.g().test_title, "Pelma KWEL GUDAR");
    EXPECT_EQ(p.g().product_version, "5.20");
    EXPECT_EQ(p.g().feedback_address, kSalesAddress);
  }
  EXPECT_TRUE(p.dialogs->messages.empty());
}

TEST(BankSelection, EveryGudarModuleIsRegistered) {
  for (const char* name : {"PB_GUDAR_pelma", "PB_GUDAR_velto", "PB_GUDAR_combo"}) {
    const BankModule* bank = find_bank(name);
    ASSERT_NE(bank, nullptr) << name;
    EXPECT_EQ(bank->name, name);
  }
  EXPECT_EQ(find_bank("PB_GUDAR_Pelma"), nullptr);
}

}  // namespace
}  // namespace pv::testing
