// The explanation of a question: its page body by result, kind, answer position, task and
// book reference; the page the window completes and writes; the web link; and the window
// shown modally over the test window, with its buttons, exhibit links and layout.
#include <gtest/gtest.h>

#include "core/fragments.hpp"
#include "platform/dialogs.hpp"
#include "testrun/question_page.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

class Explanation : public TestRun {
 protected:
  // A test of the mixed bank with its answers in bank order.
  quest& start_in_bank_order() {
    return start_test([this](pick_a_quiz& s) { tick(s.random_answers); });
  }
  // Explains record r, as a review of it does, and returns the page the window wrote.
  std::string explain(int r) {
    g().current_record = static_cast<int16_t>(r);
    const size_t before = explanations.size();
    app->program->dispatch([this] { window().show_answer(); });
    EXPECT_EQ(explanations.size(), before + 1) << "no explanation shown";
    return explanations.size() > before ? explanations.back() : std::string();
  }
  // The body of a written page: what lies between the style block and the question id.
  std::string body_of(const std::string& page) {
    const std::string head = g().page_head + style_block(g());
    EXPECT_EQ(page.substr(0, head.size()), head);
    const size_t qid = page.find("<br><br> QID: ");
    if (qid == std::string::npos || qid < head.size()) return "<no body>";
    return page.substr(head.size(), qid - head.size());
  }
  std::string media() { return g().media_folder; }
};

constexpr const char* kPrivate =
    "<br><br>Which ranges are private?<br>A.)  10.0.0.0/8<br>B.)  8.8.8.0/24<br>C.)  "
    "172.16.0.0/12<br>D.)  1.1.1.0/24<br><br><br>";
constexpr const char* kLayer =
    "<br><br>Which layer routes packets?<br>A.)  Transport<br>B.)  Network<br>C.)  "
    "Session<br>D.)  Physical<br><br><br>";

TEST_F(Explanation, TheBodyByResultKindPositionTaskAndReference) {
  const struct {
    const char* what;
    int record;
    int16_t state;
    const char* chosen;
    const char* position;
    const char* reference;
    std::string expected;
  } cases[] = {
      {"right, top", 2, 1, " A C", "top", "",
       std::string("Correct.<br>The answer(s):  A C") + kPrivate + "Why.<br><br>"},
      {"wrong, reference with ##", 2, 2, " A B", "top", "12##Chapter Two",
       std::string("Incorrect.  Your answer was:  A B<br>The correct answer(s):  A C") + kPrivate +
           "Why.<br><br>Pelma Books Book Reference: PDF Page - 12<br>Chapter Two"},
      {"fill-in, the typed reply escaped", 3, 2, "<i>vlan</i> & \"x\"", "top", "12",
       "Incorrect.  Your answer was: &lt;i&gt;vlan&lt;/i&gt; &amp; &quot;x&quot;<br>The correct "
       "answer(s): show ip route<br><br>Type the command that shows the routes.<br><br><br>"
       "Why.<br><br>12"},
      {"right, bottom", 1, 1, " B", "bottom", "44##Routing basics",
       std::string(kLayer) +
           "Why.<br><br>Pelma Books Book Reference: PDF Page - 44<br>Routing basics"
           "<br><br><br>Correct.<br>The answer(s):  B"},
      {"'Bottom' is not bottom", 1, 2, " A", "Bottom", "7##Sec##Sub",
       std::string("Incorrect.  Your answer was:  A<br>The correct answer(s):  B") + kLayer +
           "Why.<br><br>Pelma Books Book Reference: PDF Page - 7<br>Sec<br>Sub"},
      {"simulator task: explanation and reference only", 5, 2, "", "top", "3##Routers",
       "Why.<br><br>Pelma Books Book Reference: PDF Page - 3<br>Routers"},
      {"drag-and-drop task, bottom", 4, 1, "", "bottom", "", "Why.<br><br>"},
      {"never graded: the wrong wording, whatever was graded last", 1, 3, "", "top", "",
       std::string("Incorrect.  Your answer was: <br>The correct answer(s):  B") + kLayer +
           "Why.<br><br>"},
  };
  start_in_bank_order();
  for (const auto& c : cases) {
    QuestionRecord& q = g().questions[c.record];
    q.State = c.state;
    q.Explanation = "Why.";
    q.Reference = c.reference;
    g().chosen_letters[c.record] = c.chosen;
    g().answer_position = c.position;
    g().answer_verdict = 1;
    EXPECT_EQ(body_of(explain(c.record)), c.expected) << c.what;
    // The verdict follows a graded record; an ungraded one leaves the last verdict.
    EXPECT_EQ(g().answer_verdict, c.state == 2 ? 99 : 1) << c.what;
  }
}

