// Grading every kind of question, the state a grading leaves, the live score, and the
// reading of the page that comes before it.
#include <gtest/gtest.h>

#include <functional>

#include "testrun/exercises.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

struct VerdictCase {
  const char* name;
  std::function<void(QuestionRecord& shown, QuestionRecord& record, TestProgram& app)> arrange;
  int16_t verdict;
  const char* letters;
  const char* gone;  // a result file of the program folder that grading deleted
};

void two_of_three(QuestionRecord& q) {
  q.Type = "multi_answer";
  q.Answer[1] = "A", q.Answer[2] = "B", q.Answer[3] = "C";
  q.Correct[1] = q.Correct[3] = 1;
}
void marks(QuestionRecord& r, std::initializer_list<int> on) {
  for (int i : on) r.Choice[i] = 1;
}
void fill_in(QuestionRecord& q, QuestionRecord& r, const char* reply) {
  q.Type = "FILL_in_the_blank";
  q.Answer[1] = "show ip route";
  q.Answer[2] = " ";
  q.Answer[3] = "sh ip \xE2\x80\x93route";
  r.Reply = reply;
}
void task(QuestionRecord& q, const char* marker, std::initializer_list<const char*> checks) {
  q.DiagramFile[1] = marker;
  int i = 0;
  for (const char* c : checks) q.Answer[++i] = c;
}

const VerdictCase kVerdicts[] = {
    {"both_correct_marked",
     [](QuestionRecord& q, QuestionRecord& r, TestProgram&) {
       two_of_three(q), marks(r, {1, 3});
     },
     1, " A C", nullptr},
    {"one_mark_missing",
     [](QuestionRecord& q, QuestionRecord& r, TestProgram&) { two_of_three(q), marks(r, {1}); }, 99,
     " A", nullptr},
    {"one_mark_too_many",
     [](QuestionRecord& q, QuestionRecord& r, TestProgram&) {
       two_of_three(q), marks(r, {1, 2, 3});
     },
     99, " A B C", nullptr},
    {"nothing_marked", [](QuestionRecord& q, QuestionRecord&, TestProgram&) { two_of_three(q); },
     99, "", nullptr},
    {"fill_in_with_hyphen_for_en_dash",
     [](QuestionRecord& q, QuestionRecord& r, TestProgram&) { fill_in(q, r, " SH IP -ROUTE"); }, 1,
     " SH IP -ROUTE", nullptr},
    {"fill_in_case_and_blanks",
     [](QuestionRecord& q, QuestionRecord& r, TestProgram&) { fill_in(q, r, "Show IP Route  "); },
     1, "Show IP Route  ", nullptr},
    {"fill_in_empty_reply_never_matches",
     [](QuestionRecord& q, QuestionRecord& r, TestProgram&) { fill_in(q, r, "   "); }, 99, "   ",
     nullptr},
    {"router_checks_in_both_forms",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxsim", {"[hostname] Router1", "  ip address = 10.0.0.1 "});
       app.program_folder.write("out.ini",
                                "[general]\r\nhostname=ROUTER1\r\nip address=10.0.0.1\r\n");
     },
     1, "", nullptr},
    {"router_check_with_other_value",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxsim", {"[hostname]Router1", "[domain]lab"});
       app.program_folder.write("out.ini", "[general]\r\nhostname=Router1\r\ndomain=home\r\n");
     },
     99, "", nullptr},
    {"router_without_result_file",
     [](QuestionRecord& q, QuestionRecord&, TestProgram&) { task(q, "xxsim", {"hostname=R1"}); },
     99, "", nullptr},
    {"router_checks_read_in_the_current_folder_when_the_program_folder_has_none",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxsim", {"hostname=Core", "[vlan_10_name]Sales"});
       app.current.write("out.ini", "[general]\r\nhostname=core\r\nvlan_10_name=Sales\r\n");
     },
     1, "", nullptr},
    {"router_answers_without_checks",
     [](QuestionRecord& q, QuestionRecord&, TestProgram&) { task(q, "xxsim", {"a note"}); }, 1, "",
     nullptr},
    {"drag_and_drop_success",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxxdnd", {"7"});
       app.program_folder.write("out.ini", "[Answer]\r\nresult=Success\r\n");
     },
     1, "", "out.ini"},
    {"drag_and_drop_success_in_small_letters",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxxdnd", {"7"});
       app.program_folder.write("OUT.INI", "[Answer]\r\nresult=success\r\n");
     },
     99, "", "OUT.INI"},
    {"drag_and_drop_success_in_the_current_folder_when_the_program_folder_has_none",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxxdnd", {"7"});
       app.current.write("out.ini", "[Answer]\r\nresult=Success\r\n");
     },
     1, "", nullptr},
    {"dialog_simulator_success",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxxmssim", {"3"});
       make_folders(*app.files, app.program_folder.path() + "Sims");
       app.program_folder.write("Sims/OUT.ini", "[Answer]\r\nresult=Success\r\n");
     },
     1, "", "Sims/OUT.ini"},
    {"second_drag_and_drop_failure",
     [](QuestionRecord& q, QuestionRecord&, TestProgram& app) {
       task(q, "xxxmssim2", {"3"});
       make_folders(*app.files, app.program_folder.path() + "Sims");
       app.program_folder.write("Sims/OUT.ini", "[Answer]\r\nresult=Failure\r\n");
     },
     99, "", "Sims/OUT.ini"},
};

