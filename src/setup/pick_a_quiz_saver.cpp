// The setup window's "Study Saver" page: the saver's two delays and its order, saved for
// its next start, and the installation of the screen-saver file with the system.
#include "core/program_name.hpp"
#include "core/welcome.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/screen.hpp"
#include "platform/screen_saver.hpp"
#include "platform/settings.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"
#include "studysaver/security.hpp"

namespace pv {
namespace {

constexpr int kMinimizedFocus = 2;  // the installer's window style: minimised, with the focus

void spinner_label(Label& l, const char* caption, float left, float top) {
  l.caption = caption;
  l.alignment = 2;
  l.font.size = 9.75f;
  l.move(left, top, 495, 255);
}

}  // namespace

void pick_a_quiz::place_saver_page() {
  Frame13.container = &Frame1;
  Frame13.border_style = 0;
  Frame13.move(60, 240, 8895, 4635);
  for (Control* c : std::initializer_list<Control*>{&Label12, &Label14, &lbldisplayans, &VScroll4,
                                                    &lbl1, &lbldisplaycorr, &VScroll3, &Label13,
                                                    &chkRandom, &Frame14, &cmdSet})
    c->container = &Frame13;
  Label12.caption = "Make This Test Your Screensaver";
  Label12.font = Font{"MS Sans Serif", 24, true};
  Label12.alignment = 2;
  Label12.mouse_icon = kButtonCursor;
  Label12.move(120, 60, 8655, 1095);  // two lines when the font is wide
  Label14.caption = "Configure Your Study Saver";
  Label14.font = Font{"MS Sans Serif", 13.5f, true};
  Label14.alignment = 2;
  Label14.move(120, 1200, 8655, 375);
  spinner_label(lbldisplayans, "3", 1800, 1800);
  VScroll4.move(2340, 1740, 255, 375);
  lbl1.caption = "seconds before displaying answers";
  lbl1.move(2700, 1800, 4935, 255);
  spinner_label(lbldisplaycorr, "6", 1800, 2340);
  VScroll3.move(2340, 2280, 255, 375);
  Label13.caption = "seconds before displaying correct answer(s)";
  Label13.move(2700, 2340, 4935, 255);
  chkRandom.caption = "Randomize Questions";
  chkRandom.move(1800, 2880, 3015, 255);
  Frame14.caption = "Click Here to Save Your Configuration";
  Frame14.move(600, 3300, 3855, 1095);
  cmdok.container = &Frame14;
  cmdok.caption = "Save Configuration";
  cmdok.move(240, 360, 3375, 495);
  cmdSet.caption = " Set as &DEFAULT Screen Saver ";
  cmdSet.move(4800, 3540, 3495, 615);
}

void pick_a_quiz::wire_saver_handlers() {
  VScroll4.on_change = [this] { VScroll4_Change(); };
  VScroll3.on_change = [this] { VScroll3_Change(); };
  cmdok.on_click = [this] { cmdok_Click(); };
  cmdSet.on_click = [this] { cmdSet_Click(); };
  Label12.on_click = [this] { Label12_Click(); };
  Label12.on_mouse_move = [this](int, int, float, float) { Label12_MouseMove(); };
  Frame13.on_mouse_move = [this](int, int, float, float) { Frame13_MouseMove(); };
}

// Each change moves the number by one, whatever the bar's movement: down lowers it (not
// below 1), up raises it; past 32767 the raise fails and is skipped.
void pick_a_quiz::spin(Label& label, const ScrollBar& bar, int16_t& last_value) {
  skip([&] { spinner_number_ = cint(val(label.caption)); });
  skip([&] {
    if (bar.value() <= last_value) return;
    spinner_number_ = cint(static_cast<double>(spinner_number_) - 1);
    if (spinner_number_ == 0) spinner_number_ = 1;
  });
  skip([&] {
    if (bar.value() < last_value) spinner_number_ = cint(static_cast<double>(spinner_number_) + 1);
  });
  skip([&] {
    label.caption = cstr(int64_t{spinner_number_});
    refresh();
  });
  skip([&] { last_value = bar.value(); });
}

void pick_a_quiz::VScroll4_Change() {
  spin(lbldisplayans, VScroll4, answer_bar_last_);
}

void pick_a_quiz::VScroll3_Change() {
  spin(lbldisplaycorr, VScroll3, correct_bar_last_);
}

// A store that cannot be written is reported rather than left to end the program.
void pick_a_quiz::cmdok_Click() {
  const int16_t random_order = static_cast<int16_t>(chkRandom.value());
  try {
    const int16_t answer_delay = cint(val(lbldisplayans.caption));
    const int16_t correct_delay = cint(val(lbldisplaycorr.caption));
    sys.settings.save(kSaverApp, kSaverSection, "aspeed", cstr(int64_t{answer_delay}));
    sys.settings.save(kSaverApp, kSaverSection, "cspeed", cstr(int64_t{correct_delay}));
    sys.settings.save(kSaverApp, kSaverSection, "RandQuestions", cstr(int64_t{random_order}));
  } catch (const RuntimeError&) {
    sys.dialogs.msgbox("Study Saver settings could not be saved.", vbExclamation, kProgramTitle);
  }
}

// Without the saver file there is nothing to install: the user is told, and no installer
// is started with an empty file name.
void pick_a_quiz::cmdSet_Click() {
  std::string folder;
  skip([&] { folder = with_trailing_slash(sys.files.program_folder()); });
  skip([&] { sys.settings.save(kSaverApp, kSaverSection, "which_test", g.product_id); });
  skip([&] { sys.settings.save(kSaverApp, kSaverSection, "where_test", folder + g.program_file); });
  std::string found;
  skip([&] { found = sys.screen_savers.search(kSaverFile); });
  if (found.empty()) {
    skip([&] {
      sys.dialogs.msgbox("The study saver file could not be found.", vbExclamation, kProgramTitle);
    });
    return;
  }
  skip([&] { sys.screen_savers.install(found, kMinimizedFocus); });
}

void pick_a_quiz::Label12_MouseMove() {
  skip([&] { Label12.mouse_pointer = vbCustom; });
}

void pick_a_quiz::Frame13_MouseMove() {
  skip([&] { Label12.mouse_pointer = vbDefault; });
}

}  // namespace pv
