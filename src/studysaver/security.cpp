#include "studysaver/security.hpp"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "core/partner.hpp"
#include "platform/errors.hpp"
#include "platform/picture.hpp"
#include "platform/random.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kWhite = rgb(255, 255, 255);

// The saver's labels start black on black: invisible until a fade raises their colour.
void black_on_black(Label& l, const char* face, float size, bool bold) {
  l.font = Font{face, size, bold};
  l.fore_color = kBlack;
  l.back_color = kBlack;
  l.back_style = 1;
}

}  // namespace

Security::Security(System& system) : SystemForm(system, "Security") {
  design(0, 0, 9330, 7350, "Security");
  border_style = vbBSNone;  // the saver's; the card window turns it sizable
  design_back_color(rgb(46, 118, 171));
  place_controls();
  add_all(lblQuestnum, lblQuestion);
  add_array(lblAnswer);
  add_all(img_pb, Label1, lblTestinfo, Label3, Image1, Picture1, Frame1, FadeTimer, scrolllogo);
  add_all(Label2, text1, cmd_main, cmd_next, Command3, Line1, Line2, Line3, Line4);
  wire_handlers();
}

void Security::place_controls() {
  // The saver screen.
  Frame1.move(0, 0, 9330, 7350);
  Frame1.back_color = kBlack;
  Frame1.border_style = 0;
  for (Control* c : std::initializer_list<Control*>{&lblQuestnum, &lblQuestion, &Picture1})
    c->container = &Frame1;
  for (Label& l : lblAnswer) l.container = &Frame1;
  black_on_black(lblQuestnum, "Arial", 26.25f, true);
  lblQuestnum.alignment = 1;
  lblQuestnum.move(300, 175, 1305, 615);
  black_on_black(lblQuestion, "Arial", 26.25f, true);
  lblQuestion.auto_size = lblQuestion.word_wrap = true;
  lblQuestion.move(1635, 175, 7000, 615);
  for (Label& l : lblAnswer) {
    black_on_black(l, "MS Sans Serif", 24, false);
    l.auto_size = l.word_wrap = true;
    l.move(850, 1500, 7600, 555);
  }
  // The logo panel: 320 x 137 pixels.
  Picture1.move(4500, 5265, 4800, 2055);
  Picture1.back_color = kBlack;
  Picture1.border_style = 0;
  for (Control* c :
       std::initializer_list<Control*>{&img_pb, &Label1, &lblTestinfo, &Label3, &Image1})
    c->container = &Picture1;
  img_pb.move(0, 0, 4800, 2055);
  img_pb.stretch = true;
  img_pb.visible = false;
  Label1.caption = "Showing Questions From:";
  Label1.move(120, 120, 4560, 285);
  lblTestinfo.caption = "Test Info Here";
  lblTestinfo.move(120, 450, 4560, 855);
  lblTestinfo.word_wrap = true;
  Label3.caption = "Press any key or move the mouse to return.";
  Label3.move(120, 1500, 4560, 285);
  for (Label* l : {&Label1, &lblTestinfo, &Label3}) {
    l->back_style = 0;
    l->fore_color = kWhite;
  }
  Image1.move(0, 0, 4800, 2055);
  Image1.stretch = true;
  Image1.visible = false;
  FadeTimer.interval = 1000;
  FadeTimer.enabled = false;
  scrolllogo.interval = 20;
  scrolllogo.enabled = false;

  // The card window.
  Label2.caption = "Flash Cards";
  Label2.font = Font{"Arial", 18, true};
  Label2.fore_color = kWhite;
  Label2.alignment = 2;
  Label2.back_style = 0;
  Label2.move(2280, 0, 4095, 495);
  text1.multi_line = true;
  text1.scroll_bars = 2;
  text1.font = Font{"Arial", 12, true};
  text1.move(360, 480, 8415, 5655);
  cmd_main.caption = "Question";
  cmd_main.font = Font{"Arial", 12, true};
  cmd_main.move(360, 6240, 2655, 495);
  cmd_next.caption = "Next";
  cmd_next.move(3240, 6240, 1575, 495);
  Command3.caption = "Exit";
  Command3.move(7200, 6240, 1575, 495);
  const std::pair<Line*, std::array<float, 4>> lines[] = {{&Line1, {0, 0, 9120, 0}},
                                                          {&Line2, {9120, 0, 9120, 6840}},
                                                          {&Line3, {0, 6840, 9120, 6840}},
                                                          {&Line4, {0, 0, 0, 6840}}};
  for (const auto& [line, ends] : lines) {
    std::tie(line->x1, line->y1, line->x2, line->y2) = std::tie(ends[0], ends[1], ends[2], ends[3]);
    line->border_width = 5;
    line->border_color = kWhite;
  }
}