class Verdicts : public TestRun, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(Verdicts, EveryKindIsGradedByItsRule) {
  const VerdictCase& v = GetParam();
  quest& w = start_test();
  QuestionRecord shown;
  shown.Number = 1;
  shown.Category = 1;
  QuestionRecord& record = g().questions[1];
  for (int i = 1; i <= 6; ++i) record.Choice[i] = 0;
  v.arrange(shown, record, *app);
  g().current_question = shown;
  g().current_record = 1;
  app->program->dispatch([&w] { w.check_answer(); });
  EXPECT_EQ(g().answer_verdict, v.verdict);
  EXPECT_EQ(g().chosen_letters[1], v.letters);
  EXPECT_EQ(record.State, v.verdict == 1 ? 1 : 2);
  EXPECT_EQ(g().missed_flags[1], v.verdict == 1 ? "0" : "1");
  if (v.gone != nullptr) {
    EXPECT_FALSE(app->program_folder.exists(v.gone));
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, Verdicts, ::testing::ValuesIn(kVerdicts),
                         [](const ::testing::TestParamInfo<VerdictCase>& i) {
                           return std::string(i.param.name);
                         });

using Grading = TestRun;

TEST_F(Grading, RegradingMovesTheCategoryCountBothWaysButNeverBelowZero) {
  quest& w = start_test();
  Shared& s = g();
  const auto grade = [&](int record, bool right) {
    s.current_record = static_cast<int16_t>(record);
    s.current_question = s.questions[record];
    for (int i = 1; i <= 6; ++i)
      s.questions[record].Choice[i] = right ? s.current_question.Correct[i] : 0;
    app->program->dispatch([&w] { w.check_answer(); });
  };
  s.questions[7].Number = 700;  // flags go by question number; category 0 counts as 1
  grade(7, true);
  EXPECT_EQ(s.category_right[1], 1);
  EXPECT_EQ(s.missed_flags[700], "0");
  grade(7, true);
  EXPECT_EQ(s.category_right[1], 1);
  grade(7, false);
  EXPECT_EQ(s.category_right[1], 0);
  EXPECT_EQ(s.questions[7].State, 2);
  EXPECT_EQ(s.missed_flags[700], "1");
  s.category_right[1] = 0;
  s.questions[7].State = 1;  // right by a count that was lost
  grade(7, false);
  EXPECT_EQ(s.category_right[1], 0);
  // A category or number beyond the tables changes no count or flag, and the rest goes on.
  s.questions[9].Category = 151;
  s.questions[9].Number = 1001;
  grade(9, true);
  EXPECT_EQ(s.questions[9].State, 1);
  EXPECT_EQ(s.category_asked[1], 6);
  EXPECT_EQ(s.category_asked[2], 3);  // record 9 counts nowhere
}

struct ScoreCase {
  int right, wrong;
  const char* score;
  const char* percent;
  float gauge_share;
  bool gauge_visible;
};

TEST_F(Grading, TheLiveScoreShowsTheGradedQuestionsOnly) {
  quest& w = start_test();
  Shared& s = g();
  s.questions_to_ask = 150;
  for (int k = 1; k <= 150; ++k) s.question_order[k] = static_cast<int16_t>(k);
  for (const ScoreCase& c :
       {ScoreCase{3, 1, " 3/ 4", " 75%", 0.25f, true},
        ScoreCase{2, 1, " 2/ 3", " 66.7%", 1.0f / 3, true},
        ScoreCase{0, 3, " 0/ 3", " 0%", 1, true}, ScoreCase{4, 0, " 4/ 4", " 100%", 0, false},
        ScoreCase{1, 149, " 1/ 150", " .7%", 149.0f / 150, true},
        ScoreCase{0, 0, " 0/ 0", " .7%", 149.0f / 150, true}}) {
    for (int r = 1; r <= 150; ++r)
      s.questions[r].State = r <= c.right ? 1 : r <= c.right + c.wrong ? 2 : 3;
    app->program->dispatch([&w] { w.calculate_score(); });
    EXPECT_EQ(w.score.caption, c.score);
    EXPECT_EQ(w.Percent_Right.caption, c.percent) << c.score;
    EXPECT_FLOAT_EQ(w.the_gauge.height, w.Gauge1.height * c.gauge_share) << c.score;
    EXPECT_EQ(w.the_gauge.visible, c.gauge_visible) << c.score;
    EXPECT_EQ(s.right_count, c.right);
  }
}

TEST_F(Grading, CategoriesAreCountedForTheRecordsTheTestAsks) {
  quest& w = start_test();
  Shared& s = g();
  s.questions_to_ask = 3;
  s.quiz_stride = 4;
  s.quiz_offset = 2;
  for (int k = 1; k <= 3; ++k) s.question_order[k] = static_cast<int16_t>(k);
  s.category_asked[1] = s.category_asked[2] = 9;
  app->program->dispatch([&w] { w.count_category_questions(); });
  // Records 2, 6 and 10, not their neighbours.
  EXPECT_EQ(s.category_asked[1], 2);
  EXPECT_EQ(s.category_asked[2], 1);
}

TEST_F(Grading, APageFieldThatCannotBeReadIsNotMarked) {
  quest& w = start_test();
  Shared& s = g();
  // A check-box question of three answers read from a page without its boxes.
  s.questions[1].Choice[4] = s.questions[1].Choice[5] = 1;
  s.widget_kind = "Check_Box";
  s.answer_count = 3;
  back();  // stores the page's marks without grading
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(s.questions[1].Choice[i], 0) << i;
  EXPECT_EQ(s.questions[1].State, 3);
  // A radio question leaves the entries above its answers as they are.
  s.questions[1].Choice[4] = 1;
  s.answer_count = 3;
  mark({2});
  back();
  EXPECT_EQ((std::vector<int16_t>{s.questions[1].Choice[1], s.questions[1].Choice[2],
                                  s.questions[1].Choice[3], s.questions[1].Choice[4]}),
            (std::vector<int16_t>{0, 1, 0, 1}));
  // A fill-in field that cannot be read leaves the reply; one that can is taken as typed.
  s.questions[1].Reply = "kept";
  s.widget_kind = "Fill_In";
  back();
  EXPECT_EQ(s.questions[1].Reply, "kept");
  next();
  next();
  ASSERT_EQ(s.widget_kind, "Fill_In");
  type_reply(" typed  ");
  back();
  EXPECT_EQ(s.questions[3].Reply, " typed  ");
  (void)w;
}

// Quotes and apostrophes are part of what was typed: the field shows them again after
// Back, and Next without touching it grades the same reply.
TEST_F(Grading, AFillInReplyWithQuotesIsShownAndGradedAsTypedAfterBack) {
  start_test();
  next();
  next();
  ASSERT_EQ(g().widget_kind, "Fill_In");
  const std::string typed = "it's \"on\"";
  g().questions[3].Answer[1] = g().current_question.Answer[1] = typed;
  type_reply(typed);
  next();
  EXPECT_EQ(g().questions[3].State, 1);
  back();
  ASSERT_EQ(g().widget_kind, "Fill_In");
  EXPECT_EQ(window().WebBrowser1.document.value({"frm", "txt_fill", 0}), typed);
  next();
  EXPECT_EQ(g().questions[3].Reply, typed);
  EXPECT_EQ(g().questions[3].State, 1);
}

TEST_F(Grading, MarksOutsideThePagesFormAreNotAnswers) {
  start();
  app->program_folder.write("q_bottom.ini", "<body>\r\n");  // no form "frm"
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  quest& w = window();
  // The user marks every answer; the browser reports them.
  std::vector<FieldMark> marks;
  for (int i = 1; i <= 4; ++i)
    marks.push_back({"", "radio1", "radio", "V" + std::to_string(i), i == 4});
  w.WebBrowser1.document.take_marks(marks);
  next();
  EXPECT_EQ(g().questions[1].State, 2);
  EXPECT_EQ(g().chosen_letters[1], "");
}

TEST(ExerciseCommands, TheTextsTheProgramsAreGiven) {
  const std::string app = "/opt/prepvant/";
  const struct {
    const char* program;
    std::string number;
    std::string text;
    std::vector<std::string> argv;
  } cases[] = {
      {kDragAndDropProgram,
       "7",
       app + "pbDragnDrop.exe  46000Q7",
       {app + "pbDragnDrop.exe", "46000Q7"}},
      {kDialogSimulatorProgram,
       " 3 ",
       app + "Sims/dlgsim.exe  46000Q 3",
       {app + "Sims/dlgsim.exe", "46000Q 3"}},
      {kSecondDragAndDropProgram,
       "12",
       app + "Sims/dnd5.exe  46000Q12",
       {app + "Sims/dnd5.exe", "46000Q12"}},
  };
  for (const auto& c : cases) {
    const ExerciseCommand command =
        exercise_command(app, c.program, exercise_argument("46000", c.number));
    EXPECT_EQ(command.text, c.text);
    EXPECT_EQ(command.argv, c.argv);
  }
  const ExerciseCommand router = exercise_command(app, kRouterSimulatorProgram, "lab 7; rm -rf");
  EXPECT_EQ(router.text, app + "testsim.exe lab 7; rm -rf");
  EXPECT_EQ(router.argv, (std::vector<std::string>{app + "testsim.exe", "lab 7; rm -rf"}));
}

TEST_F(Grading, LaunchButtonsStartTheirProgramsEachTimeAndLogAMissingOne) {
  quest& w = start_test();
  Shared& s = g();
  w.cmd_buttons[2].visible = true;  // as for the router simulator of record 5
  s.current_question = s.questions[5];
  press(w.cmd_buttons[2]);
  press(w.cmd_buttons[2]);
  EXPECT_EQ(app->shell->started.size(), 2u);
  s.current_question.ExhibitFile[2] = "lab5.TXT";
  press(w.cmd_buttons[2]);
  EXPECT_EQ(app->shell->started.size(), 2u);  // a lab given as a text starts nothing
  s.current_question = s.questions[4];        // drag and drop, whichever button
  app->shell->start_fails = true;
  press(w.cmd_buttons[2]);
  EXPECT_EQ(app->shell->started.size(), 3u);
  EXPECT_NE(app->error_log().find(" - launch_dnd() - quest3.frm53 - File not found - \r\n"),
            std::string::npos);
  EXPECT_TRUE(app->dialogs->messages.empty());
}

}  // namespace
}  // namespace pv::testing
