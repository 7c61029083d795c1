// Presenting a question: the answer widget and the buttons each kind of record gets, the
// caption, the page's head, the blank page and the end of the test.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "core/fragments.hpp"
#include "platform/vbtext.hpp"
#include "testrun/question_page.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

using Presentation = TestRun;

struct KindCase {
  const char* name;
  std::function<void(QuestionRecord&)> change;  // made to record 1 before the test starts
  int16_t use_radio_buttons;
  const char* kind;
  bool simulator_button, drag_drop_button, exhibit_button;
  std::array<bool, 3> diagram_buttons;
};

const KindCase kKinds[] = {
    {"one_correct", [](QuestionRecord&) {}, vbTrue, "Radio_Button", false, false, false, {}},
    {"one_correct_without_radio_buttons",
     [](QuestionRecord&) {},
     vbFalse,
     "Check_Box",
     false,
     false,
     false,
     {}},
    {"two_correct",
     [](QuestionRecord& q) { q.Correct[3] = 1; },
     vbTrue,
     "Check_Box",
     false,
     false,
     false,
     {}},
    {"none_correct",
     [](QuestionRecord& q) { q.Correct[2] = 0; },
     vbTrue,
     "Radio_Button",
     false,
     false,
     false,
     {}},
    {"fill_in_any_case",
     [](QuestionRecord& q) { q.Type = "Fill_in"; },
     vbTrue,
     "Fill_In",
     false,
     false,
     false,
     {}},
    {"fill_in_with_simulator_marker",
     [](QuestionRecord& q) {
       q.Type = "fill_in_the_blank";
       q.DiagramFile[1] = "xxsim";
     },
     vbTrue,
     "Sim",
     true,
     false,
     false,
     {}},
    {"drag_and_drop",
     [](QuestionRecord& q) { q.DiagramFile[1] = "xxxdnd"; },
     vbTrue,
     "Drag_Drop",
     false,
     true,
     false,
     {}},
    {"dialog_simulator",
     [](QuestionRecord& q) { q.DiagramFile[1] = "xxxmssim"; },
     vbTrue,
     "MS_Sim",
     true,
     false,
     false,
     {}},
    {"second_drag_and_drop",
     [](QuestionRecord& q) { q.DiagramFile[1] = "xxxmssim2"; },
     vbTrue,
     "MS_Sim2",
     true,
     false,
     false,
     {}},
    {"marker_in_capitals_is_a_picture",
     [](QuestionRecord& q) { q.DiagramFile[1] = "XXSIM"; },
     vbTrue,
     "Radio_Button",
     false,
     false,
     false,
     {true, false, false}},
    {"exhibit_and_diagrams",
     [](QuestionRecord& q) {
       q.ExhibitFile[1] = "ex.gif";
       q.ExhibitFile[2] = "lab.txt";
       q.DiagramFile[1] = "a.gif";
       q.DiagramFile[3] = "c.gif";
     },
     vbTrue,
     "Radio_Button",
     false,
     false,
     true,
     {true, false, true}},
    {"diagram_2950_and_blank_exhibit",
     [](QuestionRecord& q) {
       q.ExhibitFile[1] = "   ";
       q.DiagramFile[2] = "2950";
     },
     vbTrue,
     "Radio_Button",
     false,
     false,
     false,
     {false, false, false}},
    {"diagram_1900",
     [](QuestionRecord& q) { q.DiagramFile[2] = "1900"; },
     vbTrue,
     "Radio_Button",
     false,
     false,
     false,
     {false, false, false}},
};

class PresentationKinds : public TestRun, public ::testing::WithParamInterface<KindCase> {
  void before_start() override {
    TestRun::before_start();
    app->use_banks({{"PB_GUDAR_pelma", [](Shared& g) {
                       load_mixed_bank(g);
                       current_case->change(g.questions[1]);
                     }}});
  }

 public:
  static inline const KindCase* current_case = nullptr;
};