void Security::wire_handlers() {
  FadeTimer.on_timer = [this] { FadeTimer_Timer(); };
  scrolllogo.on_timer = [this] { scrolllogo_Timer(); };
  Picture1.on_key_down = [this](int& key_code, int shift) { Picture1_KeyDown(key_code, shift); };
  Frame1.on_mouse_move = [this](int button, int shift, float x, float y) {
    Frame1_MouseMove(button, shift, x, y);
  };
  cmd_main.on_click = [this] { cmd_main_Click(); };
  Command3.on_click = [this] { Command3_Click(); };
  text1.on_got_focus = [this] { text1_GotFocus(); };
}

// Neither load traps: a failing step ends the set-up there and reaches the opener.
void Security::Form_Load() {
  if (g.study_saver_mode == 1)
    saver_load();
  else
    card_load();
}

void Security::Form_Activate() {
  if (g.study_saver_mode == 1)
    saver_activate();
  else
    card_activate();
  show_partner_logo();
}

void Security::show_partner_logo() {
  if (g.is_partner_edition == 0 || g.edition_code != kPicturePartner) return;
  skip([&] { Image1.picture = load_picture(sys.files, g.app_folder + kPartnerPicture).path; });
  skip([&] { Image1.visible = true; });
  skip([&] { Label1.visible = false; });
}

void Security::Form_Unload(int&) {
  skip([&] { sys.screen.show_cursor(true); });
  skip([&] { hide(); });
}

void Security::take_screen_class() {
  screen_class =
      screen_class_of(static_cast<int>(sys.screen.width()) / sys.screen.twips_per_pixel_x(),
                      static_cast<int>(sys.screen.height()) / sys.screen.twips_per_pixel_y());
}

void Security::shuffle_cards() {
  for (int i = 1; i <= 1000; ++i) card_order[i] = static_cast<int16_t>(i);
  for (int i = 1; i <= card_count; ++i) {
    // Single precision, as the runtime computes it; 1 <= r <= card_count.
    const float f = static_cast<float>(card_count) * sys.random.rnd() + 1.0f;
    const int r = std::min(static_cast<int>(f), static_cast<int>(card_count));
    std::swap(card_order[i], card_order[r]);
  }
}

std::string html_to_text(const std::string& text) {
  static constexpr std::pair<std::string_view, std::string_view> kSteps[] = {
      {"<br>", "\r\n"},    {"&gt;", ">"},    {"&lt;", "<"},    {"<i>", ""},
      {"</i>", ""},        {"</p>", ""},     {"<b>", ""},      {"</b>", ""},
      {"<sup>", ""},       {"</sup>", ""},   {"<sub>", ""},    {"</sub>", ""},
      {"<p>", "\r\n\r\n"}, {"&quot;", "\""}, {"&times;", "x"}, {"&amp;", "&"}};
  std::string out = text;
  for (const auto& [find, with] : kSteps) out = replace(out, find, with);
  return out;
}

int16_t screen_class_of(int width_pixels, int height_pixels) {
  const int sum = width_pixels + height_pixels;
  if (sum == 1120) return 1;
  if (sum == 1400) return 2;
  if (sum >= 1792) return 3;
  return 0;
}

float saver_font_size(int16_t screen_class, int64_t length, float unchanged) {
  static constexpr float kSizes[4][3] = {{0, 0, 0}, {14, 12, 10}, {16, 14, 12}, {26, 24, 18}};
  if (screen_class < 1 || screen_class > 3) return unchanged;
  const int column = length <= 50 ? 0 : length < 140 ? 1 : 2;
  return kSizes[screen_class][column];
}

}  // namespace pv