TEST_F(Explanation, TheFirstPictureOfEachTextGetsTheMediaFolder) {
  start_in_bank_order();
  QuestionRecord& q = g().questions[1];
  q.State = 1;
  q.Question = "Look: <img src=\"q.gif\"> <img src=\"q2.gif\">";
  q.Answer[1] = "<img src=\"a.gif\">";
  q.Answer[2] = "<img src=bare.gif>";
  q.Explanation = "<img src=\"e.gif\">";
  q.Reference.clear();
  const std::string m = media();
  EXPECT_EQ(body_of(explain(1)), "Correct.<br>The answer(s):  B<br><br>Look: <img src=\"" + m +
                                     "q.gif\"> <img src=\"q2.gif\"><br>A.)  <img src=\"" + m +
                                     "a.gif\"><br>B.)  <img src=bare.gif><br>C.)  Session<br>D.)  "
                                     "Physical<br><br><br><img src=\"" +
                                     m + "e.gif\"><br><br>");
  EXPECT_EQ(g().questions[1].Answer[1], "<img src=\"a.gif\">");  // the record is unchanged
}

TEST_F(Explanation, TheWindowCompletesThePage) {
  start_in_bank_order();
  g().page_font_size = 0;
  QuestionRecord& q = g().questions[9];  // "2950" in its second diagram
  q.State = 1;
  q.Number = 9;
  q.Explanation = "A /24 leaves 8 host bits.";
  q.DiagramFile[1] = "mask.gif";
  q.DiagramFile[3] = "  ";
  const std::string page = explain(9);
  EXPECT_EQ(page, g().page_head +
                      "\r\n<style>\r\nBODY{font-size: 12 pt}\r\nTABLE{font-size: 12 pt}\r\n"
                      "BODY{font-family:Times New Roman}\r\n</style>\r\n"
                      "Correct.<br>The answer(s):  A<br><br>Which mask is /24?<br>A.)  "
                      "255.255.255.0<br>B.)  255.255.0.0<br><br><br>A /24 leaves 8 host bits."
                      "<br><br><br><br> QID: 9 Mixed Bank\r\n<hr>Diagram  1<br>\r\n<img src=\"" +
                      media() + "mask.gif\"><p>\r\n<hr>Diagram  2<br>\r\n<img src=\"" + media() +
                      "2950\"><p><script language=javascript>\r\nFunction myfunction()\r\n{\r\n"
                      "return 0;\r\n};\r\n</script>\r\n</body></html>");
  EXPECT_EQ(g().page_font_size, 12);
  EXPECT_EQ(g().page_loaded, vbTrue);  // the blank page came first

  // A simulator marker is no picture; the online tutor's address.
  q.DiagramFile[1] = "xxsim";
  q.DiagramFile[2].clear();
  const struct {
    const char* video;
    int16_t embed;
    std::string tail;
  } tutors[] = {
      {"lab5", 0,
       "<hr>\r\n<a target=\"_blank\" href=\"" + std::string(kTutorServer) +
           "/tests/46000/lab5.wmv\"> \r\nClick Here to View the Online Tutor</a>\r\n"},
      {"lab5.WAV", 0,
       "<hr>\r\n<a target=\"_blank\" href=\"" + std::string(kTutorServer) +
           "/tests/46000/lab5.WAV\"> \r\nClick Here to View the Online Tutor</a>\r\n"},
      {"talk.mp3", 1,
       "\r\n<hr>Click the Play Button to Start the Online Tutor<br><br>\r\n" +
           media_player_html(std::string(kTutorServer) + "/tests/46000/talk.mp3.wmv") +
           "\r\n<br><p align=\"center\">\r\n<a target=\"_blank\" href=\"" + kMediaPlayerPage +
           "\">\r\nClick Here</a> If You Cannot See the Online Tutor</p>\r\n"},
  };
  for (const auto& t : tutors) {
    q.TutorVideo = t.video;
    g().embed_tutor = t.embed;
    const std::string written = explain(9);
    const std::string qid = "<br><br> QID: 9 Mixed Bank";
    const size_t at = written.find(qid);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(written.substr(at + qid.size()),
              t.tail +
                  "<script language=javascript>\r\nFunction myfunction()\r\n{\r\nreturn "
                  "0;\r\n};\r\n</script>\r\n</body></html>")
        << t.video;
  }
}

