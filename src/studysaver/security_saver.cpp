// The full-screen study saver: a clock of one step a second shows each card's question,
// then its answers, then marks the correct ones, and fades it out; the logo panel drifts
// along the bottom; the first key or mouse movement ends the program.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/navigation.hpp"
#include "platform/autosize.hpp"
#include "platform/errors.hpp"
#include "platform/picture.hpp"
#include "platform/random.hpp"
#include "platform/screen.hpp"
#include "platform/settings.hpp"
#include "platform/vbtext.hpp"
#include "studysaver/security.hpp"

namespace pv {
namespace {

constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kWhite = rgb(255, 255, 255);
constexpr uint32_t kCorrectGreen = rgb(0, 204, 0);
constexpr const char* kAnswerLetters[] = {"", "A. ", "B. ", "C. ", "D. ", "E. ", "F. "};

// A setting read as a 16-bit number; one that is not a valid 16-bit number gives the
// default, as an absent one does, rather than stop the saver's set-up half-way.
int16_t saver_setting(const SettingsStore& settings, const char* key, int16_t default_value) {
  try {
    return cint(settings.get(kSaverApp, kSaverSection, key, cstr(int64_t{default_value})));
  } catch (const RuntimeError&) {
    return default_value;
  }
}

}  // namespace

void Security::saver_load() {
  take_screen_class();
  // The window covers the desktop from its top-left corner, above every other window.
  const int right = static_cast<int>(sys.screen.width()) / sys.screen.twips_per_pixel_x();
  const int bottom = static_cast<int>(sys.screen.height()) / sys.screen.twips_per_pixel_y();
  topmost = true;
  move(0, 0, static_cast<float>(right * sys.screen.twips_per_pixel_x()),
       static_cast<float>(bottom * sys.screen.twips_per_pixel_y()));
  saver_position = 1;
  read_saver_settings();
  FadeTimer.set_enabled(true);
  scrolllogo.set_enabled(true);
  cycle_length = int32_t{answer_delay} + 3 + correct_delay + 3;
  choose_the_first_card();
  show_saver_question();
  sys.screen.show_cursor(false);
  Form_Resize();
}

void Security::read_saver_settings() {
  answer_delay = saver_setting(sys.settings, "aspeed", 3);
  correct_delay = saver_setting(sys.settings, "cspeed", 6);
  random_order = saver_setting(sys.settings, "RandQuestions", 0);
}

void Security::choose_the_first_card() {
  if (random_order == 0) {
    saver_record = 1;
    return;
  }
  card_count = g.question_count;
  sys.random.randomize();
  shuffle_cards();
  saver_record = card_order[saver_position];
}

void Security::saver_activate() {
  skip([&] { lblTestinfo.caption = g.test_title; });
  skip([&] { img_pb.picture = load_picture(sys.files, g.photo_path).path; });
  skip([&] { img_pb.visible = true; });  // in front: the panel's first control
  skip([&] { Label1.visible = false; });
  skip([&] { lblTestinfo.visible = false; });
  skip([&] { Label3.visible = false; });
}

void Security::Form_Resize() {
  if (g.study_saver_mode != 1) return;
  const float screen_width = sys.screen.width();
  skip([&] { move(left(), top(), screen_width, sys.screen.height()); });
  skip([&] { Frame1.move(0, 0, width(), height()); });
  skip([&] { lblQuestnum.move(300, top() + 175); });
  skip([&] {
    lblQuestion.move(lblQuestnum.left + lblQuestnum.width + 30, top() + 175);
    lblQuestion.width = screen_width - 1700;
    if (lblQuestion.left + lblQuestion.width > screen_width)
      lblQuestion.width = screen_width - (lblQuestion.left + 100);
    fit_to_caption(lblQuestion, sys.measure);
  });
  skip([&] { answer_left = static_cast<float>(clng(screen_width / 11)); });
  for (Label& l : lblAnswer)
    skip([&] {
      l.left = answer_left;
      l.width = screen_width - 2 * answer_left;
      fit_to_caption(l, sys.measure);
    });
  skip([&] { Picture1.move(width() - Picture1.width - 30, height() - Picture1.height - 30); });
}

void Security::FadeTimer_Timer() {
  skip([&] { ++step_counter; });
  if (step_counter > cycle_length) skip([&] { next_card(); });
  const int32_t n = step_counter;
  if (n == 3) {
    skip([&] { fade_in_question(); });
  } else if (n == int32_t{answer_delay} + 3) {
    reveal_answers();
  } else if (n == int32_t{answer_delay} + correct_delay + 3) {
    skip([&] { mark_correct_answers(); });
  } else if (n == cycle_length) {
    skip([&] { end_cycle_colours(); });
  }
}

void Security::next_card() {
  step_counter = 0;
  if (random_order == 0) {
    ++saver_record;
  } else {
    // The order wraps before it is read: after its last position comes its first.
    ++saver_position;
    if (saver_position > g.question_count) saver_position = 1;
    saver_record = card_order[saver_position];
  }
  if (saver_record > g.question_count) saver_record = 1;
  if (saver_position > g.question_count) saver_position = 1;
  skip([&] { show_saver_question(); });
  skip([&] { place_answers(); });
}

void Security::reveal_answers() {
  const QuestionRecord& q = g.questions[saver_record];
  for (int i = 1; i <= 6 && !q.Answer[i].empty(); ++i) lblAnswer[i].fore_color = kWhite;
  skip([&] { show_answers(); });
}

void Security::show_saver_question() {
  // The record keeps its text: the saver shows a converted copy.
  const std::string& question = g.questions[saver_record].Question;
  const int64_t length = len(question);
  for (Label* l : {&lblQuestnum, &lblQuestion})
    l->font.size = saver_font_size(screen_class, length, l->font.size);
  lblQuestnum.caption = str(int64_t{saver_record}) + ". ";
  lblQuestion.caption = html_to_text(question);
  const float screen_width = sys.screen.width();
  if (lblQuestion.left + lblQuestion.width > screen_width)
    lblQuestion.width = screen_width - (lblQuestion.left + 100);
  fit_to_caption(lblQuestion, sys.measure);
}

void Security::place_answers() {
  lblAnswer[1].top = lblQuestion.top + lblQuestion.height + 500;
  for (int i = 2; i <= 6; ++i)
    lblAnswer[i].top = lblAnswer[i - 1].top + lblAnswer[i - 1].height + 300;
}

void Security::fade_in_question() {
  // Black through red and yellow to white, without yielding: drawn when it is done. A
  // component past the end of its run counts as 255.
  int parts[3] = {0, 0, 0};
  lblQuestion.fore_color = kBlack;
  for (int& part : parts)
    for (part = 0; part <= 255; ++part)
      lblQuestnum.fore_color = lblQuestion.fore_color =
          rgb(std::min(parts[0], 255), std::min(parts[1], 255), std::min(parts[2], 255));
}

void Security::show_answers() {
  const QuestionRecord& q = g.questions[saver_record];
  for (int i = 1; i <= 6 && !q.Answer[i].empty(); ++i) {
    lblAnswer[i].caption = std::string(kAnswerLetters[i]) + " " + html_to_text(q.Answer[i]);
    fit_to_caption(lblAnswer[i], sys.measure);
  }
  size_answer_fonts();
  place_answers();
}

void Security::size_answer_fonts() {
  const QuestionRecord& q = g.questions[saver_record];
  int64_t longest = 0;
  for (int i = 1; i <= 6; ++i) longest = std::max(longest, len(q.Answer[i]));
  for (Label& l : lblAnswer) {
    l.font.size = saver_font_size(screen_class, longest, l.font.size);
    fit_to_caption(l, sys.measure);
  }
}

void Security::mark_correct_answers() {
  const QuestionRecord& q = g.questions[saver_record];
  for (int i = 1; i <= 6; ++i)
    if (q.Correct[i] == 1) lblAnswer[i].back_color = kCorrectGreen;
}

void Security::end_cycle_colours() {
  for (int c = 0; c <= 255; ++c) {
    const uint32_t grey = rgb(255 - c, 255 - c, 255 - c);
    lblQuestion.fore_color = lblQuestnum.fore_color = grey;
    for (Label& l : lblAnswer) {
      l.fore_color = grey;
      if (l.back_color == kCorrectGreen) l.back_color = kBlack;
    }
  }
}

void Security::scrolllogo_Timer() {
  skip([&] { Picture1.set_focus(); });
  skip([&] { Picture1.left -= 5; });
  skip([&] {
    if (0 - Picture1.width >= Picture1.left) Picture1.left = width();
  });
}

void Security::Picture1_KeyDown(int&, int) {
  skip([&] { close_windows_titled(sys, kSaverApp); });
  skip([&] { sys.screen.show_cursor(true); });
  end_saver();
}

void Security::Frame1_MouseMove(int, int, float x, float y) {
  const bool moved = std::abs(static_cast<float>(last_mouse_x) - x) >= 5 ||
                     std::abs(static_cast<float>(last_mouse_y) - y) >= 5;
  if (moved && (last_mouse_x != 0 || last_mouse_y != 0)) {
    skip([&] { close_windows_titled(sys, kSaverApp); });
    end_saver();
  }
  last_mouse_x = static_cast<int32_t>(std::nearbyint(x));
  last_mouse_y = static_cast<int32_t>(std::nearbyint(y));
}

void Security::end_saver() {
  skip([&] { unload(); });
  end_program();
}

}  // namespace pv
