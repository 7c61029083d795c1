// A program whose GUDAR book bank holds five questions in two of its three categories,
// started as a user starts a test; the user answers each question right or wrong by what
// the page shows, and ends the test from the test window's menu.
#pragma once

#include <string>
#include <vector>

#include "testrun/finalscore.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {

// Categories: 1 Cabling (records 1 and 4), 2 Addressing (2, 3 and 5), 3 Security (none).
// The first answer of each record is its correct one.
inline void load_five_bank(Shared& g) {
  g.product_title = g.test_title = "GUDAR Five";
  g.test_description = "Five questions";
  g.product_version = "1.0";
  for (int r = 1; r <= 1000; ++r) {
    const int16_t number = g.questions[r].Number;
    g.questions[r] = {};
    g.questions[r].Number = number;
  }
  for (int c = 1; c <= 150; ++c) g.category_names[c].clear();
  g.category_names[1] = "Cabling";
  g.category_names[2] = "Addressing";
  g.category_names[3] = "Security";
  g.category_count = 3;
  g.categories_enabled = vbTrue;
  const auto record = [&](int r, int16_t category, const char* question,
                          std::vector<std::string> answers) {
    QuestionRecord& q = g.questions[r];
    q.Type = "single_answer";
    q.Category = category;
    q.Question = question;
    q.Explanation = "Explained.";
    for (size_t i = 0; i < answers.size(); ++i) q.Answer[static_cast<int>(i) + 1] = answers[i];
    q.Correct[1] = 1;
  };
  record(1, 1, "Which cable joins two switches directly?",
         {"Crossover", "Rollover", "Console", "Serial"});
  record(2, 2, "How many bits has an IPv4 address?", {"32", "64", "128", "16"});
  record(3, 2, "Which mask is /24?", {"255.255.255.0", "255.255.0.0", "255.0.0.0"});
  record(4, 1, "Which connector do Ethernet patch cables use?", {"RJ-45", "RJ-11", "BNC"});
  record(5, 2, "Which address is private?", {"10.1.1.1", "8.8.8.8", "1.1.1.1"});
  g.question_count = 5;
}

class ScoreReportTest : public TestRun {
 protected:
  void before_start() override {
    TestRun::before_start();
    app->use_banks({{"PB_GUDAR_pelma", load_five_bank}});
  }

  // Marks a correct answer of the question on screen, or a wrong one, and presses Next.
  void answer(bool right) {
    int shown = 0;
    for (int i = 1; i <= g().answer_count && shown == 0; ++i)
      if ((g().current_question.Correct[i] == 1) == right) shown = i;
    ASSERT_NE(shown, 0);
    mark({shown});
    next();
  }
  // Answers in turn (true right, false wrong); a test with questions left then ends by
  // "&End and Grade This Quiz".
  finalscore& take_test(const std::vector<bool>& answers) {
    start_test();
    for (bool right : answers) answer(right);
    if (app->loaded<quest>() != nullptr) menu(window().menu_quittest);
    return report();
  }
  finalscore& report() { return app->forms().get<finalscore>(); }

  std::string history_name() { return "history.46000.STUDENT.htm"; }
  std::vector<std::string> lines_of(const std::string& name) {
    return split_lines(app->current.read(name));
  }
};

}  // namespace pv::testing
