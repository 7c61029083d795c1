// The setup window's options: the settings read at load, the save, the two presets and
// the small handlers behind the option controls.
#include <cstdlib>

#include "core/program_name.hpp"
#include "platform/dialogs.hpp"
#include "platform/error_log.hpp"
#include "platform/settings.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"

namespace pv {

// The option values of a preset and the box that says so.
struct OptionPreset {
  int16_t test_mode;
  const char* minutes;
  int16_t timed;
  int16_t answer_when_wrong;
  int16_t answer_when_right;
  int16_t random_questions;
  int16_t random_answers;
  int16_t score_graph;
  int16_t back_button;
  const char* message;
  const char* title;
};

namespace {

// Lenient: the number the text starts with (0 when none), to the nearest whole number,
// halves to the even one. Error 6 when it does not fit 16 bits.
int16_t read_whole(std::string_view text) {
  return cint(val(text));
}

// Strict: the whole text must be a number (error 13 otherwise), then as above.
int16_t convert_whole(std::string_view text) {
  return cint(text);
}

// A check box takes 0 or 1 from the settings; anything else is an invalid value.
int16_t check_value(int16_t value) {
  if (value != 0 && value != 1) raise_error(380);
  return value;
}

// The presets: practice, the default (Restore Defaults), and the test mode (Command2).
enum Preset { kPractice, kTestMode };
constexpr OptionPreset kPresets[] = {
    {.test_mode = vbFalse,
     .minutes = "75",
     .timed = 0,
     .answer_when_wrong = 1,
     .answer_when_right = 0,
     .random_questions = 1,
     .random_answers = 1,
     .score_graph = 1,
     .back_button = 1,
     .message = "User Settings have been changed to enhance learning.",
     .title = "User Settings"},
    {.test_mode = vbTrue,
     .minutes = "75",
     .timed = 1,
     .answer_when_wrong = 0,
     .answer_when_right = 0,
     .random_questions = 1,
     .random_answers = 1,
     .score_graph = 0,
     .back_button = 0,
     .message = "User Settings have been changed to simulate the actual exam.",
     .title = kProgramTitle},
};

}  // namespace

void pick_a_quiz::apply_settings_at_load(Trap& step) {
  SettingsStore& store = sys.settings;
  const auto get = [&](const char* key, const char* fallback) {
    return store.get(kSettingsApp, kSettingsSection, key, fallback);
  };
  // 1-2.
  step([&] { g.student_name = get("studentname", "STUDENT"); });
  step([&] { txtstudentname.set_text(g.student_name); });
  step([&] { g.count_bar_position = 1000; });
  // 3-5. The values; the saved options are applied only after a save.
  std::string saved, timedtest, timedminutes, randomanswers, randomquestions, scoregraph1, backb1;
  step([&] { saved = get("savesettings", ""); });
  step([&] { g.show_answer_wrong = read_whole(get("answerwhenwrong", "")); });
  step([&] { g.show_answer_right = read_whole(get("answerwhenright", "")); });
  step([&] { timedtest = get("timedtest", ""); });
  step([&] { g.answer_position = get("putanswer", "top"); });
  step([&] { timedminutes = get("timedminutes", ""); });
  step([&] { randomanswers = get("randomanswers1", ""); });
  step([&] { randomquestions = get("randomquestions1", ""); });
  step([&] { scoregraph1 = get("scoregraph1", ""); });
  step([&] { backb1 = get("backb", ""); });
  // 6-8. Applied at every load.
  step([&] {
    const std::string shown = get("show#answers", "");
    if (!shown.empty()) showhowmanyanswers.set_value(check_value(convert_whole(shown)));
  });
  step([&] { g.embed_tutor = convert_whole(get("EmbedWM", "0")); });
  step([&] {
    const bool radio = trim(get("radio", "1")) == "1";
    chkRadio.set_value(radio ? 1 : 0);
    g.use_radio_buttons = radio ? vbTrue : vbFalse;
  });
  // 9. Count labels.
  step([&] { howmanyq.caption = trim(str(int64_t{g.questions_to_ask})); });
  step([&] { howmany.caption = cstr(int64_t{g.pool_size}); });
  // 10. The saved options.
  if (saved == "saved") {
    step([&] { timeamount.set_text(cstr(val(timedminutes))); });
    step([&] { timeron.set_value(check_value(read_whole(timedtest))); });
    step([&] { answer_when_wrong.set_value(check_value(g.show_answer_wrong)); });
    step([&] { answer_when_right.set_value(check_value(g.show_answer_right)); });
    step([&] { random_questions.set_value(check_value(read_whole(randomquestions))); });
    step([&] { random_answers.set_value(check_value(read_whole(randomanswers))); });
    step([&] { backb.set_value(check_value(read_whole(backb1))); });
    step([&] { scoregraph.set_value(check_value(read_whole(scoregraph1))); });
    step([&] { chkEmbed.set_value(check_value(g.embed_tutor)); });
  }
  // 11. The time-limit controls follow the timer box, the bar the minutes shown.
  step([&] { timeamount_Change(); });
  step([&] { timeron_Click(); });
}

void pick_a_quiz::savesettings_Click() {
  // A value the store cannot keep is logged, and the user is told at the end.
  bool failed = false;
  const auto put = [&](const char* key, const std::string& value) {
    try {
      sys.settings.save(kSettingsApp, kSettingsSection, key, value);
    } catch (const RuntimeError& e) {
      failed = true;
      sys.error_log.append("savesettings_Click()", "pick_a_quiz.frm", e);
    }
  };
  const auto number_text = [](const CheckBox& c) { return str(int64_t{c.value()}); };
  put("savesettings", "saved");
  put("answerwhenwrong", number_text(answer_when_wrong));
  put("answerwhenright", number_text(answer_when_right));
  put("timedtest", number_text(timeron));
  if (is_numeric(timeamount.text())) put("timedminutes", str(val(timeamount.text())));
  put("randomanswers1", number_text(random_answers));
  put("randomquestions1", number_text(random_questions));
  put("scoregraph1", number_text(scoregraph));
  put("backb", number_text(backb));
  put("show#answers", number_text(showhowmanyanswers));
  put("radio", number_text(chkRadio));
  put("EmbedWM", cstr(int64_t{chkEmbed.value()}));
  skip([&] {
    g.page_font_size =
        convert_whole(sys.settings.get(kSettingsApp, kSettingsSection, "savedfont", "12"));
  });
  put("savedfont", g.page_font_size > 0 ? cstr(int64_t{g.page_font_size}) : "12");
  skip([&] {
    if (failed)
      sys.dialogs.msgbox("User Settings could not be saved.", vbOKOnly, kProgramTitle);
    else
      sys.dialogs.msgbox("User Settings have been saved.", vbOKOnly, kProgramTitle);
  });
}

void pick_a_quiz::restore_defaults_Click() {
  apply_preset(kPresets[kPractice]);
}

void pick_a_quiz::Command2_Click() {
  apply_preset(kPresets[kTestMode]);
}

void pick_a_quiz::apply_preset(const OptionPreset& p) {
  skip([&] { g.test_mode = p.test_mode; });
  skip([&] { timeamount.set_text(p.minutes); });
  skip([&] { timeron.set_value(p.timed); });
  skip([&] { answer_when_wrong.set_value(p.answer_when_wrong); });
  skip([&] { answer_when_right.set_value(p.answer_when_right); });
  skip([&] { random_questions.set_value(p.random_questions); });
  skip([&] { random_answers.set_value(p.random_answers); });
  skip([&] { scoregraph.set_value(p.score_graph); });
  skip([&] { backb.set_value(p.back_button); });
  skip([&] { sys.dialogs.msgbox(p.message, vbOKOnly, p.title); });
}

void pick_a_quiz::chkRadio_Click() {
  g.use_radio_buttons = chkRadio.value() != 0 ? vbTrue : vbFalse;
}

void pick_a_quiz::timeron_Click() {
  const bool on = timeron.value() == 1;
  timeamount.visible = on;
  timeamountlabel.visible = on;
  VScroll1.visible = on;
}

void pick_a_quiz::VScroll1_Change() {
  skip([&] { timeamount.set_text(cstr(int64_t{std::abs(200 - VScroll1.value())})); });
}

// The bar stands where one step from the minutes shown gives a minute more or less, so
// the minutes, the bar and its arrows keep in step. Other texts leave the bar where it is.
void pick_a_quiz::timeamount_Change() {
  skip([&] {
    const std::string& text = timeamount.text();
    const double minutes = val(text);
    if (minutes >= 1 && minutes <= 200 && cstr(static_cast<int64_t>(minutes)) == text)
      VScroll1.set_value(200 - static_cast<int>(minutes));
  });
}

void pick_a_quiz::VScroll2_Change() {
  skip([&] {
    int n = read_whole(howmanyq.caption);
    const int16_t position = VScroll2.value();
    if (position > g.count_bar_position) {
      n = n - 1;
      if (n == 0) n = 1;
    }
    if (position < g.count_bar_position) {
      n = n + 1;
      const int16_t cap =
          which_quiz[5].value() || which_quiz[6].value() ? g.pool_size : g.questions_to_ask;
      if (n > cap) n = cap;
    }
    howmanyq.caption = trim(str(int64_t{n}));
    refresh();
  });
  skip([&] { g.count_bar_position = VScroll2.value(); });
}

void pick_a_quiz::txtstudentname_Change() {
  g.student_name = txtstudentname.text();
}

}  // namespace pv
