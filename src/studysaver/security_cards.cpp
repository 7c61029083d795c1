// The flash cards: the bank's questions in a shuffled order, each first alone, then with
// its correct answers and explanation.
#include <algorithm>

#include "core/layout.hpp"
#include "core/welcome.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"
#include "studysaver/security.hpp"

namespace pv {

void Security::card_load() {
  take_screen_class();
  center_form(*this);
  // The outer size becomes what the client area was; the window keeps its place.
  const int tpp_x = sys.screen.twips_per_pixel_x(), tpp_y = sys.screen.twips_per_pixel_y();
  topmost = false;
  move(static_cast<float>(clng(left())), top(),
       static_cast<float>(static_cast<int>(client_width()) / tpp_x * tpp_x),
       static_cast<float>(static_cast<int>(client_height()) / tpp_y * tpp_y));
  card_count = g.question_count;
  // The generator goes on from where the setup window left it.
  shuffle_cards();
  card_position = 1;
  show_quest();
}

void Security::card_activate() {
  skip([&] { border_style = vbSizable; });
  skip([&] { Frame1.visible = false; });
  skip([&] { cmd_next.visible = false; });
}

void Security::show_quest() {
  skip([&] { answer_pending = 1; });
  skip([&] { cmd_main.caption = "Show Answer"; });
  skip([&] { current_card = card_order[card_position]; });
  skip([&] { text1.set_text("Question # " + str(int64_t{current_card}) + std::string(vbCrLf)); });
  skip([&] { text1.set_text(text1.text() + g.questions[current_card].Question); });
  plain_length_ = 0;
}

void Security::show_answer() {
  static constexpr char kLetters[] = " ABCDEF";
  skip([&] { answer_pending = 0; });
  skip([&] { cmd_main.caption = "Show Next Question"; });
  const QuestionRecord* q = nullptr;
  skip([&] { q = &g.questions[current_card]; });
  if (q == nullptr) return;
  std::string text = text1.text();
  const bool fill_in = ucase(pv::left(q->Type, 4)) == "FILL";
  for (int i = 1; i <= 6; ++i)
    if ((q->Correct[i] == 1 || fill_in) && !trim(q->Answer[i]).empty())
      text += std::string(vbCrLf) + kLetters[i] + ".) " + q->Answer[i];
  std::string correct;
  for (int i = 1; i <= 6; ++i)
    if (q->Correct[i] == 1) correct += std::string(" ") + kLetters[i];
  text += std::string(vbCrLf) + "Correct answer(s): " + correct;
  text += std::string(vbCrLf) + std::string(vbCrLf) + q->Explanation;
  skip([&] { text1.set_text(text); });
  skip([&] { ++card_position; });
}

void Security::cmd_main_Click() {
  // Past the last card the run ends, rather than show records the bank does not have.
  if (answer_pending == 0 && card_position > card_count) {
    end_of_cards();
    return;
  }
  if (answer_pending != 0)
    show_answer();
  else
    show_quest();
  // Only what was just written is converted: a text is never decoded twice.
  skip([&] {
    const std::string& t = text1.text();
    const size_t plain = std::min(plain_length_, t.size());
    text1.set_text(t.substr(0, plain) + html_to_text(t.substr(plain)));
    plain_length_ = text1.text().size();
  });
}

void Security::end_of_cards() {
  skip([&] { sys.dialogs.msgbox("All flash cards completed", vbOKOnly, "Flash Cards Completed"); });
  Command3_Click();
}

void Security::Command3_Click() {
  skip([&] { sys.forms.get<Welcome>().load(); });
  skip([&] { return_to_menu(sys); });
  skip([&] { unload(); });
}

void Security::text1_GotFocus() {
  skip([&] { cmd_main.set_focus(); });
}

}  // namespace pv
