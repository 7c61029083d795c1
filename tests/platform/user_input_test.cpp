// What the user's clicks and keys do to the window model, carried out through the event
// loop as the front-end carries them out.
#include "platform/user_input.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_desktop.hpp"

namespace pv {
namespace {

// A panel with one control of each kind that the user clicks, each counting its clicks.
class Panel : public Form {
 public:
  explicit Panel(FormRegistry& forms) : Form(forms, "Panel") {
    ok.caption = "&Go";
    ok.is_default = true;
    ok.tab_index = 5;
    flat.tab_stop = false;
    quit.caption = "Quit";
    quit.cancel = true;
    check.caption = "&Sound";
    grey.set_value(2);
    options[0].caption = "&Practice";
    options[1].caption = "T&est";
    options[0].set_value(true);
    label.caption = "&Name:";
    label.tab_index = 1;
    text.tab_index = 2;
    frame.caption = "&Mode";
    frame.tab_index = 3;
    list.tab_index = 4;
    list.add_item("one");
    tabs.set_tabs(2);
    tabs.set_tab_caption(1, "&More");
    on_page.container = &tabs;
    on_page.tab_page = 1;
    in_frame.container = &frame;
    add_all(ok, flat, quit, check, grey, options[0], options[1], label, image, picture, frame, text,
            list, bar, tabs, on_page, in_frame, file, exit);
    for (Control* c : controls()) c->on_click = [this, c] { clicks.push_back(c->name()); };
  }
  void Form_KeyDown(int& key_code, int) override {
    if (key_code == swallow) key_code = 0;
  }

