// The study saver: with the saver command line a full-screen, timed show of the bank's
// questions and answers that the first key or mouse movement ends; otherwise the windowed
// flash cards. Its handlers live in security.cpp (the window and what both modes share),
// security_saver.cpp (the full-screen saver) and security_cards.cpp (the flash cards).
#pragma once

#include <cstdint>
#include <string>

#include "core/system.hpp"
#include "platform/vbarray.hpp"

namespace pv {

class Security final : public SystemForm {
 public:
  explicit Security(System& system);

  // Both modes.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;

  // The full-screen saver.
  void FadeTimer_Timer();
  void scrolllogo_Timer();
  void Picture1_KeyDown(int& key_code, int shift);
  void Frame1_MouseMove(int button, int shift, float x, float y);

  // The flash cards.
  void cmd_main_Click();
  void Command3_Click();
  void text1_GotFocus();
  void show_quest();
  void show_answer();

  // Controls, in the order of the window's description (the first on top).
  Frame Frame1{"Frame1"};
  Label lblQuestnum{"lblQuestnum"}, lblQuestion{"lblQuestion"};
  ControlArray<Label, 1, 6> lblAnswer{"lblAnswer"};
  PictureBox Picture1{"Picture1"};
  Image img_pb{"img_pb"};
  Label Label1{"Label1"}, lblTestinfo{"lblTestinfo"}, Label3{"Label3"};
  Image Image1{"Image1"};
  Timer FadeTimer{"FadeTimer"}, scrolllogo{"scrolllogo"};
  Label Label2{"Label2"};
  TextBox text1{"text1"};
  CommandButton cmd_main{"cmd_main"}, cmd_next{"cmd_next"}, Command3{"Command3"};
  Line Line1{"Line1"}, Line2{"Line2"}, Line3{"Line3"}, Line4{"Line4"};

  // State of the saver.
  int16_t screen_class = 0;
  int16_t saver_record = 0;
  int16_t saver_position = 0;
  int16_t random_order = 0;
  int16_t answer_delay = 0;
  int16_t correct_delay = 0;
  int32_t cycle_length = 0;
  int32_t step_counter = 0;
  int32_t last_mouse_x = 0, last_mouse_y = 0;
  float answer_left = 0;
  // Shared with the flash cards: position to record number.
  VbArray<int16_t, 0, 1000> card_order;
  int16_t card_count = 0;
  // State of the flash cards.
  int16_t card_position = 0;
  int16_t current_card = 0;
  int16_t answer_pending = 0;

 private:
  void place_controls();
  void wire_handlers();
  void take_screen_class();
  // Fills card_order with a shuffle of positions 1 to card_count.
  void shuffle_cards();
  void show_partner_logo();

  void saver_load();
  void saver_activate();
  void read_saver_settings();
  void choose_the_first_card();
  void next_card();
  void show_saver_question();
  void place_answers();
  void fade_in_question();
  void reveal_answers();
  void show_answers();
  void size_answer_fonts();
  void mark_correct_answers();
  void end_cycle_colours();
  void end_saver();

  void card_load();
  void card_activate();
  void end_of_cards();

  // How much of text1 is already plain text: a card's text is converted once.
  size_t plain_length_ = 0;
};

// The text with the markup the banks use turned into plain text: line breaks and
// paragraphs into CR LF, the entities &gt; &lt; &quot; &times; &amp; into their
// characters, and the italic, bold, paragraph-end, superscript and subscript tags left out.
std::string html_to_text(const std::string& text);

// 1 for a screen of 640 x 480 pixels, 2 for 800 x 600, 3 for 1024 x 768 and larger (by the
// sum of width and height), 0 for any other.
int16_t screen_class_of(int width_pixels, int height_pixels);

// The font size of the saver's question and answers by screen class and text length;
// `unchanged` for class 0.
float saver_font_size(int16_t screen_class, int64_t length, float unchanged);

// The settings of the study saver.
inline constexpr const char* kSaverApp = "velto_study_saver";
inline constexpr const char* kSaverSection = "settings";

}  // namespace pv
