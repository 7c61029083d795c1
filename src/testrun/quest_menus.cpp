// The test window's menus: printing, leaving, the page font, the options and About.
#include "core/about1.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/settings.hpp"
#include "platform/vbtext.hpp"
#include "testrun/quest.hpp"
#include "testrun/theanswer.hpp"

namespace pv {
namespace {

// A 1-based entry of a menu array; error 9 outside it.
template <size_t N>
Menu& entry(std::array<Menu, N>& menus, int index) {
  if (index < 1 || index > static_cast<int>(N)) raise_error(9);
  return menus[static_cast<size_t>(index - 1)];
}

}  // namespace

void quest::menu_printquestion_Click() {
  skip([&] { g.print_explanation = 99; });
  skip([&] { show_answer(); });
  skip([&] { g.print_explanation = 1; });
  skip([&] { sys.forms.unload<theanswer>(); });
}

void quest::menu_exit_Click() {
  int answer = vbNo;
  skip([&] {
    answer =
        sys.dialogs.msgbox("Are you sure you want to exit the program?", vbYesNo, "Exit Program?");
  });
  if (answer == vbYes) end_program();
}

void quest::menufont_Click(int Index) {
  if (presenting_) return;
  std::string family = "Times New Roman";
  skip([&] {
    if (!entry(menufont, Index).caption.empty()) family = entry(menufont, Index).caption;
  });
  skip([&] { g.page_font_name = family; });
  skip([&] {
    sys.settings.save(kSettingsApp, kSettingsSection, "savedfontname", g.page_font_name);
  });
  skip([&] {
    for (Menu& m : menufont) m.checked = false;
    entry(menufont, Index).checked = true;
  });
  // The same question again: what the user marked is stored first, as Back stores it.
  skip([&] { read_page(); });
  skip([&] { g.question_counter = static_cast<int16_t>(g.question_counter - 1); });
  skip([&] { show_quest(); });
}

void quest::menusize_Click(int Index) {
  if (presenting_) return;
  skip([&] {
    if (Index < 1 || Index > static_cast<int>(kFontSizes.size())) raise_error(9);
    g.page_font_size = kFontSizes[static_cast<size_t>(Index - 1)];
  });
  skip([&] {
    sys.settings.save(kSettingsApp, kSettingsSection, "savedfont", cstr(int64_t{g.page_font_size}));
  });
  skip([&] {
    for (Menu& m : menusize) m.checked = false;
    entry(menusize, Index).checked = true;
  });
  skip([&] { read_page(); });
  skip([&] { g.question_counter = static_cast<int16_t>(g.question_counter - 1); });
  skip([&] { show_quest(); });
}

void quest::mnuSavefont_Click() {
  skip([&] {
    sys.settings.save(kSettingsApp, kSettingsSection, "savedfont", cstr(int64_t{g.page_font_size}));
  });
  skip([&] {
    sys.settings.save(kSettingsApp, kSettingsSection, "savedfontname", g.page_font_name);
  });
}

namespace {

// An option entry: the check mark follows its 0/1 flag, which the entry flips.
void toggle(Menu& entry_menu, int16_t& flag) {
  entry_menu.checked = false;
  flag = static_cast<int16_t>(1 - flag);
  if (flag == 1) entry_menu.checked = true;
}

}  // namespace

void quest::menu_showwrong_Click() {
  skip([&] { toggle(menu_showwrong, g.show_answer_wrong); });
}

void quest::menu_showright_Click() {
  skip([&] { toggle(menu_showright, g.show_answer_right); });
}

void quest::menu_shownumanswer_Click() {
  skip([&] { toggle(menu_shownumanswer, g.show_num_answers); });
}

void quest::menu_backbutton_Click() {
  skip([&] {
    toggle(menu_backbutton, g.back_button_on);
    cmd_buttons[1].visible = g.back_button_on == 1;
  });
}

void quest::mnu_answer_at_top_Click() {
  skip([&] { mnu_answer_at_top.checked = true; });
  skip([&] { mnu_answer_at_bottom.checked = false; });
  skip([&] { sys.settings.save(kSettingsApp, kSettingsSection, "putanswer", "top"); });
  skip([&] { g.answer_position = "top"; });
}

void quest::mnu_answer_at_bottom_Click() {
  skip([&] { sys.settings.save(kSettingsApp, kSettingsSection, "putanswer", "bottom"); });
  skip([&] { g.answer_position = "bottom"; });
  skip([&] { mnu_answer_at_top.checked = false; });
  skip([&] { mnu_answer_at_bottom.checked = true; });
}

void quest::menu_about_Click() {
  skip([&] { sys.forms.get<About1>().show(true); });
}

}  // namespace pv
