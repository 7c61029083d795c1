// A program with small question banks of its own, driven on its setup window as a user
// drives it: open it from the start window, pick tests, tick boxes, type, move
// categories, press the buttons.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/welcome.hpp"
#include "setup/pick_a_quiz.hpp"
#include "support/test_program.hpp"
#include "testrun/quest.hpp"

namespace pv::testing {

// A bank: its title, and the runs of records of its categories in category order (an
// empty name ends the list). Record `zero_category` (when not 0) stores category 0.
struct BankShape {
  const char* title;
  std::array<int, 4> runs;
  std::array<const char*, 4> names;
  int zero_category = 0;
  bool categories = true;
};

// Loads a shape by the bank convention: identity, reset, categories, records, count.
template <const BankShape& S>
void load_shape(Shared& g) {
  g.test_description = S.title;
  g.product_title = S.title;
  g.product_version = "1.0";
  g.test_title = S.title;
  for (int r = 1; r <= 1000; ++r) {
    QuestionRecord& q = g.questions[r];
    for (int a = 1; a <= 6; ++a) q.Answer[a].clear(), q.Correct[a] = 0;
    q.Category = 1;
  }
  for (int c = 1; c <= 150; ++c) g.category_names[c].clear();
  int count = 0, categories = 0;
  for (size_t c = 0; c < S.runs.size() && S.names[c] != nullptr; ++c) {
    g.category_names[static_cast<int>(c) + 1] = S.names[c];
    categories = static_cast<int>(c) + 1;
  }
  g.categories_enabled = S.categories ? vbTrue : vbFalse;
  g.category_count = static_cast<int16_t>(categories);
  for (int c = 0; c < categories; ++c) {
    for (int k = 0; k < S.runs[static_cast<size_t>(c)]; ++k) {
      QuestionRecord& q = g.questions[++count];
      q.Question = std::string(S.title) + " question " + std::to_string(count);
      q.Answer[1] = "Yes";
      q.Answer[2] = "No";
      q.Correct[1] = 1;
      q.Type = "single_answer";
      q.Category = static_cast<int16_t>(count == S.zero_category ? 0 : c + 1);
    }
  }
  g.question_count = static_cast<int16_t>(count);
}

// GUDAR: a book bank of 40, a CD-ROM bank of 200 (category 1 holds 73 records, one of
// them stored as category 0) and a full exam of 240.
inline constexpr BankShape kGudarBook{
    "GUDAR Book Bank", {10, 10, 10, 10}, {"Cabling", "Addressing", "Security  ", "Routing"}};
inline constexpr BankShape kGudarCd{
    "GUDAR CD Bank",
    {73, 2, 3, 122},
    {"Network Basics", "Two Questions", "Three Questions", "Everything Else"},
    73};
inline constexpr BankShape kGudarFull{"GUDAR Full Bank", {120, 120, 0, 0}, {"Book", "CD-ROM"}};
// VARB: a book bank of 6 in one category, a CD-ROM bank of 30, a full exam of 36.
inline constexpr BankShape kVarbBook{"VARB Book Bank", {6, 0, 0, 0}, {"Only Chapter"}};
inline constexpr BankShape kVarbCd{"VARB CD Bank", {30, 0, 0, 0}, {"CD"}};
inline constexpr BankShape kVarbFull{"VARB Full Bank", {6, 30, 0, 0}, {"Book", "CD"}};
// VARB/SOLK flash cards: two banks, the first without categories.
inline constexpr BankShape kSolkVarb{"SOLK VARB Bank", {12, 0, 0, 0}, {"Cards"}, 0, false};
inline constexpr BankShape kSolkSolk{"SOLK Bank", {8, 0, 0, 0}, {"Cards"}};

inline std::vector<BankModule> test_banks() {
  return {{"PB_GUDAR_pelma", load_shape<kGudarBook>}, {"PB_GUDAR_velto", load_shape<kGudarCd>},
          {"PB_GUDAR_combo", load_shape<kGudarFull>}, {"PB_VARB_Pelma", load_shape<kVarbBook>},
          {"PB_VARB_Velto", load_shape<kVarbCd>},     {"PB_VARB_combo", load_shape<kVarbFull>},
          {"PB_SOLK_VARB", load_shape<kSolkVarb>},    {"PB_SOLK_SOLK", load_shape<kSolkSolk>}};
}

class SetupTest : public ::testing::Test {
 protected:
  // The program for a product, started, with nothing done yet.
  void start(const std::string& product = "46000") {
    app = std::make_unique<TestProgram>(product);
    app->use_banks(test_banks());
    before_start();
    app->start();
  }
  // Hook for what must be in place before the start-up (files, settings).
  virtual void before_start() {}

