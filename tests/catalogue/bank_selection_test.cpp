// select_product loads the bank of the chosen test through the bank registry.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "banks/registry.hpp"
#include "catalogue/catalogue.hpp"
#include "core/system.hpp"
#include "support/test_program.hpp"

namespace pv::testing {
namespace {

// What a load leaves that tells the banks of one product apart.
struct Loaded {
  int16_t question_count;
  int16_t category_count;
  const char* description;
  const char* version;
};

struct Choice {
  int16_t chosen_bank;
  int16_t selected_quiz;
  Loaded bank;
};

// Runs the choices in order in one program, so each load follows the one before.
void expect_loads(const char* code, const char* title, std::initializer_list<Choice> choices) {
  TestProgram p(code);
  for (const Choice& c : choices) {
    SCOPED_TRACE(std::string(code) + ": chosen_bank " + std::to_string(c.chosen_bank) +
                 ", selected_quiz " + std::to_string(c.selected_quiz));
    p.g().chosen_bank = c.chosen_bank;
    p.g().selected_quiz = c.selected_quiz;
    select_product(p.sys());
    EXPECT_EQ(p.g().question_count, c.bank.question_count);
    EXPECT_EQ(p.g().category_count, c.bank.category_count);
    EXPECT_EQ(p.g().test_description, c.bank.description);
    EXPECT_EQ(p.g().product_title, title);
    EXPECT_EQ(p.g().test_title, title);
    EXPECT_EQ(p.g().product_version, c.bank.version);
    EXPECT_EQ(p.g().feedback_address, kSalesAddress);
  }
  EXPECT_TRUE(p.dialogs->messages.empty());
}

// The exams with a book, a CD-ROM and a full-exam bank. Test 2 loads the CD-ROM bank, test 3
// the full exam, any other choice the book; the chosen bank counts before selected_quiz.
struct Exam {
  const char* code;
  const char* title;
  Loaded book, cd, full;
};

const Exam kExams[] = {
    {"46000",
     "Pelma KWEL GUDAR",
     {242, 20, "Pelma Questions for the KWEL GUDAR book.", "5.20"},
     {108, 21, "Velto's Questions for the KWEL GUDAR book.", "5.20"},
     {350, 21, "Combination of velto and pelma questions. (100 from Velto).", "5.20"}},
    {"46002",
     "Pelma Books VARB",
     {178, 19, "Pelma Questions for the VARB book.", "5.26"},
     {102, 14, "Velto Questions for the VARB book.", "5.26"},
     {280, 19, "VARB Combo", "5.26"}},
    // The full exam of HOLMI has one category less than its CD-ROM bank: its simulator tasks
    // have none of their own.
    {"46003",
     "Pelma Books HOLMI",
     {171, 18, "Pelma Books Questions for the HOLMI book.", "5.22"},
     {105, 19, "Velto's questions for the Pelma Books HOLMI.", "5.22"},
     {276, 18, "Combination of Velto and Pelma Books questions for the HOLMI book.", "5.22"}},
    {"46004",
     "Pelma Books ZUM",
     {125, 12, "Pelma Books Questions for the ZUM book.", "5.34"},
     {100, 13, "Velto's Questions for the Pelma Books ZUM.", "5.34"},
     {225, 13, "Combination of Velto and Pelma Books Questions for the Pelma Books ZUM.", "5.34"}},
    {"46005",
     "Pelma Books JEKO",
     {255, 18, "Pelma Books Questions for the JEKO book.", "5.22"},
     {100, 19, "Velto Questions for the Pelma Books JEKO book.", "5.22"},
     {355, 18, "Combo questions", "5.22"}},
    // The PIRAL and WOB banks keep the contact address that select_product stored.
    {"46006",
     "Pelma Books PIRAL",
     {188, 21, "Pelma Books Questions for the PIRAL book.", "5.47"},
     {100, 21, "Velto Questions for the PIRAL book.", "5.47"},
     {288, 22, "Combination of Velto and Pelma Books questions. ", "5.47"}},
    {"46007",
     "FYRD - WOB",
     {179, 16, "Pelma Books Questions for the WOB book.", "5.45"},
     {100, 15, "Velto Questions for the WOB book.", "5.45"},
     {279, 17, "Combination of Questions for the WOB book.", "5.45"}},
};

TEST(BankSelection, EachExamLoadsTheBankOfTheChosenTest) {
  for (const Exam& e : kExams) {
    expect_loads(e.code, e.title,
                 {{1, 0, e.book},
                  {2, 0, e.cd},
                  {3, 0, e.full},
                  {2, 0, e.cd},
                  {3, 0, e.full},
                  {0, 0, e.book},
                  {0, 3, e.full},
                  {0, 2, e.cd},
                  {0, 1, e.book},
                  {5, 2, e.book},
                  {-1, 3, e.book},
                  {4, 3, e.book}});
  }
}

// The flash cards have two tests: test 2 is the SOLK half, every other choice the VARB half.
TEST(BankSelection, FlashCardsLoadTheSolkHalfForTestTwoOnly) {
  const Loaded varb{275, 15, "Velto Questions for Pelma Books VARB part of SOLK Flash Cards",
                    "5.36"};
  const Loaded solk{275, 12, "Velto Questions for Pelma Books SOLK part of SOLK Flash Cards",
                    "5.41"};
  expect_loads("46008", "Pelma Books VARB/SOLK Flash Cards",
               {{1, 0, varb},
                {2, 0, solk},
                {3, 0, varb},
                {0, 0, varb},
                {0, 2, solk},
                {0, 3, varb},
                {5, 2, varb}});
}

// Every product's three tests load a bank that has questions and categories.
TEST(BankSelection, EveryTestOfEveryProductLoadsABank) {
  for (const char* code :
       {"46000", "46002", "46003", "46004", "46005", "46006", "46007", "46008"}) {
    TestProgram p(code);
    for (int16_t test = 1; test <= 3; ++test) {
      SCOPED_TRACE(std::string(code) + ": test " + std::to_string(test));
      p.g().chosen_bank = test;
      p.g().question_count = 0;
      p.g().category_count = 0;
      select_product(p.sys());
      EXPECT_GT(p.g().question_count, 0);
      EXPECT_GT(p.g().category_count, 0);
    }
  }
}

TEST(BankSelection, EveryModuleIsRegisteredUnderItsExactName) {
  for (const char* name :
       {"PB_GUDAR_pelma", "PB_GUDAR_velto", "PB_GUDAR_combo", "PB_VARB_Pelma",  "PB_VARB_Velto",
        "PB_VARB_combo",  "PB_SOLK_VARB",   "PB_SOLK_SOLK",   "PB_ZUM_Pelma",   "PB_ZUM_Velto",
        "PB_ZUM_Combo",   "PB_HOLMI_Pelma", "PB_HOLMI_Velto", "PB_HOLMI_Combo", "PB_WOB_Pelma",
        "PB_WOB_Velto",   "PB_WOB_Combo",   "PB_JEKO_Pelma",  "PB_JEKO_Velto",  "PB_JEKO_Combo",
        "PB_PIRAL_Pelma", "PB_PIRAL_Velto", "PB_PIRAL_Combo"}) {
    const BankModule* bank = find_bank(name);
    ASSERT_NE(bank, nullptr) << name;
    EXPECT_EQ(bank->name, name);
  }
  EXPECT_EQ(find_bank("PB_GUDAR_Pelma"), nullptr);
  EXPECT_EQ(find_bank("PB_VARB_Combo"), nullptr);
  EXPECT_EQ(find_bank("PB_ZUM_combo"), nullptr);
  EXPECT_EQ(find_bank("PB_WOB_combo"), nullptr);
}

}  // namespace
}  // namespace pv::testing