  CommandButton ok{"ok"}, flat{"flat"}, quit{"quit"};
  CheckBox check{"check"}, grey{"grey"};
  std::array<OptionButton, 2> options{OptionButton("options", 0), OptionButton("options", 1)};
  Label label{"label"};
  Image image{"image"};
  PictureBox picture{"picture"};
  Frame frame{"frame"};
  TextBox text{"text"};
  ListBox list{"list"};
  ScrollBar bar{"bar", true};
  TabbedDialog tabs{"tabs"};
  CommandButton on_page{"on_page"}, in_frame{"in_frame"};
  Menu file{"file", "&File"};
  Menu exit{"exit", "E&xit", &file};
  std::vector<std::string> clicks;
  int swallow = -1;
};

// A window that can be shown modally over the panel.
class Other : public Form {
 public:
  explicit Other(FormRegistry& forms) : Form(forms, "Other") {}
};

// The panel shown on a fake desktop, and the user's clicks and keys on it.
struct Desk : testing::FakeDesktop {
  Desk() {
    forms.define<Other>([this] { return std::make_unique<Other>(forms); });
    p.show();
    p.clicks.clear();
  }
  void click(Control& c) {
    user([&](UserInput& in) { in.click(c); });
  }
  void key(int code, int shift = 0) {
    user([&](UserInput& in) { in.key_down(p, code, shift); });
  }
  Panel& p = define_and_get<Panel>();
};

struct UserInputTest : ::testing::Test, Desk {};

TEST(UserInput, AClickFocusesFirstThenActsByKind) {
  struct Case {
    const char* name;
    Control& (*control)(Panel&);
    bool takes_focus;
    bool runs_click;
  };
  const Case cases[] = {
      {"command button", [](Panel& w) -> Control& { return w.ok; }, true, true},
      {"button that is no tab stop", [](Panel& w) -> Control& { return w.flat; }, false, true},
      {"check box", [](Panel& w) -> Control& { return w.check; }, true, true},
      {"grey check box", [](Panel& w) -> Control& { return w.grey; }, true, true},
      {"option button not set", [](Panel& w) -> Control& { return w.options[1]; }, true, true},
      {"option button already set", [](Panel& w) -> Control& { return w.options[0]; }, true, false},
      {"label", [](Panel& w) -> Control& { return w.label; }, false, true},
      {"image", [](Panel& w) -> Control& { return w.image; }, false, true},
      {"picture box that answers clicks, standing for a button",
       [](Panel& w) -> Control& { return w.picture; }, true, true},
      {"frame", [](Panel& w) -> Control& { return w.frame; }, false, true},
      {"text box", [](Panel& w) -> Control& { return w.text; }, true, true},
      {"list box: its items take the clicks", [](Panel& w) -> Control& { return w.list; }, true,
       false},
      {"scroll bar", [](Panel& w) -> Control& { return w.bar; }, true, false},
      {"tabbed dialog: its tabs take the clicks", [](Panel& w) -> Control& { return w.tabs; }, true,
       false},
      {"menu entry", [](Panel& w) -> Control& { return w.exit; }, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Desk desk;
    Control& target = c.control(desk.p);
    desk.click(target);
    EXPECT_EQ(desk.p.active_control() == &target, c.takes_focus);
    EXPECT_EQ(desk.p.clicks,
              c.runs_click ? std::vector<std::string>{target.name()} : std::vector<std::string>{});
  }
}

TEST_F(UserInputTest, CheckBoxesToggleAndOptionButtonsSet) {
  click(p.check);
  EXPECT_EQ(p.check.value(), 1);
  click(p.check);
  EXPECT_EQ(p.check.value(), 0);
  click(p.grey);
  EXPECT_EQ(p.grey.value(), 1);  // grey becomes checked
  click(p.options[1]);
  click(p.options[1]);
  EXPECT_TRUE(p.options[1].value());
  EXPECT_FALSE(p.options[0].value());
  EXPECT_EQ(p.clicks, (std::vector<std::string>{"check", "check", "grey", "options"}));
}

// Every way the user could be kept from a control: none of its input reaches it, neither
// a click nor the default button's Enter nor its access key.
TEST(UserInput, ControlsAndWindowsTheUserCannotReachIgnoreInput) {
  struct Case {
    const char* name;
    std::function<void(Desk&)> arrange;
    bool reached;
    bool beneath_a_box = false;
  };
  const std::vector<Case> cases = {
      {"nothing in the way", [](Desk&) {}, true},
      {"disabled", [](Desk& d) { d.p.ok.enabled = false; }, false},
      {"hidden", [](Desk& d) { d.p.ok.visible = false; }, false},
      {"the window hidden", [](Desk& d) { d.p.hide(); }, false},
      {"another window shown modally",
       [](Desk& d) {
         Other& o = d.forms.get<Other>();
         o.modal = true;
         o.set_visible(true);
       },
       false},
      {"the window itself modal", [](Desk& d) { d.p.modal = true; }, true},
      {"a message box open", [](Desk&) {}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Desk d;
    c.arrange(d);
    const auto act = [&d] {
      d.click(d.p.ok);
      d.key(vbKeyReturn);
      d.key('G', vbAltMask);
    };
    size_t clicks = 0;
    if (c.beneath_a_box) {
      d.loop.idle = [&] {
        act();
        clicks = d.p.clicks.size();
        d.dialogs.answer(d.dialogs.open_boxes().back().id, vbOK);
      };
      d.dialogs.msgbox("Busy", vbOKOnly, "Box");
    } else {
      act();
      clicks = d.p.clicks.size();
    }
    EXPECT_EQ(clicks, c.reached ? 3u : 0u);
  }
}

TEST_F(UserInputTest, ContainersAndTabPagesHideWhatTheyHold) {
  click(p.on_page);  // on a page not shown
  p.frame.enabled = false;
  click(p.in_frame);
  EXPECT_TRUE(p.clicks.empty());
  user([&](UserInput& in) { in.click_tab(p.tabs, 1); });
  p.frame.enabled = true;
  click(p.on_page);
  click(p.in_frame);
  EXPECT_EQ(p.clicks, (std::vector<std::string>{"on_page", "in_frame"}));
  p.tabs.set_tab_enabled(0, false);
  user([&](UserInput& in) { in.click_tab(p.tabs, 0); });
  user([&](UserInput& in) { in.click_tab(p.tabs, 9); });
  EXPECT_EQ(p.tabs.tab(), 1);
}

TEST_F(UserInputTest, KeysReachTheDefaultTheCancelAndTheAccessKeys) {
  key(vbKeyReturn);
  key(vbKeyEscape);
  key('S', vbAltMask);  // the caption's "&Sound"
  key('S');             // no Alt: no access key
  key('E', vbAltMask);  // "T&est" after "&Practice"
  key('P', vbAltMask);
  key('Z', vbAltMask);  // none
  EXPECT_EQ(p.clicks, (std::vector<std::string>{"ok", "quit", "check", "options", "options"}));
  EXPECT_TRUE(p.options[0].value());
  // A label's or a frame's access key passes the focus to the next control in tab order.
  key('N', vbAltMask);
  EXPECT_EQ(p.active_control(), &p.text);
  key('M', vbAltMask);
  EXPECT_EQ(p.active_control(), &p.list);
  EXPECT_EQ(p.tabs.tab(), 0);  // the frame's "&Mode" comes before the tab's "&More"
  // A tab's access key shows its page, without a click.
  p.frame.caption = "Mode";
  key('M', vbAltMask);
  EXPECT_EQ(p.tabs.tab(), 1);
  // Enter in a multi-line text box is the box's own; the window's key handler may swallow
  // a key before anything acts on it.
  p.clicks.clear();
  p.text.multi_line = true;
  user([&](UserInput& in) { in.focus(p.text); });
  key(vbKeyReturn);
  p.key_preview = true;
  p.swallow = vbKeyEscape;
  key(vbKeyEscape);
  EXPECT_TRUE(p.clicks.empty());
}

// A window shown modally over the panel, as the explanation window is: its buttons in a
// frame that comes first in tab order but takes no focus.
class Explained : public Form {
 public:
  explicit Explained(FormRegistry& forms) : Form(forms, "Explained") {
    close.container = &frame;
    print.container = &frame;
    close.tab_index = 1;
    print.tab_index = 2;
    page.tab_index = 3;
    add_all(page, frame, print, close);
    close.on_click = [this] {
      pressed = "close";
      hide();
    };
    print.on_click = [this] { pressed = "print"; };
  }
  void Form_Activate() override {
    if (activate) activate(*this);
  }
  Frame frame{"frame"};
  CommandButton print{"print"}, close{"close"};
  WebBrowser page{"page"};
  std::function<void(Explained&)> activate;
  std::string pressed;
};

// A window shown modally takes the focus (its first stop in tab order, unless its handlers
// chose one), so Enter presses what has it while the window behind hears no key.
TEST(UserInput, AWindowShownModallyTakesTheFocus) {
  struct Case {
    const char* name;
    void (*arrange)(Explained&);
    const char* focused;
  };
  const Case cases[] = {
      {"the first stop", [](Explained&) {}, "close"},
      {"the first stop disabled", [](Explained& e) { e.close.enabled = false; }, "print"},
      {"the first stop in a hidden frame", [](Explained& e) { e.frame.visible = false; }, "page"},
      {"chosen by its handler",
       [](Explained& e) { e.activate = [](Explained& w) { w.print.set_focus(); }; }, "print"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Desk d;
    Explained& e = d.define_and_get<Explained>();
    c.arrange(e);
    std::string focused;
    d.loop.idle = [&] {
      focused = e.active_control() != nullptr ? e.active_control()->name() : "";
      d.key(vbKeyReturn);  // on the panel behind: nothing
      d.user([&](UserInput& in) { in.key_down(e, vbKeyReturn, 0); });
      if (e.visible()) e.hide();
    };
    e.show(true);
    EXPECT_EQ(focused, c.focused);
    EXPECT_EQ(e.pressed, focused == "page" ? "" : focused);
    EXPECT_TRUE(d.p.clicks.empty());
  }
  // Shown without waiting, a window keeps the focus where it was (none here).
  Desk d;
  Explained& e = d.define_and_get<Explained>();
  e.show();
  EXPECT_EQ(e.active_control(), nullptr);
}

// The window driven by the keyboard alone: Tab in tab order (the set option button standing
// for its group), Enter and Space on what has the focus, the arrows in a group, a list and
// a scroll bar, Ctrl+Tab along the tab pages.
TEST_F(UserInputTest, TheKeyboardAloneDrivesTheWindow) {
  const auto focused = [&] { return p.active_control() ? p.active_control()->name() : ""; };
  // Tab moves the focus before the window's key handler could swallow it.
  p.key_preview = true;
  p.swallow = vbKeyTab;
  std::vector<std::string> stops;
  for (int k = 0; k < 11; ++k) {
    key(vbKeyTab);
    stops.push_back(focused());
  }
  EXPECT_EQ(stops, (std::vector<std::string>{"quit", "check", "grey", "options", "picture", "bar",
                                             "tabs", "in_frame", "text", "list", "ok"}));
  key(vbKeyTab);
  EXPECT_EQ(focused(), "quit");  // round again
  key(vbKeyTab, vbShiftMask);
  EXPECT_EQ(focused(), "ok");
  p.clicks.clear();
  key(vbKeyTab);
  key(vbKeyReturn);  // the focused button, not the default one
  key(vbKeyTab);
  key(vbKeySpace);  // toggles the check box
  EXPECT_EQ(p.check.value(), 1);
  key(vbKeyTab);
  key(vbKeyTab);
  key(vbKeyDown);  // the next option button of the group is set and focused
  EXPECT_TRUE(p.options[1].value());
  EXPECT_EQ(p.active_control(), &p.options[1]);
  key(vbKeyDown);  // round the group
  EXPECT_TRUE(p.options[0].value());
  key(vbKeyTab);
  key(vbKeySpace);  // a picture box that answers clicks is pressed like a button
  key(vbKeyTab);
  p.bar.max = 10;
  key(vbKeyDown);
  key(vbKeyDown);
  key(vbKeyUp);
  EXPECT_EQ(p.bar.value(), 1);
  EXPECT_EQ(p.clicks, (std::vector<std::string>{"quit", "check", "options", "options", "picture"}));
  // Ctrl+Tab and Ctrl+Shift+Tab show the next and previous page, round; a disabled page is
  // passed over.
  p.tabs.set_tabs(3);
  key(vbKeyTab, vbCtrlMask);
  EXPECT_EQ(p.tabs.tab(), 1);
  p.tabs.set_tab_enabled(2, false);
  key(vbKeyTab, vbCtrlMask);
  EXPECT_EQ(p.tabs.tab(), 0);
  key(vbKeyTab, vbCtrlMask | vbShiftMask);
  EXPECT_EQ(p.tabs.tab(), 1);
  // The arrows walk a list and stop at its ends.
  p.list.add_item("two");
  user([&](UserInput& in) { in.focus(p.list); });
  key(vbKeyDown);
  key(vbKeyDown);
  key(vbKeyDown);
  EXPECT_EQ(p.list.list_index(), 1);
  key(vbKeyUp);
  EXPECT_EQ(p.list.list_index(), 0);
}

TEST_F(UserInputTest, MenusRunOnlyWhenTheUserCanReachThem) {
  user([&](UserInput& in) { in.choose_menu(p.exit); });
  p.file.enabled = false;
  user([&](UserInput& in) { in.choose_menu(p.exit); });
  p.file.enabled = true;
  p.exit.visible = false;
  click(p.exit);
  EXPECT_EQ(p.clicks, std::vector<std::string>{"exit"});
}

// A window with a menu bar: File (Open, a separator, Save disabled, Recent with a submenu,
// Exit), a hidden View and Help; every menu counts its clicks, and the window hears keys.
class MenuBar : public Form {
 public:
  explicit MenuBar(FormRegistry& forms) : Form(forms, "MenuBar") {
    save.enabled = false;
    view.visible = false;
    key_preview = true;
    add_all(file, open, sep, save, recent, one, two, exit, view, help, about);
    for (Control* c : controls()) c->on_click = [this, c] { clicks.push_back(c->name()); };
  }
  void Form_KeyDown(int& key_code, int) override { keys.push_back(key_code); }

  Menu file{"file", "&File"}, open{"open", "&Open", &file}, sep{"sep", "-", &file},
      save{"save", "&Save", &file}, recent{"recent", "&Recent", &file}, one{"one", "&One", &recent},
      two{"two", "&Two", &recent}, exit{"exit", "E&xit", &file};
  Menu view{"view", "&View"}, help{"help", "&Help"}, about{"about", "&About", &help};
  std::vector<std::string> clicks;
  std::vector<int> keys;
};

// The open menu and its lit entry are the window's; the keys and clicks on them are the
// platform's, as the page forwards them.
TEST(UserInput, MenusOpenAndWalkByKeysAndClicks) {
  testing::FakeDesktop d;
  MenuBar& w = d.define_and_get<MenuBar>();
  w.show();
  using V = std::vector<std::string>;
  const auto key = [&](int code, int shift = 0) {
    d.user([&](UserInput& in) { in.key_down(w, code, shift); });
  };
  const auto mouse = [&](void (UserInput::*act)(Menu&), Menu& m) {
    d.user([&](UserInput& in) { (in.*act)(m); });
  };
  // The open menus, then the lit entry ("-" for none).
  const auto state = [&] {
    V names;
    for (const Menu* m : w.open_menu.open) names.push_back(m->name());
    names.push_back(w.open_menu.lit != nullptr ? w.open_menu.lit->name() : "-");
    return names;
  };
  // Alt and the access key open the menu, its click handler running, its first entry lit.
  key('F', vbAltMask);
  EXPECT_EQ(state(), (V{"file", "open"}));
  EXPECT_EQ(w.clicks, V{"file"});
  // The arrows go round the enabled entries, past the separator and the disabled entry.
  key(vbKeyUp);
  EXPECT_EQ(state(), (V{"file", "exit"}));
  key(vbKeyDown);
  EXPECT_EQ(state(), (V{"file", "open"}));
  key(vbKeyDown);
  EXPECT_EQ(state(), (V{"file", "recent"}));
  // Right opens the lit submenu, its first entry lit; Escape closes a level; Left and
  // Right at the first level open the bar's other menus, the hidden one left out.
  key(vbKeyRight);
  EXPECT_EQ(state(), (V{"file", "recent", "one"}));
  key(vbKeyEscape);
  EXPECT_EQ(state(), (V{"file", "recent"}));
  key(vbKeyLeft);
  EXPECT_EQ(state(), (V{"help", "about"}));
  key(vbKeyRight);
  EXPECT_EQ(state(), (V{"file", "open"}));
  // An entry's access key chooses it and closes the menu; no key reached the window.
  key('X');
  EXPECT_EQ(state(), V{"-"});
  EXPECT_EQ(w.clicks, (V{"file", "help", "file", "exit"}));
  EXPECT_TRUE(w.keys.empty());
  // F10 opens the first menu; Enter on an entry with a submenu opens it, Space chooses.
  w.clicks.clear();
  key(vbKeyF10);
  key(vbKeyDown);
  key(vbKeyReturn);
  EXPECT_EQ(state(), (V{"file", "recent", "one"}));
  key(vbKeySpace);
  EXPECT_EQ(state(), V{"-"});
  EXPECT_EQ(w.clicks, (V{"file", "one"}));
  // The mouse: a click on the bar's menu opens it with nothing lit, again closes it; over
  // an entry lights it (not a disabled one), over one with a submenu opens that.
  w.clicks.clear();
  mouse(&UserInput::click_menu, w.file);
  EXPECT_EQ(state(), (V{"file", "-"}));
  mouse(&UserInput::light_menu, w.save);
  EXPECT_EQ(state(), (V{"file", "-"}));
  mouse(&UserInput::light_menu, w.recent);
  EXPECT_EQ(state(), (V{"file", "recent", "-"}));
  mouse(&UserInput::light_menu, w.exit);
  EXPECT_EQ(state(), (V{"file", "exit"}));
  mouse(&UserInput::click_menu, w.file);
  EXPECT_EQ(state(), V{"-"});
  mouse(&UserInput::click_menu, w.file);
  mouse(&UserInput::click_menu, w.two);
  EXPECT_EQ(state(), V{"-"});
  EXPECT_EQ(w.clicks, (V{"file", "file", "two"}));
  // A menu the program disables while it is open closes, and the key goes to the window;
  // hiding the window closes its menu.
  key('F', vbAltMask);
  w.file.enabled = false;
  key(vbKeyDown);
  EXPECT_EQ(state(), V{"-"});
  EXPECT_EQ(w.keys, std::vector<int>{vbKeyDown});
  w.file.enabled = true;
  key('F', vbAltMask);
  w.hide();
  EXPECT_EQ(state(), V{"-"});
}

TEST_F(UserInputTest, TypingAndListsGoThroughTheirControls) {
  int changes = 0;
  p.text.on_change = [&] { ++changes; };
  user([&](UserInput& in) { in.type_text(p.text, "ab"); });
  EXPECT_EQ(p.active_control(), &p.text);  // typing focuses the box first
  user([&](UserInput& in) { in.type_char(p.text, 'X', 1, 0); });
  user([&](UserInput& in) { in.type_char(p.text, vbKeyBack, 3, 0); });
  EXPECT_EQ(p.text.text(), "aX");
  p.text.locked = true;
  user([&](UserInput& in) { in.type_text(p.text, "changed"); });
  user([&](UserInput& in) { in.type_char(p.text, 'Y', 0, 0); });
  EXPECT_EQ(p.text.text(), "aX");
  EXPECT_EQ(changes, 3);

  user([&](UserInput& in) { in.click_item(p.list, 0); });
  user([&](UserInput& in) { in.click_item(p.list, 1); });  // past the end
  EXPECT_EQ(p.list.list_index(), 0);
  p.bar.max = 10;
  user([&](UserInput& in) { in.scroll(p.bar, 99); });
  EXPECT_EQ(p.bar.value(), 10);
}

// The page reports its viewport as the screen: what was centred on the size assumed before
// is centred on the page, a full-screen window fills it, and every title bar stays within
// reach however small the page becomes.
TEST_F(UserInputTest, TheScreenTakesThePagesSize) {
  Other& saver = forms.get<Other>();
  saver.move(0, 0, screen.width(), screen.height());
  saver.show();
  p.move((screen.width() - 6000) / 2, (screen.height() - 4500) / 2, 6000, 4500);
  user([&](UserInput& in) { in.resize_screen(1024, 768); });
  EXPECT_EQ(std::vector<float>({p.left(), p.top()}),
            std::vector<float>({(15360 - 6000) / 2, (11520 - 4500) / 2}));
  EXPECT_EQ(std::vector<float>({saver.left(), saver.top(), saver.width(), saver.height()}),
            std::vector<float>({0, 0, 15360, 11520}));
  // Only the first report centres; later ones keep the title bars within reach, and the
  // full-screen window follows the screen.
  p.move(300, 9000, 6000, 4500);
  user([&](UserInput& in) { in.resize_screen(400, 300); });
  // The whole title bar stays on: the frame's edge above it and the bar itself.
  EXPECT_EQ(std::vector<float>({p.left(), p.top()}), std::vector<float>({300, 4500 - 24 * 15}));
  EXPECT_EQ(std::vector<float>({saver.left(), saver.top(), saver.width(), saver.height()}),
            std::vector<float>({0, 0, 6000, 4500}));
  p.move(-9000, -10, 6000, 4500);
  EXPECT_EQ(std::vector<float>({p.left(), p.top()}), std::vector<float>({40 * 15 - 6000, 0}));
}

TEST_F(UserInputTest, TheWindowFrameFollowsItsStyle) {
  p.border_style = vbSizable;
  user([&](UserInput& in) { in.move(p, 300, 450); });
  user([&](UserInput& in) { in.size(p, 5000, 4000); });
  EXPECT_EQ(std::vector<float>({p.left(), p.top(), p.width(), p.height()}),
            std::vector<float>({300, 450, 5000, 4000}));
  p.border_style = vbFixedDialog;
  user([&](UserInput& in) { in.move(p, 0, 0); });
  user([&](UserInput& in) { in.size(p, 100, 100); });
  EXPECT_EQ(std::vector<float>({p.left(), p.top(), p.width(), p.height()}),
            std::vector<float>({0, 0, 5000, 4000}));
  p.border_style = vbBSNone;
  user([&](UserInput& in) { in.move(p, 60, 60); });
  EXPECT_EQ(p.left(), 0);
  p.max_button = false;
  user([&](UserInput& in) { in.set_window_state(p, vbMaximized); });
  user([&](UserInput& in) { in.set_window_state(p, 7); });
  EXPECT_EQ(p.window_state(), vbNormal);
  p.control_box = false;
  user([&](UserInput& in) { in.close(p); });
  EXPECT_TRUE(p.is_loaded());
  p.control_box = true;
  user([&](UserInput& in) { in.close(p); });
  EXPECT_EQ(forms.find<Panel>(), nullptr);
}

}  // namespace
}  // namespace pv
