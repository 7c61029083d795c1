// The load convention as the GUDAR banks show it: what a load leaves behind a larger
// bank, repeated loads, the fields no load touches, and the category globals.
#include <gtest/gtest.h>

#include "banks/bank_table.hpp"
#include "banks/checker/testing.hpp"
#include "banks/registry.hpp"

namespace pv::bankcheck {
namespace {

constexpr std::string_view kPelma = "PB_GUDAR_pelma";
constexpr std::string_view kVelto = "PB_GUDAR_velto";
constexpr std::string_view kCombo = "PB_GUDAR_combo";

std::unique_ptr<Shared> loaded_in_order(std::initializer_list<std::string_view> modules) {
  auto g = std::make_unique<Shared>();
  for (std::string_view m : modules) EXPECT_TRUE(load_into(*g, m)) << m;
  return g;
}

// Everything a load may write.
void expect_same_bank_state(const Shared& a, const Shared& b) {
  EXPECT_EQ(a.question_count, b.question_count);
  EXPECT_EQ(a.category_count, b.category_count);
  EXPECT_EQ(a.categories_enabled, b.categories_enabled);
  EXPECT_TRUE(a.category_names == b.category_names);
  EXPECT_EQ(a.test_description, b.test_description);
  EXPECT_EQ(a.product_title, b.product_title);
  EXPECT_EQ(a.test_title, b.test_title);
  EXPECT_EQ(a.product_version, b.product_version);
  EXPECT_EQ(a.feedback_address, b.feedback_address);
  for (int r = 0; r <= 1000; ++r) EXPECT_TRUE(a.questions[r] == b.questions[r]) << "record " << r;
}

TEST(BankLoad, CategoryGlobalsAreEmptyBeforeTheFirstLoadAndSetAfterIt) {
  const auto owned = std::make_unique<Shared>();
  Shared& g = *owned;
  EXPECT_EQ(g.question_count, 0);
  EXPECT_EQ(g.category_count, 0);
  EXPECT_EQ(g.categories_enabled, vbFalse);
  ASSERT_TRUE(load_into(g, kVelto));
  EXPECT_EQ(g.categories_enabled, vbTrue);
  EXPECT_EQ(g.category_count, 21);
  EXPECT_EQ(g.question_count, 108);
}

TEST(BankLoad, BookBankAfterTheFullExamLeavesOnlyQuestionExplanationAndTypeBeyondItsCount) {
  const auto combo = load_module(kCombo);
  const auto g = loaded_in_order({kCombo, kPelma});
  EXPECT_EQ(g->question_count, 242);
  EXPECT_EQ(g->category_count, 20);
  EXPECT_EQ(g->category_names[21], "");
  for (int r = 243; r <= 350; ++r) {
    const QuestionRecord& q = g->questions[r];
    SCOPED_TRACE("record " + std::to_string(r));
    EXPECT_EQ(q.Question, combo->questions[r].Question);
    EXPECT_EQ(q.Explanation, combo->questions[r].Explanation);
    EXPECT_EQ(q.Type, combo->questions[r].Type);
    EXPECT_EQ(answer_count(q), 0);
    EXPECT_TRUE(flagged(q).empty());
    EXPECT_EQ(q.Clue, "");
    EXPECT_EQ(q.Reference, "");
    EXPECT_EQ(q.DiagramFile[1], "");
    EXPECT_EQ(q.ExhibitFile[2], "");
    EXPECT_EQ(q.Category, 1);
  }
  // The book bank's own records are as a load on an empty table gives them.
  const auto pelma = load_module(kPelma);
  for (int r = 1; r <= 242; ++r) EXPECT_TRUE(g->questions[r] == pelma->questions[r]) << r;
}

TEST(BankLoad, FullExamAfterTheCdRomBankKeepsNothingOfIt) {
  const auto g = loaded_in_order({kVelto, kCombo});
  expect_same_bank_state(*g, *load_module(kCombo));
}

TEST(BankLoad, CdRomBankAfterTheBookBankResetsTheBookRecordsBeyond108) {
  const auto pelma = load_module(kPelma);
  const auto g = loaded_in_order({kPelma, kVelto});
  EXPECT_EQ(g->category_names[21], load_module(kVelto)->category_names[21]);
  for (int r = 109; r <= 242; ++r) {
    EXPECT_EQ(g->questions[r].Question, pelma->questions[r].Question);
    EXPECT_EQ(g->questions[r].Type, pelma->questions[r].Type);
    EXPECT_EQ(answer_count(g->questions[r]), 0);
    EXPECT_EQ(g->questions[r].Reference, "");
  }
}

TEST(BankLoad, LoadingTwiceEqualsLoadingOnce) {
  for (std::string_view m : {kPelma, kVelto, kCombo}) {
    SCOPED_TRACE(m);
    expect_same_bank_state(*loaded_in_order({m, m}), *load_module(m));
  }
}

TEST(BankLoad, NumberRunTimeFieldsAndElementZeroSurviveEveryLoad) {
  const auto owned = std::make_unique<Shared>();
  Shared& g = *owned;
  for (int r = 0; r <= 1000; ++r) {
    QuestionRecord& q = g.questions[r];
    q.Number = static_cast<int16_t>(r);
    q.State = 3;
    q.Choice[2] = 1;
    q.Reply = "typed";
    q.Arranged = 1;
    q.Answer[0] = "slot 0";
    q.Correct[0] = 1;
    q.DiagramFile[0] = "d0";
    q.ExhibitFile[0] = "e0";
  }
  g.questions[0].Question = "record 0";
  g.category_names[0] = "category 0";
  const QuestionRecord record0 = g.questions[0];
  for (std::string_view m : {kCombo, kPelma, kVelto}) {
    ASSERT_TRUE(load_into(g, m));
    for (int r = 1; r <= 1000; ++r) {
      const QuestionRecord& q = g.questions[r];
      ASSERT_EQ(q.Number, r) << m;
      ASSERT_TRUE(q.State == 3 && q.Choice[2] == 1 && q.Reply == "typed" && q.Arranged == 1) << r;
      ASSERT_TRUE(q.Answer[0] == "slot 0" && q.Correct[0] == 1 && q.DiagramFile[0] == "d0" &&
                  q.ExhibitFile[0] == "e0")
          << r;
    }
    EXPECT_TRUE(g.questions[0] == record0);
    EXPECT_EQ(g.category_names[0], "category 0");
  }
}

TEST(BankLoad, EveryGudarLoadStoresTheSalesAddress) {
  for (std::string_view m : {kPelma, kVelto, kCombo}) {
    const auto owned = std::make_unique<Shared>();
    Shared& g = *owned;
    g.feedback_address = "someone@else.example";
    ASSERT_TRUE(load_into(g, m));
    EXPECT_EQ(g.feedback_address, kSalesAddress) << m;
  }
}

// A full exam's category map and exceptions, on tables of our own.
namespace tables {
using namespace banks;

// clang-format off
constexpr RecordRow kSourceRows[] = {
    {.text = "Q1" "a" "b", .length = {.question = 2, .answer = {1, 1}}, .correct = 0b01,
     .category = 1},
    {.text = "Q2" "a" "b", .length = {.question = 2, .answer = {1, 1}}, .correct = 0b10,
     .category = 2},
    {.text = "Q3" "x=1" "E" "C" "3##" "xxsim" "3550",
     .length = {.question = 2, .answer = {3}, .explanation = 1, .clue = 1, .reference = 3,
                .diagram = 5, .lab = 4},
     .category = 3},
};
constexpr std::string_view kSourceNames[] = {"One", "Two", "Three"};
constexpr BankTable kSource{.module = "SOURCE", .description = "source", .title = "Source",
                            .version = "1.0", .categories = kSourceNames,
                            .records = kSourceRows};

constexpr CategoryMapping kMap[] = {{.from = 2, .to = 4}, {.from = 3, .to = 0}};
constexpr Inclusion kRuns[] = {{.source = &kSource, .first = 2, .last = 3, .category_map = kMap},
                               {.source = &kSource, .first = 1, .last = 1}};
constexpr CategoryException kExceptions[] = {{.record = 3, .category = 2}};
constexpr std::string_view kOwnNames[] = {"Four"};
constexpr BankTable kFull{.module = "FULL", .description = "full", .title = "Full",
                          .version = "2.0", .categories_from = &kSource,
                          .categories = kOwnNames, .inclusions = kRuns,
                          .exceptions = kExceptions};

// The source's records again, the first stored with another type and the second without
// its flags; the source itself keeps both.
constexpr Inclusion kAll[] = {{.source = &kSource, .first = 1, .last = 3}};
constexpr TypeException kTypes[] = {{.record = 1, .type = 1}};
constexpr FlagException kFlags[] = {{.record = 2, .correct = 0}};
constexpr BankTable kRetyped{.module = "RETYPED", .description = "retyped", .title = "Retyped",
                             .version = "3.0", .categories_from = &kSource, .inclusions = kAll,
                             .type_exceptions = kTypes, .flag_exceptions = kFlags};
// clang-format on
}  // namespace tables

TEST(BankLoad, FullExamRepeatsItsRunsWithMappedCategoriesAndExceptions) {
  const auto owned = std::make_unique<Shared>();
  Shared& g = *owned;
  g.feedback_address = "kept@example";
  banks::load(tables::kFull, g);
  EXPECT_EQ(g.feedback_address, "kept@example");
  EXPECT_EQ(g.test_description, "full");
  EXPECT_EQ(g.product_title, "Full");
  EXPECT_EQ(g.test_title, "Full");
  EXPECT_EQ(g.product_version, "2.0");
  EXPECT_EQ(g.category_count, 4);
  EXPECT_EQ(g.category_names[1], "One");
  EXPECT_EQ(g.category_names[4], "Four");
  EXPECT_EQ(g.question_count, 3);

  const QuestionRecord& first = g.questions[1];  // source record 2, category 2 -> 4
  EXPECT_EQ(first.Question, "Q2");
  EXPECT_EQ(first.Category, 4);
  EXPECT_EQ(flagged(first), std::vector<int>{2});

  const QuestionRecord& second = g.questions[2];  // source record 3, category 3 -> 0
  EXPECT_EQ(second.Category, 0);
  EXPECT_EQ(second.Answer[1], "x=1");
  EXPECT_EQ(second.Answer[2], "");
  EXPECT_EQ(second.Explanation, "E");
  EXPECT_EQ(second.Clue, "C");
  EXPECT_EQ(second.Reference, "3##");
  EXPECT_EQ(second.DiagramFile[1], "xxsim");
  EXPECT_EQ(second.ExhibitFile[1], "");
  EXPECT_EQ(second.ExhibitFile[2], "3550");

  const QuestionRecord& third = g.questions[3];  // source record 1, its exception: category 2
  EXPECT_EQ(third.Question, "Q1");
  EXPECT_EQ(third.Category, 2);
  EXPECT_EQ(third.Type, "single_answer");
}

TEST(BankLoad, FullExamStoresItsTypeAndFlagExceptionsOnTheirRecordsAlone) {
  const auto owned = std::make_unique<Shared>();
  Shared& g = *owned;
  banks::load(tables::kRetyped, g);
  ASSERT_EQ(g.question_count, 3);
  EXPECT_EQ(g.questions[1].Type, "multi_answer");
  EXPECT_EQ(flagged(g.questions[1]), std::vector<int>{1});
  EXPECT_EQ(g.questions[2].Type, "single_answer");
  EXPECT_EQ(flagged(g.questions[2]), std::vector<int>{});
  EXPECT_EQ(g.questions[2].Answer[2], "b");
  EXPECT_EQ(g.questions[3].Type, "single_answer");
  EXPECT_EQ(g.questions[3].Category, 3);

  // Loading the full exam again over a table whose record 2 had a flag clears it.
  g.questions[2].Correct[2] = 1;
  banks::load(tables::kRetyped, g);
  EXPECT_EQ(flagged(g.questions[2]), std::vector<int>{});
}

}  // namespace
}  // namespace pv::bankcheck