  // Starts the program and presses Start on the start window.
  pick_a_quiz& open_setup(const std::string& product = "46000") {
    start(product);
    app->click(app->forms().get<Welcome>().Image4[0]);
    return setup();
  }
  pick_a_quiz& setup() { return app->forms().get<pick_a_quiz>(); }
  Shared& g() { return app->g(); }

  // Closes the setup window and comes back to it through the start window, as
  // "&Quit to Menu" does.
  pick_a_quiz& reopen_setup() {
    app->program->dispatch([this] {
      app->forms().unload<pick_a_quiz>();
      app->forms().get<Welcome>().show();
      return_to_menu(app->sys());
    });
    return setup();
  }

  // A user's actions, carried out as the front-end carries them out; each first checks
  // that the user can reach the control.
  void expect_reachable(const Control& c) {
    EXPECT_TRUE(c.showing()) << c.name() << " is not on screen";
    EXPECT_TRUE(c.enabled) << c.name() << " is disabled";
  }
  void press(Control& c) {
    expect_reachable(c);
    app->click(c);
  }
  void choose(OptionButton& o) {
    expect_reachable(o);
    app->click(o);
  }
  void tick(CheckBox& c) {
    expect_reachable(c);
    app->click(c);
  }
  void type(TextBox& t, const std::string& text) {
    expect_reachable(t);
    app->user([&t, text](UserInput& in) { in.type_text(t, text); });
  }
  void scroll(ScrollBar& s, int position) {
    expect_reachable(s);
    app->user([&s, position](UserInput& in) { in.scroll(s, position); });
  }
  void show_page(int page) {
    app->user([this, page](UserInput& in) { in.click_tab(setup().SSTab1, page); });
  }
  // Chooses the menu entry that the access keys reach, by typing them.
  void menu_keys(const std::string& keys) {
    Menu* m = setup().menu_for_keys(keys);
    ASSERT_NE(m, nullptr) << "no menu entry for " << keys;
    app->menu_keys(setup(), keys);
  }
  void choose_menu(Menu& m) {
    ASSERT_TRUE(m.available()) << m.name() << " cannot be reached";
    ASSERT_TRUE(setup().visible());
    app->click(m);
  }
  // Selects the items: a click on the first, Ctrl-clicks on the others.
  void select_items(ListBox& list, const std::vector<int>& items) {
    expect_reachable(list);
    for (size_t k = 0; k < items.size(); ++k)
      app->user([&list, item = items[k], k](UserInput& in) {
        in.click_item(list, item, k == 0 ? 0 : vbCtrlMask);
      });
  }
  void double_click(ListBox& list, int item) {
    expect_reachable(list);
    app->user([&list, item](UserInput& in) { in.double_click_item(list, item); });
  }

  static std::vector<std::string> items(const ListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.list_count(); ++i) out.push_back(list.list(i));
    return out;
  }
  // The positions of the test in asking order, and the records they stand for.
  std::vector<int> order() {
    std::vector<int> out;
    for (int k = 1; k <= g().questions_to_ask; ++k) out.push_back(g().question_order[k]);
    return out;
  }
  std::vector<int> asked_records() {
    std::vector<int> out;
    for (int p : order()) out.push_back((p - 1) * g().quiz_stride + g().quiz_offset);
    return out;
  }
  // Draws of the answer shuffle when the first question is presented: the test banks'
  // questions have two answers.
  static constexpr int kFirstQuestionDraws = 2;
  // The position of the question the test window presents (-1 without a test window).
  int question_on_screen() {
    quest* q = app->loaded<quest>();
    return q == nullptr ? -1 : g().question_counter;
  }
  std::string setting(const std::string& key) {
    return app->settings->get("veltotest", "stuff", key, "<none>");
  }
  void set_setting(const std::string& key, const std::string& value) {
    app->settings->save("veltotest", "stuff", key, value);
  }
  std::vector<std::string> message_texts() {
    std::vector<std::string> out;
    for (const auto& m : app->dialogs->messages) out.push_back(m.text);
    return out;
  }

  std::unique_ptr<TestProgram> app;
};

}  // namespace pv::testing
