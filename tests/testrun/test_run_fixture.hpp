// A program with a bank of ten questions of every kind the test window shows, started on
// the setup window as a user starts a test; the user then marks answers in the page,
// types, and presses the buttons and menus of the test window.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/filesystem.hpp"
#include "setup/setup_fixture.hpp"
#include "testrun/finalscore.hpp"
#include "testrun/quest.hpp"
#include "testrun/theanswer.hpp"

namespace pv::testing {

// Ten records: 1 one answer, 2 two answers, 3 fill-in, 4 drag-and-drop, 5 router
// simulator, 6 dialog simulator, 7 exhibit and diagram (category 0), 8 no_reorder,
// 9 a "2950" diagram, 10 two answers of three.
inline void load_mixed_bank(Shared& g) {
  g.product_title = g.test_title = "Mixed Bank";
  g.test_description = "Every kind of question";
  g.product_version = "1.0";
  for (int r = 1; r <= 1000; ++r) {
    const int16_t number = g.questions[r].Number;  // set at start-up, kept by every bank
    g.questions[r] = {};
    g.questions[r].Number = number;
  }
  g.category_names[1] = "Routing";
  g.category_names[2] = "Addressing";
  g.category_count = 2;
  g.categories_enabled = vbTrue;
  const auto record = [&](int r, const char* type, int16_t category, const char* question,
                          std::vector<std::string> answers,
                          std::vector<int> correct) -> QuestionRecord& {
    QuestionRecord& q = g.questions[r];
    q.Type = type;
    q.Category = category;
    q.Question = question;
    for (size_t i = 0; i < answers.size(); ++i) q.Answer[static_cast<int>(i) + 1] = answers[i];
    for (int c : correct) q.Correct[c] = 1;
    return q;
  };
  record(1, "single_answer", 1, "Which layer routes packets?",
         {"Transport", "Network", "Session", "Physical"}, {2})
      .Reference = "44##Routing basics";
  record(2, "multi_answer", 2, "Which ranges are private?",
         {"10.0.0.0/8", "8.8.8.0/24", "172.16.0.0/12", "1.1.1.0/24"}, {1, 3});
  record(3, "fill_in_the_blank", 1, "Type the command that shows the routes.",
         {"show ip route", "sh ip \xE2\x80\x93route"}, {});
  QuestionRecord& dnd = record(4, "single_answer", 2, "Order the layers.", {"7"}, {});
  dnd.DiagramFile[1] = "xxxdnd";
  QuestionRecord& sim = record(5, "single_answer", 2, "Name the router and set its secret.",
                               {"[hostname]Router1", " enable secret=tulip"}, {});
  sim.DiagramFile[1] = "xxsim";
  sim.ExhibitFile[2] = "3550";
  sim.Clue = "hostname Router1\r\nenable secret tulip";
  record(6, "single_answer", 1, "Set up the interface.", {" 3 "}, {}).DiagramFile[1] = "xxxmssim";
  QuestionRecord& pictured =
      record(7, "single_answer", 0, "Which device is shown?", {"Hub", "Switch", "Router"}, {3});
  pictured.ExhibitFile[1] = "ex7.txt";
  pictured.DiagramFile[1] = "net7.gif";
  record(8, "no_reorder", 1, "Which protocols route?", {"RIP", "OSPF", "EIGRP", "All of these"},
         {4});
  record(9, "single_answer", 2, "Which mask is /24?", {"255.255.255.0", "255.255.0.0"}, {1})
      .DiagramFile[2] = "2950";
  record(10, "multi_answer", 1, "Which are routing protocols?", {"OSPF", "RIP", "HTTP"}, {1, 2})
      .Reference = "no hashes here";
  g.question_count = 10;
}

class TestRun : public SetupTest {
 protected:
  void before_start() override {
    app->use_banks({{"PB_GUDAR_pelma", load_mixed_bank}});
    const DiskFileSystem disk("/", "/");
    app->program_folder.write("q_bottom.ini",
                              disk.read_all(PREPVANT_SOURCE_DIR "/product/q_bottom.ini"));
    app->program->loop().idle = [this] { close_explanation(); };
  }

  // What the user does while the explanation window waits, modal: reads its page (kept
  // in `explanations`) and presses Close. Nothing else waits in these tests.
  void close_explanation() {
    theanswer* w = app->loaded<theanswer>();
    if (w == nullptr || !w->visible() || !w->modal)
      throw std::logic_error("a wait with no explanation window to close");
    explanations.push_back(w->text1.document.html());
    quest* test = app->loaded<quest>();
    explained_next_enabled.push_back(test != nullptr && test->cmd_buttons[0].enabled);
    app->program->input().click(w->Closeb);
  }
  std::vector<std::string> explanations;
  // Whether the test window's Next could be pressed while each explanation was open.
  std::vector<bool> explained_next_enabled;

  // Opens the setup window, lets `options` change it, and starts the book test: ten
  // questions in bank order (the question shuffle off), answers shuffled.
  quest& start_test(const std::function<void(pick_a_quiz&)>& options = {}) {
    pick_a_quiz& w = open_setup();
    show_page(1);
    tick(w.random_questions);
    if (options) options(w);
    show_page(0);
    press(w.Command1);
    return window();
  }
  quest& window() { return app->forms().get<quest>(); }
  std::string page_html() { return window().WebBrowser1.document.html(); }

  // The user's marks in the page: these answers checked and the others not (a radio group
  // keeps the last), or this reply typed into the field.
  void mark(std::initializer_list<int> answers) {
    HtmlDocument& doc = window().WebBrowser1.document;
    const bool radio = g().widget_kind == "Radio_Button";
    for (int i = 1; i <= g().answer_count; ++i) {
      bool on = false;
      for (int a : answers) on = on || a == i;
      const std::string box = "ans" + std::to_string(i);
      const bool set = radio ? !on || doc.set_checked({"frm", "radio1", size_t(i - 1)}, true)
                             : doc.set_checked({"frm", box, 0}, on);
      EXPECT_TRUE(set) << "the page has no field for answer " << i;
    }
  }
  void type_reply(const std::string& text) {
    EXPECT_TRUE(window().WebBrowser1.document.set_value({"frm", "txt_fill", 0}, text));
  }
  void next() { press(window().cmd_buttons[0]); }
  void back() { press(window().cmd_buttons[1]); }
  void menu(Menu& m) {
    ASSERT_TRUE(m.available()) << m.name() << " cannot be reached";
    app->click(m);
  }

  // The page's shown answers, in order, as "A.\tText".
  std::vector<std::string> shown_answers() {
    std::vector<std::string> out;
    for (int i = 1; i <= 6; ++i)
      if (!g().current_question.Answer[i].empty())
        out.push_back(g().answer_labels[i] + g().current_question.Answer[i]);
    return out;
  }
};

}  // namespace pv::testing