TEST_P(PresentationKinds, EachKindGetsItsWidgetAndButtons) {
  const KindCase& k = GetParam();
  current_case = &k;
  quest& w = start_test([&](pick_a_quiz& s) {
    if (k.use_radio_buttons == vbFalse) tick(s.chkRadio);
  });
  EXPECT_EQ(g().widget_kind, k.kind);
  EXPECT_EQ(w.cmd_buttons[2].visible, k.simulator_button);
  EXPECT_EQ(w.cmd_buttons[3].visible, k.drag_drop_button);
  EXPECT_EQ(w.exhibitbutton[0].visible, k.exhibit_button);
  EXPECT_FALSE(w.exhibitbutton[1].visible || w.exhibitbutton[2].visible);
  for (int i = 0; i <= 2; ++i)
    EXPECT_EQ(w.diagrambutton[i].visible, k.diagram_buttons[static_cast<size_t>(i)]) << i;
  EXPECT_FALSE(w.cluebutton.visible || w.cmdtutor.visible);
  EXPECT_TRUE(w.cmd_buttons[0].enabled);
  EXPECT_EQ(w.active_control(), &w.cmd_buttons[0]);
}

INSTANTIATE_TEST_SUITE_P(Records, PresentationKinds, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<KindCase>& i) {
                           return std::string(i.param.name);
                         });

TEST_F(Presentation, TheShuffleLeavesBlankPositionsAndKeepsItsOrderOnRevisits) {
  start();
  app->random->push(0.99f);  // r = answer_count every time
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  // Four answers: each position exchanged with the fourth: 1-4, 2-4, 3-4, 4-4.
  EXPECT_EQ(shown_answers(), (std::vector<std::string>{"A.\tPhysical", "B.\tTransport",
                                                       "C.\tNetwork", "D.\tSession"}));
  EXPECT_EQ(g().questions[1].Correct[3], 1);
  EXPECT_EQ(g().questions[1].Correct[5], 0);
  EXPECT_EQ(g().answer_count, 4);
  EXPECT_EQ(app->random->draws, 4);
  mark({3});
  next();
  back();  // draws again, but the stored order holds
  EXPECT_EQ(app->random->draws, 4 + 4 + 4);
  EXPECT_EQ(shown_answers()[0], "A.\tPhysical");
  EXPECT_NE(page_html().find("<input checked type=radio accesskey=\"c\""), std::string::npos);
}

TEST_F(Presentation, CountedAnswersAreTheNonBlankOnesWherever) {
  start();
  app->use_banks({{"PB_GUDAR_pelma", [](Shared& g) {
                     load_mixed_bank(g);
                     g.questions[1].Answer[3] = " ";
                     g.questions[1].Answer[5] = "Presentation";
                   }}});
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_answers);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  EXPECT_EQ(g().answer_count, 4);  // 1, 2, 4 and 5: inputs for the first four positions
  EXPECT_NE(page_html().find("name=\"radio1\" value=V3>C.\t </option>"), std::string::npos);
  EXPECT_NE(page_html().find("name=\"radio1\" value=V4>D.\tPhysical"), std::string::npos);
  EXPECT_EQ(page_html().find("value=V5"), std::string::npos);
}

TEST_F(Presentation, CaptionsAndPanelsFollowTheOptions) {
  start("46008");
  g().oem_mode = 1;
  g().edition_code = "equizmint";
  app->use_banks({{"PB_SOLK_VARB", load_mixed_bank}});
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  tick(setup().scoregraph);
  tick(setup().backb);
  show_page(0);
  press(setup().Command1);
  quest& w = window();
  EXPECT_EQ(w.caption(), "Quizmint Practice Test for: Mixed Bank - Question  1 of 10");
  EXPECT_EQ(w.Command1.caption, "Review PDF");
  EXPECT_TRUE(w.Command1.visible);
  for (const Control* c : std::vector<const Control*>{&w.Gauge1, &w.the_gauge, &w.Percent_Right,
                                                      &w.score, &w.Label2, &w.cmd_buttons[1]})
    EXPECT_FALSE(c->visible) << c->name();
  EXPECT_TRUE(w.qid.visible && w.question_number.visible);
  EXPECT_EQ(w.question_number.caption, " 1");
}

