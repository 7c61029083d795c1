// The full-screen study saver on a virtual clock: its tick schedule, order, layout, fonts,
// text conversion and exits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/navigation.hpp"
#include "core/welcome.hpp"
#include "platform/screen.hpp"
#include "platform/user_input.hpp"
#include "studysaver/saver_fixture.hpp"

namespace pv {
namespace {

using testing::saver_program;
using testing::start_and_pump;
using testing::TestProgram;

constexpr uint32_t kWhite = rgb(255, 255, 255);
constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kGreen = rgb(0, 204, 0);

// What the screen shows, in short: the card's number, whether its question is lit, how
// many answers are lit and which of them are green ("1 W 3 13").
std::string view(const Security& s) {
  std::string v = std::to_string(s.saver_record) + " ";
  const bool lit = s.lblQuestion.fore_color == kWhite && s.lblQuestnum.fore_color == kWhite;
  v += lit ? "W " : s.lblQuestion.fore_color == kBlack ? "B " : "? ";
  int answers = 0;
  std::string green;
  for (int i = 1; i <= 6; ++i) {
    if (s.lblAnswer[i].fore_color == kWhite) ++answers;
    if (s.lblAnswer[i].back_color == kGreen) green += std::to_string(i);
  }
  return v + std::to_string(answers) + " " + (green.empty() ? "-" : green);
}

// The views after each of `ticks` seconds.
std::vector<std::string> run_seconds(TestProgram& t, int ticks) {
  std::vector<std::string> views;
  for (int i = 0; i < ticks; ++i) {
    t.advance_ms(1000);
    views.push_back(view(t.forms().get<Security>()));
  }
  return views;
}

std::vector<std::string> repeat(const std::string& v, int n) {
  return std::vector<std::string>(static_cast<size_t>(n), v);
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(StudySaver, OneCardCycleWithTheDefaultDelays) {
  auto t = saver_program();
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  EXPECT_EQ(s.answer_delay, 3);
  EXPECT_EQ(s.correct_delay, 6);
  EXPECT_EQ(s.random_order, 0);
  EXPECT_EQ(s.cycle_length, 15);
  EXPECT_EQ(view(s), "1 B 0 -");
  EXPECT_EQ(s.lblQuestnum.caption, " 1. ");
  EXPECT_EQ(s.lblQuestion.caption, "Which two protocols carry data?\r\nChoose two.");
  EXPECT_EQ(s.lblAnswer[1].caption, "");  // nothing before the answer step

  // Question at 3, answers at 6, green at 12, dark at 15, the next card at 16.
  EXPECT_EQ(run_seconds(*t, 19), joined({repeat("1 B 0 -", 2),
                                         repeat("1 W 0 -", 3),
                                         repeat("1 W 3 -", 6),
                                         repeat("1 W 3 13", 3),
                                         {"1 B 0 -"},
                                         repeat("2 B 0 -", 3),
                                         {"2 W 0 -"}}));
  // Card 1's answers as shown: two blanks after the letter, entities decoded.
  EXPECT_EQ(s.lblAnswer[1].caption, "A.  TCP");
  EXPECT_EQ(s.lblAnswer[2].caption, "B.  UDP & IP");
  EXPECT_EQ(s.lblAnswer[3].caption, "C.  ICMP");
  EXPECT_EQ(s.lblAnswer[4].caption, "");
  EXPECT_EQ(s.lblAnswer[1].back_color, kBlack);  // the fade-out took the green away
  EXPECT_EQ(s.lblQuestnum.caption, " 2. ");
  // The answers sit under the question, one under the other.
  EXPECT_EQ(s.lblAnswer[1].top, s.lblQuestion.top + s.lblQuestion.height + 500);
  EXPECT_EQ(s.lblAnswer[2].top, s.lblAnswer[1].top + s.lblAnswer[1].height + 300);
}

TEST(StudySaver, DelaysOfZeroShowNoAnswersAndNoMarks) {
  struct Case {
    const char* aspeed;
    const char* cspeed;
    std::vector<std::string> views;
  };
  const std::vector<Case> cases = {
      // The answer step falls on the fade-in: answers never show.
      {"0", "0",
       joined({repeat("1 B 0 -", 2),
               repeat("1 W 0 -", 3),
               {"1 B 0 -"},
               repeat("2 B 0 -", 3),
               {"2 W 0 -"}})},
      {"0", "6",
       joined({repeat("1 B 0 -", 2),
               repeat("1 W 0 -", 6),
               repeat("1 W 0 13", 3),
               {"1 B 0 -"},
               repeat("2 B 0 -", 3)})},
      // The marking step falls on the answer step: answers show, never green.
      {"3", "0",
       joined({repeat("1 B 0 -", 2),
               repeat("1 W 0 -", 3),
               repeat("1 W 3 -", 3),
               {"1 B 0 -"},
               repeat("2 B 0 -", 3)})},
  };
  for (const Case& c : cases) {
    auto t = saver_program({{"aspeed", c.aspeed}, {"cspeed", c.cspeed}});
    start_and_pump(*t);
    EXPECT_EQ(run_seconds(*t, static_cast<int>(c.views.size())), c.views)
        << c.aspeed << " " << c.cspeed;
    if (std::string(c.aspeed) == "0") {
      EXPECT_EQ(t->forms().get<Security>().lblAnswer[1].caption, "");
    }
  }
}

TEST(StudySaver, SettingsThatAreNotSixteenBitNumbersGiveTheDefaults) {
  struct Case {
    const char* aspeed;
    const char* cspeed;
    const char* random;
    int16_t answer, correct, order;
  };
  for (const Case& c : std::vector<Case>{{"x", "", "yes", 3, 6, 0},
                                         {"40000", "-70000", "1e9", 3, 6, 0},
                                         {" 7 ", "2.5", "1", 7, 2, 1},
                                         {"-2", "32767", "0", -2, 32767, 0}}) {
    auto t =
        saver_program({{"aspeed", c.aspeed}, {"cspeed", c.cspeed}, {"RandQuestions", c.random}});
    start_and_pump(*t);
    Security& s = t->forms().get<Security>();
    EXPECT_EQ(s.answer_delay, c.answer) << c.aspeed;
    EXPECT_EQ(s.correct_delay, c.correct) << c.cspeed;
    EXPECT_EQ(s.random_order, c.order) << c.random;
    EXPECT_TRUE(s.FadeTimer.enabled);  // the set-up ran to its end
    EXPECT_TRUE(s.scrolllogo.enabled);
    EXPECT_EQ(t->error_log().find("Security"), std::string::npos);
    EXPECT_EQ(t->error_log().find("Type mismatch"), std::string::npos);
  }
}

TEST(StudySaver, RandomOrderFollowsTheScriptedFractionsAndWraps) {
  auto t = saver_program({{"RandQuestions", "1"}, {"aspeed", "0"}, {"cspeed", "0"}});
  // card_count 4: r = Int(4 * x + 1) swaps positions 1..4 with 3, 1, 4, 2.
  for (float x : {0.5f, 0.0f, 0.99f, 0.25f}) t->random->push(x);
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  EXPECT_EQ(t->random->randomizes, 1);
  EXPECT_EQ(t->random->draws, 4);
  EXPECT_EQ(s.card_count, 4);
  std::vector<int16_t> order;
  for (int i = 1; i <= 6; ++i) order.push_back(s.card_order[i]);
  EXPECT_EQ(order, (std::vector<int16_t>{2, 1, 4, 3, 5, 6}));  // past the count: their own
  EXPECT_EQ(s.card_order[1000], 1000);
  // Cards of 7 seconds: after the last position comes the first card of the order again.
  std::vector<int16_t> shown{s.saver_record};
  for (int card = 0; card < 5; ++card) {
    for (int k = 0; k < 7; ++k) t->advance_ms(1000);
    shown.push_back(s.saver_record);
  }
  EXPECT_EQ(shown, (std::vector<int16_t>{2, 1, 4, 3, 2, 1}));
}

TEST(StudySaver, SequentialOrderWrapsToTheFirstRecord) {
  auto t = saver_program({{"aspeed", "0"}, {"cspeed", "0"}});
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  std::vector<int16_t> shown{s.saver_record};
  for (int card = 0; card < 5; ++card) {
    for (int k = 0; k < 7; ++k) t->advance_ms(1000);
    shown.push_back(s.saver_record);
  }
  EXPECT_EQ(shown, (std::vector<int16_t>{1, 2, 3, 4, 1, 2}));
  EXPECT_EQ(t->random->randomizes, 0);
}

TEST(StudySaver, ShowingACardLeavesTheBankRecordAsItWas) {
  auto t = saver_program({{"aspeed", "0"}, {"cspeed", "0"}});
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  const std::string stored = t->g().questions[2].Question;
  // Card 2 twice: the second showing decodes nothing more.
  for (int round = 0; round < 2; ++round) {
    while (s.saver_record != 2) t->advance_ms(1000);
    EXPECT_EQ(s.lblQuestion.caption, "What does &lt; stand for?") << round;
    while (s.saver_record == 2) t->advance_ms(1000);
  }
  EXPECT_EQ(t->g().questions[2].Question, stored);
  EXPECT_EQ(t->g().questions[1].Question, "Which <b>two</b> protocols carry data?<br>Choose two.");
}

TEST(StudySaver, MarkupBecomesPlainText) {
  struct Case {
    std::string in, out;
  };
  for (const Case& c : std::vector<Case>{
           {"one<br>two", "one\r\ntwo"},
           {"<p>para</p>", "\r\n\r\npara"},
           {"a &gt; b &lt; c", "a > b < c"},
           {"&lt;b&gt;bold&lt;/b&gt;", "bold"},  // decoded tags are then removed
           {"&amp;lt;", "&lt;"},                 // decoded once
           {"<i>i</i><b>b</b><sup>2</sup><sub>n</sub>", "ib2n"},
           {"&quot;quoted&quot; 3&times;4", "\"quoted\" 3x4"},
           {"<B>caps</B> <BR> &AMP; &nbsp; <u>u</u>", "<B>caps</B> <BR> &AMP; &nbsp; <u>u</u>"},
           {"", ""},
       })
    EXPECT_EQ(html_to_text(c.in), c.out) << c.in;
}

TEST(StudySaver, ScreenClassesAndFontSizes) {
  struct Screen {
    int w, h;
    int16_t cls;
  };
  for (const Screen& c : std::vector<Screen>{{640, 480, 1},
                                             {800, 600, 2},
                                             {1024, 768, 3},
                                             {1920, 1080, 3},
                                             {1280, 480, 0},
                                             {1024, 600, 0},
                                             {801, 600, 0},
                                             {1000, 791, 0},
                                             {1000, 792, 3}})
    EXPECT_EQ(screen_class_of(c.w, c.h), c.cls) << c.w << "x" << c.h;

  struct Font {
    int16_t cls;
    int64_t length;
    float size;
  };
  for (const Font& c : std::vector<Font>{{1, 50, 14},
                                         {1, 51, 12},
                                         {1, 139, 12},
                                         {1, 140, 10},
                                         {2, 0, 16},
                                         {2, 100, 14},
                                         {2, 500, 12},
                                         {3, 50, 26},
                                         {3, 51, 24},
                                         {3, 140, 18},
                                         {0, 10, 9.5f},
                                         {0, 200, 9.5f}})
    EXPECT_EQ(saver_font_size(c.cls, c.length, 9.5f), c.size) << c.cls << " " << c.length;

  // On an 800 x 600 screen: card 1's question has 53 characters as stored, its longest
  // answer 12.
  auto t = saver_program({{"aspeed", "1"}});
  t->program->screen().set_size(800, 600);
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  EXPECT_EQ(s.screen_class, 2);
  EXPECT_EQ(s.lblQuestion.font.size, 14);
  EXPECT_EQ(s.lblQuestnum.font.size, 14);
  for (int k = 0; k < 3; ++k) t->advance_ms(1000);
  EXPECT_EQ(s.lblAnswer[1].font.size, 24);  // the design size until the answers show
  t->advance_ms(1000);
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(s.lblAnswer[i].font.size, 16) << i;
}

TEST(StudySaver, CoversTheScreenAndDriftsItsLogo) {
  auto t = saver_program();
  t->program->screen().set_size(1024, 768);
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  EXPECT_EQ(t->visible_windows(), std::vector<std::string>{"Security"});
  EXPECT_TRUE(s.topmost);
  EXPECT_EQ(s.border_style, vbBSNone);
  EXPECT_EQ(s.caption(), "Security");
  EXPECT_EQ(std::vector<float>({s.left(), s.top(), s.width(), s.height()}),
            std::vector<float>({0, 0, 15360, 11520}));
  EXPECT_EQ(std::vector<float>({s.Frame1.width, s.Frame1.height}),
            std::vector<float>({15360, 11520}));
  EXPECT_EQ(s.Frame1.back_color, kBlack);
  EXPECT_LT(t->sys().screen.cursor_count(), 0);
  EXPECT_EQ(s.lblQuestnum.left, 300);
  EXPECT_EQ(s.lblQuestnum.top, 175);
  EXPECT_EQ(s.lblQuestion.left, 1635);
  EXPECT_EQ(s.lblQuestion.width, 15360 - 1700);
  EXPECT_EQ(s.answer_left, 1396);  // 15360 / 11 = 1396.4
  EXPECT_EQ(s.lblAnswer[3].left, 1396);
  EXPECT_EQ(s.lblAnswer[3].width, 15360 - 2 * 1396);
  EXPECT_EQ(s.Picture1.left, 15360 - 4800 - 30);
  EXPECT_EQ(s.Picture1.top, 11520 - 2055 - 30);
  // Shown: the product photo, the panel's labels hidden, the test's title noted.
  EXPECT_TRUE(s.img_pb.visible);
  EXPECT_FALSE(s.Label1.visible);
  EXPECT_FALSE(s.lblTestinfo.visible);
  EXPECT_FALSE(s.Label3.visible);
  EXPECT_FALSE(s.Image1.visible);
  EXPECT_EQ(s.lblTestinfo.caption, "Saver Bank");

  for (int i = 0; i < 10; ++i) t->advance_ms(20);
  EXPECT_EQ(s.Picture1.left, 15360 - 4800 - 30 - 50);
  EXPECT_EQ(s.active_control(), &s.Picture1);
  // Out at the left, back in at the right.
  s.Picture1.left = -4795;
  t->advance_ms(20);
  EXPECT_EQ(s.Picture1.left, 15360);
}

TEST(StudySaver, AnyKeyEndsTheProgram) {
  for (int key : {int{'A'}, int{vbKeyEscape}, int{vbKeyReturn}}) {
    auto t = saver_program();
    start_and_pump(*t);
    Security& s = t->forms().get<Security>();
    t->advance_ms(20);  // the logo panel takes the focus
    t->user([&](UserInput& in) { in.key_down(s, key, 0); });
    EXPECT_TRUE(t->program->ended()) << key;
    EXPECT_EQ(t->loaded<Security>(), nullptr);
    EXPECT_GE(t->sys().screen.cursor_count(), 0);  // the cursor shows again
  }
}

TEST(StudySaver, AMouseMovementOfFiveTwipsEndsTheProgram) {
  auto t = saver_program();
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  const auto move = [&](Control& c, float x, float y) {
    t->user([&](UserInput& in) { in.mouse_move(c, x, y); });
  };
  move(s.Frame1, 3000, 2000);  // the first event only records where the mouse is
  move(s.Frame1, 3004, 1996);  // less than 5 either way
  move(s.Frame1, 3000, 2000);
  move(s.lblQuestion, 9000, 9000);  // over a label: not over the frame
  move(s.Picture1, 100, 100);
  EXPECT_FALSE(t->program->ended());
  EXPECT_EQ(std::make_pair(s.last_mouse_x, s.last_mouse_y), std::make_pair(3000, 2000));
  move(s.Frame1, 3000, 2005);
  EXPECT_TRUE(t->program->ended());
  EXPECT_EQ(t->loaded<Security>(), nullptr);
}

TEST(StudySaver, AMouseEventAtTheOriginNeverEnds) {
  auto t = saver_program();
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  for (float x : {0.0f, 0.0f, 40.4f}) {
    t->user([&](UserInput& in) { in.mouse_move(s.Frame1, x, 0); });
    EXPECT_FALSE(t->program->ended()) << x;
  }
  EXPECT_EQ(s.last_mouse_x, 40);
  t->user([&](UserInput& in) { in.mouse_move(s.Frame1, 50, 0); });
  EXPECT_TRUE(t->program->ended());
}

TEST(StudySaver, ThePartnerEditionShowsItsLogo) {
  auto t = saver_program();
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  t->g().is_partner_edition = vbTrue;
  t->g().edition_code = "wux";
  t->program->dispatch([&] { s.Form_Activate(); });
  EXPECT_TRUE(s.Image1.visible);
  EXPECT_FALSE(s.Label1.visible);
}

TEST(StudySaver, AnEmptyBankWrapsToRecordOne) {
  auto t = std::make_unique<TestProgram>("aaaa46000");
  t->use_banks({{"PB_GUDAR_pelma", [](Shared& g) { g.question_count = 0; }}});
  t->settings->save(kSaverApp, kSaverSection, "RandQuestions", "1");
  start_and_pump(*t);
  Security& s = t->forms().get<Security>();
  EXPECT_EQ(s.saver_record, 1);
  for (int k = 0; k < 17; ++k) t->advance_ms(1000);
  EXPECT_EQ(s.saver_record, 1);
  EXPECT_EQ(s.saver_position, 1);
  EXPECT_EQ(s.lblQuestnum.caption, " 1. ");
}

}  // namespace
}  // namespace pv