TEST_F(Explanation, TheLastWebAddressOfTheBodyIsOffered) {
  const struct {
    const char* explanation;
    const char* link;  // nullptr: none
  } cases[] = {
      {"See http://a.example/x and HTTP://Docs.Example/y\r\nmore", "HTTP://Docs.Example/y"},
      {"Go to hTTp://z.example/p then", "hTTp://z.example/p"},
      {"Ends at the page's end http://e.example/q", "http://e.example/q<br><br>"},
      {"https://s.example/ is not looked for", nullptr},
  };
  start_in_bank_order();
  for (const auto& c : cases) {
    g().questions[1].State = 1;
    g().questions[1].Explanation = c.explanation;
    g().questions[1].Reference.clear();
    g().explanation_web_link = "before";
    bool offered = false;
    app->program->loop().idle = [&] {
      theanswer* w = app->loaded<theanswer>();
      offered = w->webcmd.visible;
      if (offered) press(w->webcmd);
      close_explanation();
    };
    app->shell->opened.clear();
    explain(1);
    EXPECT_EQ(offered, c.link != nullptr) << c.explanation;
    EXPECT_EQ(g().explanation_web_link, c.link != nullptr ? c.link : "before") << c.explanation;
    if (c.link == nullptr) continue;
    ASSERT_EQ(app->shell->opened.size(), 1u);
    EXPECT_EQ(app->shell->opened[0].target, c.link);  // one argument, as written
    EXPECT_EQ(app->shell->opened[0].parent, "theanswer");
    EXPECT_EQ(app->shell->opened[0].show, 1);
  }
}

TEST_F(Explanation, AWrongAnswerIsExplainedModallyOverTheTestWindow) {
  quest& w = start_in_bank_order();
  std::vector<std::string> shown;
  app->program->loop().idle = [&] {
    theanswer* a = app->loaded<theanswer>();
    shown = app->visible_windows();
    EXPECT_EQ(a->caption(), "The Answer");
    EXPECT_EQ(a->back_color(), rgb(46, 118, 171));
    EXPECT_FALSE(a->webcmd.visible || a->cmdtutor.visible || a->Command1.visible);
    EXPECT_EQ(a->left(), (1920 * 15 - a->width()) / 2);  // centred on the screen
    close_explanation();
  };
  mark({1});  // Transport: wrong
  next();
  EXPECT_EQ(shown, (std::vector<std::string>{"quest", "theanswer"}));
  ASSERT_EQ(explained_next_enabled, std::vector<bool>{false});  // Next waits for Close
  EXPECT_NE(explanations[0].find("Incorrect.  Your answer was:  A<br>The correct answer(s):  B"),
            std::string::npos);
  EXPECT_EQ(app->loaded<theanswer>(), nullptr);  // unloaded once closed
  EXPECT_TRUE(w.cmd_buttons[0].enabled);
  EXPECT_EQ(g().question_counter, 2);  // the next question came after the Close

  // A right answer is not explained unless asked for; the close box ends the display too.
  mark({1, 3});
  next();
  EXPECT_EQ(explanations.size(), 1u);
  app->click(w.menu_showright);
  app->program->loop().idle = [&] {
    theanswer* a = app->loaded<theanswer>();
    explanations.push_back(a->text1.document.html());
    app->user([](UserInput& in) { in.close(*in.forms().find<theanswer>()); });
  };
  type_reply("show ip route");
  next();
  ASSERT_EQ(explanations.size(), 2u);
  EXPECT_NE(explanations[1].find("Correct.<br>The answer(s): show ip route<br><br>Type the"),
            std::string::npos);
  EXPECT_EQ(g().question_counter, 4);
}