TEST_F(Presentation, TestModeKeepsTheReviewButtonHidden) {
  quest& w = start_test([&](pick_a_quiz& s) { press(s.Command2); });  // "Test Mode" preset
  EXPECT_EQ(g().test_mode, vbTrue);
  EXPECT_FALSE(w.Command1.visible);
}

TEST_F(Presentation, TheBlankPageIsLoadedOncePerLoadOfTheWindow) {
  quest& w = start_test();
  EXPECT_EQ(w.WebBrowser1.location_url(),
            "FILE://" + app->program_folder.path() + "pb_gudar/blank.htm");
  EXPECT_EQ(g().question_browser_primed, 123);
  EXPECT_EQ(g().page_loaded, vbTrue);
  EXPECT_EQ(g().page_head, no_select_script());
  // The whole document: the head, the head file, the body and the closing.
  const std::string& html = page_html();
  EXPECT_EQ(html.substr(0, g().page_head.size()), g().page_head);
  EXPECT_EQ(html.substr(g().page_head.size(), built_in_q_bottom().size()), built_in_q_bottom());
  EXPECT_EQ(html.substr(html.size() - 21), "</BODY></body></html>");
  w.WebBrowser1.on_navigate_complete = [] { FAIL() << "navigated again"; };
  mark({1});
  next();
  EXPECT_EQ(g().question_counter, 2);
}

TEST_F(Presentation, AControlThatNeverCompletesDelaysTheFirstPageAtMostTwoSeconds) {
  start();
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  quest& w = window();  // created, not loaded: its load comes with the start
  w.WebBrowser1.on_navigate_complete = nullptr;
  w.WebBrowser1.on_document_complete = nullptr;
  app->clock->advance_ms(700);  // the first of the two second boundaries is near
  int waits = 0;
  app->program->loop().idle = [&] {
    ++waits;
    app->clock->advance_ms(100);
  };
  press(setup().Command1);
  app->program->loop().idle = [this] { close_explanation(); };
  EXPECT_EQ(waits, 13);  // from 0.7 s to the boundary at 2 s
  EXPECT_EQ(g().page_loaded, 0);
  EXPECT_NE(page_html().find("Which layer routes packets?"), std::string::npos);
  EXPECT_TRUE(app->dialogs->messages.empty());
}

TEST_F(Presentation, WithoutItsHeadFileThePageStillHasItsForm) {
  start();
  std::remove((app->program_folder.path() + "q_bottom.ini").c_str());
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  EXPECT_NE(page_html().find(built_in_q_bottom() + "\r\n<style>"), std::string::npos);
  EXPECT_NE(app->error_log().find(" - show_quest() - quest3.frm53 - File not found - \r\n"),
            std::string::npos);
}

TEST_F(Presentation, APositionOutsideTheTableEndsTheTest) {
  start_test();
  mark({1});
  next();
  g().question_order[3] = 1001;  // the third question would be record 1001
  mark({2});
  next();
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"finalscore"});
  EXPECT_EQ(g().current_record, 2);  // no stale record was presented
  EXPECT_NE(app->error_log().find("show_quest() - quest3.frm9 - Subscript out of range"),
            std::string::npos);
  EXPECT_EQ(split_lines(app->current.read("history.46000.STUDENT.htm")).size(), 2u);
}

TEST_F(Presentation, TheCallAfterTheLastQuestionEndsTheTest) {
  start_test();
  g().questions_to_ask = 1;
  mark({1});
  next();
  EXPECT_EQ(g().question_counter, 2);
  EXPECT_EQ(g().current_record, 1);
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->settings->get("velto", "46000", "num_times", ""), "1");
}

TEST_F(Presentation, AClickDuringAPresentationIsIgnored) {
  quest& w = start_test();
  mark({1});
  Program& p = *app->program;
  p.dispatch([&] {
    // A second click, which arrives while the next page is written.
    p.loop().post([&] { p.input().click(w.cmd_buttons[0]); });
    p.input().click(w.cmd_buttons[0]);
  });
  EXPECT_EQ(g().question_counter, 2);
  EXPECT_EQ(g().questions[2].State, 3);  // not graded from a page it never saw
}

}  // namespace
}  // namespace pv::testing
