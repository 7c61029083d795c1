// The general controls' user input: tab pages, list selection styles, focus, menu
// access keys and control arrays.
#include <gtest/gtest.h>

#include "platform/clock.hpp"
#include "platform/controls.hpp"
#include "platform/errors.hpp"
#include "platform/event_loop.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "support/fake_desktop.hpp"

namespace pv {
namespace {

class Sheet : public Form {
 public:
  explicit Sheet(FormRegistry& f) : Form(f, "Sheet") {
    tabs.set_tabs(2);
    box.container = &tabs;
    box.tab_page = 1;
    framed.container = &frame;
    frame.container = &tabs;
    frame.tab_page = 0;
    add_all(box, framed, frame, tabs, list, file, exit, hidden, help, about);
    for (auto& o : options) add(o);
    hidden.visible = false;
    help.enabled = false;
  }
  TabbedDialog tabs{"tabs"};
  CheckBox box{"box"}, framed{"framed"};
  Frame frame{"frame"};
  ListBox list{"list"};
  Menu file{"file", "&File"};
  Menu exit{"exit", "E&xit", &file};
  Menu hidden{"hidden", "&Hidden", &file};
  Menu help{"help", "&Help"};
  Menu about{"about", "&About", &help};
  ControlArray<OptionButton, 1, 3> options{"options"};
};

struct ControlInput : ::testing::Test, testing::FakeDesktop {
  Sheet* sheet = nullptr;
  void SetUp() override {
    forms.define<Sheet>([this] { return std::make_unique<Sheet>(forms); });
    sheet = &forms.get<Sheet>();
    sheet->show();
    for (const char* item : {"a", "b", "c", "d", "e"}) sheet->list.add_item(item);
  }
  std::vector<int> selection() const {
    std::vector<int> out;
    for (int i = 0; i < sheet->list.list_count(); ++i)
      if (sheet->list.selected(i)) out.push_back(i);
    return out;
  }
};

int error_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.number;
  }
  return 0;
}

TEST_F(ControlInput, ControlsOnATabPageShowOnlyWithThatPage) {
  EXPECT_FALSE(sheet->box.showing());
  EXPECT_TRUE(sheet->framed.showing());
  sheet->tabs.click_tab(1);
  EXPECT_TRUE(sheet->box.showing());
  EXPECT_FALSE(sheet->framed.showing());
  sheet->tabs.set_tab_enabled(0, false);
  sheet->tabs.click_tab(0);
  sheet->tabs.click_tab(5);
  EXPECT_EQ(sheet->tabs.tab(), 1);
  sheet->hide();
  EXPECT_FALSE(sheet->box.showing());
}

TEST_F(ControlInput, FocusGoesOnlyToAControlOnScreen) {
  int lost = 0;
  sheet->framed.on_lost_focus = [&] { ++lost; };
  sheet->framed.set_focus();
  EXPECT_EQ(sheet->active_control(), &sheet->framed);
  EXPECT_EQ(error_of([&] { sheet->box.set_focus(); }), 5);
  sheet->list.set_focus();
  EXPECT_EQ(lost, 1);
  sheet->list.enabled = false;
  EXPECT_EQ(error_of([&] { sheet->framed.set_focus(); }), 0);
  EXPECT_EQ(error_of([&] { sheet->list.set_focus(); }), 5);
}

TEST_F(ControlInput, ExtendedSelectionClicksCtrlClicksAndShiftClicks) {
  ListBox& l = sheet->list;
  l.multi_select = 2;
  int clicks = 0;
  l.on_click = [&] { ++clicks; };
  l.click_item(1);
  l.click_item(3, 2);
  EXPECT_EQ(selection(), (std::vector<int>{1, 3}));
  l.click_item(1, 2);
  EXPECT_EQ(selection(), (std::vector<int>{3}));
  l.click_item(0, 1);
  EXPECT_EQ(selection(), (std::vector<int>{0, 1}));  // the range from the last click
  l.click_item(4);
  EXPECT_EQ(selection(), (std::vector<int>{4}));
  EXPECT_EQ(l.list_index(), 4);
  EXPECT_EQ(clicks, 5);
  int doubles = 0;
  l.on_dbl_click = [&] { ++doubles; };
  l.dbl_click_item(2);
  EXPECT_EQ(selection(), (std::vector<int>{2}));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(error_of([&] { l.click_item(5); }), 381);
}

TEST_F(ControlInput, SimpleSelectionTogglesAndNoSelectionPicksOne) {
  ListBox& l = sheet->list;
  l.multi_select = 1;
  l.click_item(1);
  l.click_item(2);
  l.click_item(1);
  EXPECT_EQ(selection(), (std::vector<int>{2}));
  l.multi_select = 0;
  l.click_item(3);
  EXPECT_EQ(l.list_index(), 3);
  EXPECT_EQ(selection(), (std::vector<int>{3}));
}

TEST_F(ControlInput, AccessKeysReachOnlyAvailableMenuEntries) {
  EXPECT_EQ(access_key("E&xit Program"), 'x');
  EXPECT_EQ(access_key("Fish && &Chips"), 'C');
  EXPECT_EQ(access_key("Plain"), 0);
  EXPECT_EQ(access_key("Trailing&"), 0);
  EXPECT_EQ(sheet->menu_for_keys("FX"), &sheet->exit);
  EXPECT_EQ(sheet->menu_for_keys("f"), &sheet->file);
  EXPECT_EQ(sheet->menu_for_keys("fh"), nullptr);  // hidden
  EXPECT_EQ(sheet->menu_for_keys("ha"), nullptr);  // under a disabled menu
  EXPECT_FALSE(sheet->about.available());
  EXPECT_TRUE(sheet->exit.available());
}

TEST_F(ControlInput, ControlArraysKeepTheirIndexesAndCheckThem) {
  EXPECT_EQ(sheet->options[1].index(), 1);
  EXPECT_EQ(sheet->options[3].name(), "options");
  EXPECT_EQ(error_of([&] { (void)sheet->options[0]; }), 9);
  EXPECT_EQ(error_of([&] { (void)sheet->options[4]; }), 9);
  sheet->options[2].set_value(true);
  sheet->options[3].set_value(true);
  EXPECT_FALSE(sheet->options[2].value());
}

}  // namespace
}  // namespace pv