TEST_F(Explanation, PrintExhibitLinksAndLayoutOfTheWindow) {
  start_in_bank_order();
  QuestionRecord& q = g().questions[1];
  q.State = 1;
  q.Explanation =
      "<a id=\"Exhibit2\" href=\"javascript:;\">lab</a> <a id=\"Exhibit3\" href=\"#\">none</a>";
  q.ExhibitFile[2] = "lab.txt";
  std::vector<std::function<void(theanswer&)>> steps = {
      [&](theanswer& a) {
        app->user([&a](UserInput& in) { in.click_element(a.text1, "Exhibit2"); });
      },
      // No file behind the link: nothing opens.
      [&](theanswer& a) {
        app->user([&a](UserInput& in) { in.click_element(a.text1, "Exhibit3"); });
      },
      [&](theanswer& a) { press(a.Command2); },
      [&](theanswer& a) {
        app->printer->fails = true;
        press(a.Command2);
      },
      [&](theanswer& a) { app->user([&a](UserInput& in) { in.size(a, 8000, 5000); }); },
  };
  theanswer* seen = nullptr;
  app->program->loop().idle = [&] {
    seen = app->loaded<theanswer>();
    for (auto& step : steps) step(*seen);
    EXPECT_EQ(seen->width(), 9540);
    EXPECT_EQ(seen->height(), 6960);
    EXPECT_EQ(seen->text1.width, 9540 - (9570 - 9255));
    EXPECT_EQ(seen->text1.height, 6960 - (7065 - 5415));
    EXPECT_EQ(seen->text1.top, 120);
    EXPECT_EQ(seen->Frame1.top, 6960 - (7065 - 5520));
    EXPECT_EQ(seen->Frame1.left, (9540 - 9255) / 2.0f);
    app->user([&](UserInput& in) { in.set_window_state(*seen, vbMinimized); });
    EXPECT_EQ(seen->width(), 9540);  // a minimised window is left alone
    close_explanation();
  };
  explain(1);
  ASSERT_EQ(app->shell->opened.size(), 1u);
  EXPECT_EQ(app->shell->opened[0].target, media() + "lab.txt");
  EXPECT_EQ(app->shell->opened[0].show, 1);
  ASSERT_EQ(app->printer->jobs.size(), 1u);
  EXPECT_EQ(app->printer->jobs[0].html, explanations[0]);
  EXPECT_EQ(message_texts(), std::vector<std::string>{"Printing Error - 15DEC02."});
  EXPECT_EQ(app->dialogs->messages[0].title, "Printing Error");
  EXPECT_EQ(app->dialogs->messages[0].style, vbOKOnly);
}

TEST_F(Explanation, PrintQuestionPrintsTheQuestionOnScreenWithoutShowingIt) {
  quest& w = start_in_bank_order();
  next();  // unanswered: wrong, explained
  app->program->loop().idle = [this] { close_explanation(); };
  menu(w.menu_printquestion);  // question 2, never graded
  ASSERT_EQ(app->printer->jobs.size(), 1u);
  EXPECT_EQ(body_of(app->printer->jobs[0].html),
            std::string("Incorrect.  Your answer was: <br>The correct answer(s):  A C") + kPrivate +
                "<br><br>");
  EXPECT_EQ(explanations.size(), 1u);  // only the one of question 1
  EXPECT_EQ(app->loaded<theanswer>(), nullptr);
  EXPECT_EQ(g().print_explanation, 1);
  EXPECT_TRUE(w.cmd_buttons[0].enabled);
}

}  // namespace
}  // namespace pv::testing
