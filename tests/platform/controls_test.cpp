#include "platform/controls.hpp"

#include <gtest/gtest.h>

#include "support/error_of.hpp"

#include "platform/clock.hpp"
#include "platform/errors.hpp"
#include "platform/event_loop.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "support/fake_desktop.hpp"

namespace pv {
namespace {

class Panel : public Form {
 public:
  explicit Panel(FormRegistry& f) : Form(f, "Panel") {
    frame.caption = "Group";
    opt2[0].container = &frame;
    opt2[1].container = &frame;
    add_all(check, opt[0], opt[1], frame, opt2[0], opt2[1], list, scroll, tabs);
  }
  CheckBox check{"check"};
  OptionButton opt[2]{OptionButton("opt", 0), OptionButton("opt", 1)};
  Frame frame{"frame"};
  OptionButton opt2[2]{OptionButton("opt2", 0), OptionButton("opt2", 1)};
  ListBox list{"list"};
  ScrollBar scroll{"scroll", true};
  TabbedDialog tabs{"tabs"};
};

struct ControlsTest : ::testing::Test, testing::FakeDesktop {
  Panel* panel = nullptr;
  void SetUp() override {
    forms.define<Panel>([this] { return std::make_unique<Panel>(forms); });
    panel = &forms.get<Panel>();
  }
};

using testing::error_of;

TEST_F(ControlsTest, SettingAValueInCodeRunsTheHandlerAtOnceWhenItChanges) {
  int clicks = 0;
  panel->check.on_click = [&] { ++clicks; };
  panel->check.set_value(1);
  panel->check.set_value(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(error_of([&] { panel->check.set_value(3); }), 380);

  int changes = 0;
  panel->scroll.min = 1;
  panel->scroll.max = 10;
  panel->scroll.on_change = [&] { ++changes; };
  panel->scroll.set_value(5);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(error_of([&] { panel->scroll.set_value(11); }), 380);
}

TEST_F(ControlsTest, OptionButtonsClearTheirSiblingsOfTheSameContainerOnly) {
  panel->opt[0].set_value(true);
  panel->opt2[0].set_value(true);
  panel->opt[1].set_value(true);
  EXPECT_FALSE(panel->opt[0].value());
  EXPECT_TRUE(panel->opt[1].value());
  EXPECT_TRUE(panel->opt2[0].value());
  int clicks = 0;
  panel->opt2[1].on_click = [&] { ++clicks; };
  panel->opt2[1].set_value(true);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(panel->opt2[0].value());
}

TEST_F(ControlsTest, ListBoxReadsPastTheEndAsEmptyAndChecksEveryIndex) {
  ListBox& l = panel->list;
  EXPECT_EQ(l.list(0), "");
  EXPECT_EQ(error_of([&] { (void)l.list(-1); }), 381);
  l.add_item("b");
  l.add_item("a", 0);
  EXPECT_EQ(l.list(0), "a");
  l.set_list_index(1);
  l.add_item("first", 0);
  EXPECT_EQ(l.list_index(), 2);  // the selection follows its item
  l.remove_item(2);
  EXPECT_EQ(l.list_index(), -1);
  EXPECT_EQ(error_of([&] { l.remove_item(5); }), 5);
  EXPECT_EQ(error_of([&] { l.set_list_index(7); }), 380);
  l.multi_select = 1;
  l.set_selected(0, true);
  l.set_selected(1, true);
  EXPECT_EQ(l.sel_count(), 2);
  l.clear();
  EXPECT_EQ(l.list_count(), 0);
  EXPECT_EQ(l.list_index(), -1);
}

TEST_F(ControlsTest, TabbedDialogReportsThePreviousPage) {
  TabbedDialog& t = panel->tabs;
  t.set_tabs(3);
  t.set_tab_caption(1, "Categories");
  std::vector<int> previous;
  t.on_tab_click = [&](int p) { previous.push_back(p); };
  t.set_tab(1);
  t.set_tab(1);
  t.set_tab(2);
  EXPECT_EQ(previous, (std::vector<int>{0, 1}));
  EXPECT_EQ(t.tab_caption(1), "Categories");
  EXPECT_EQ(error_of([&] { t.set_tab(3); }), 380);
}

}  // namespace
}  // namespace pv
