#include "web/input.hpp"

#include <gtest/gtest.h>

#include "web/sample_form.hpp"

namespace pv::testing {
namespace {

using nlohmann::json;

class InputTest : public ::testing::Test {
 protected:
  SampleModel m;
  SampleForm& f = m.form();
};

TEST_F(InputTest, ClicksActOnEachKindOfControl) {
  m.apply(m.on(f.sound, "click"));
  EXPECT_EQ(f.sound.value(), 1);
  m.apply(m.on(f.sound, "click"));
  EXPECT_EQ(f.sound.value(), 0);
  EXPECT_EQ(f.sound_clicks, 2);
  EXPECT_EQ(f.active_control(), &f.sound);

  m.apply(m.on(f.options[1], "click"));
  m.apply(m.on(f.options[0], "click"));
  EXPECT_TRUE(f.options[0].value());
  EXPECT_FALSE(f.options[1].value());

  m.apply(m.on(f.ok, "click"));
  EXPECT_EQ(f.ok_clicks, 1);
}

TEST_F(InputTest, UnreachableControlsAndStaleNamesAreIgnored) {
  f.ok.enabled = false;
  m.apply(m.on(f.ok, "click"));
  f.group.visible = false;
  m.apply(m.on(f.in_frame, "click"));
  // A control on a page that is not shown.
  m.apply(m.on(f.on_page1, "click"));
  EXPECT_EQ(f.on_page1.value(), 0);
  // An index that now names another control: the page was drawn from an older window.
  json stale = m.on(f.sound, "click");
  stale["name"] = "cmd_ok";
  m.apply(stale);
  m.apply(json{{"action", "click"}, {"window", "Nowhere"}, {"control", 0}, {"name", "cmd_ok"}});
  m.apply(json{{"action", "click"}, {"window", "Sample"}, {"control", "two"}});  // malformed
  m.apply(json::array());
  EXPECT_EQ(f.ok_clicks, 0);
  EXPECT_EQ(f.sound.value(), 0);

  m.apply(m.on(f.tabs, "tab", {{"tab", 1}}));
  m.apply(m.on(f.on_page1, "click"));
  EXPECT_EQ(f.on_page1.value(), 1);
}

TEST_F(InputTest, DisabledOrHiddenTabsCannotBeChosen) {
  f.tabs.set_tab_enabled(1, false);
  m.apply(m.on(f.tabs, "tab", {{"tab", 1}}));
  m.apply(m.on(f.tabs, "tab", {{"tab", 7}}));
  EXPECT_EQ(f.tabs.tab(), 0);
}

TEST_F(InputTest, ListSelectionFollowsTheListsMultiSelect) {
  m.apply(m.on(f.list, "item", {{"item", 1}}));
  m.apply(m.on(f.list, "item", {{"item", 3}, {"modifiers", vbCtrlMask}}));
  EXPECT_TRUE(f.list.selected(1));
  EXPECT_TRUE(f.list.selected(3));
  EXPECT_EQ(f.list.sel_count(), 2);
  // Shift extends from the last item clicked without it.
  m.apply(m.on(f.list, "item", {{"item", 0}, {"modifiers", vbShiftMask}}));
  EXPECT_EQ(f.list.sel_count(), 4);
  EXPECT_EQ(f.list.list_index(), 0);
  m.apply(m.on(f.list, "item", {{"item", 2}}));
  EXPECT_EQ(f.list.sel_count(), 1);
  EXPECT_EQ(f.list_clicks, 4);  // one click event per user click
  m.apply(m.on(f.list, "item", {{"item", 4}}));
  EXPECT_EQ(f.list_clicks, 4);

  f.list.multi_select = 1;
  m.apply(m.on(f.list, "item", {{"item", 0}}));
  m.apply(m.on(f.list, "item", {{"item", 2}}));
  EXPECT_TRUE(f.list.selected(0));
  EXPECT_FALSE(f.list.selected(2));  // a simple multi-select list toggles
}

TEST_F(InputTest, TypedTextReachesTheModel) {
  m.apply(m.on(f.name_box, "text", {{"text", "Ann"}}));
  EXPECT_EQ(f.name_box.text(), "Ann");
  EXPECT_EQ(f.text_changes, 1);
  f.name_box.locked = true;
  m.apply(m.on(f.name_box, "text", {{"text", "Bob"}}));
  EXPECT_EQ(f.name_box.text(), "Ann");
}

TEST_F(InputTest, KeyPressHandlersDecideWhatIsTyped) {
  f.name_box.on_key_press = [](int& ascii) {
    if (ascii >= 'a' && ascii <= 'z') ascii -= 32;
    if (ascii == '9') ascii = 0;
  };
  f.name_box.set_text(
      "A\xC3\xA9"
      "B");  // positions count characters, not bytes
  const auto press = [&](int ascii, int at, int length = 0) {
    m.apply(m.on(f.name_box, "press", {{"keyAscii", ascii}, {"at", at}, {"length", length}}));
  };
  press('x', 2);
  EXPECT_EQ(f.name_box.text(),
            "A\xC3\xA9"
            "XB");
  press('9', 4);
  EXPECT_EQ(f.name_box.text(),
            "A\xC3\xA9"
            "XB");
  press('z', 1, 2);  // replaces the selection
  EXPECT_EQ(f.name_box.text(), "AZB");
  press(8, 2);  // backspace
  EXPECT_EQ(f.name_box.text(), "AB");
  press(0xE9, 9);
  EXPECT_EQ(f.name_box.text(), "AB\xC3\xA9");
  EXPECT_EQ(f.text_changes, 5);
}

TEST_F(InputTest, KeysReachDefaultCancelAndAccessKeys) {
  const auto key = [&](int code, int shift = 0) {
    m.apply(json{{"action", "key"}, {"window", "Sample"}, {"keyCode", code}, {"modifiers", shift}});
  };
  key(13);
  key(27);
  EXPECT_EQ(f.ok_clicks, 1);
  EXPECT_EQ(f.cancel_clicks, 1);
  key('S', 4);
  EXPECT_EQ(f.sound.value(), 1);
  key('G', 4);
  EXPECT_EQ(f.ok_clicks, 2);
  // A label's access key passes the focus to the next control in tab order.
  key('N', 4);
  EXPECT_EQ(f.active_control(), &f.name_box);
  key('M', 4);
  EXPECT_EQ(f.tabs.tab(), 1);
  // With the key preview on, the window may swallow a key.
  f.key_preview = true;
  f.swallow_key = 13;
  key(13);
  EXPECT_EQ(f.ok_clicks, 2);
}

TEST_F(InputTest, MenuEntriesRunOnlyWhenReachable) {
  const auto menu = [&](const Menu& item) {
    json e = m.on(item, "menu");
    m.apply(e);
  };
  menu(f.exit_item);
  EXPECT_EQ(f.menu_clicks, 1);
  menu(f.hidden_item);
  f.file_menu.enabled = false;
  menu(f.exit_item);
  EXPECT_EQ(f.menu_clicks, 1);
}

TEST_F(InputTest, AnOpenBoxTakesAllInputUntilAnswered) {
  int answer = 0;
  f.ok.on_click = [&] { answer = m.dialogs.msgbox("Sure?", vbYesNo, "Question"); };
  int waits = 0;
  m.loop.idle = [&] {
    ++waits;
    ASSERT_EQ(m.dialogs.open_boxes().size(), 1u);
    m.apply(m.on(f.sound, "click"));  // beneath the box: nothing happens
    m.apply(json{{"action", "answer"}, {"box", m.dialogs.open_boxes()[0].id}, {"result", vbNo}});
  };
  m.apply(m.on(f.ok, "click"));
  EXPECT_EQ(answer, vbNo);
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(f.sound.value(), 0);
  EXPECT_TRUE(m.dialogs.open_boxes().empty());
}

TEST_F(InputTest, OnlyTheModalWindowTakesInput) {
  class Other final : public Form {
   public:
    explicit Other(FormRegistry& forms) : Form(forms, "Other") {}
  };
  m.forms.define<Other>([this] { return std::make_unique<Other>(m.forms); });
  Other& other = m.forms.get<Other>();
  other.modal = true;
  other.set_visible(true);
  m.apply(m.on(f.ok, "click"));
  EXPECT_EQ(f.ok_clicks, 0);
  other.modal = false;
  m.apply(m.on(f.ok, "click"));
  EXPECT_EQ(f.ok_clicks, 1);
}

TEST_F(InputTest, WindowsCloseMoveAndChangeStateAsTheirFrameAllows) {
  f.border_style = vbFixedSingle;
  m.apply(json{{"action", "move"}, {"window", "Sample"}, {"left", 30}, {"top", 45}});
  m.apply(json{{"action", "size"}, {"window", "Sample"}, {"width", 999}, {"height", 999}});
  EXPECT_EQ(f.left(), 30);
  EXPECT_EQ(f.top(), 45);
  EXPECT_EQ(f.width(), 6000);  // a fixed frame keeps its size
  // A sizable one is moved by its title bar and sized by its border.
  f.border_style = vbSizable;
  m.apply(json{{"action", "move"}, {"window", "Sample"}, {"left", 1500}, {"top", 600}});
  EXPECT_EQ(std::vector<float>({f.left(), f.top(), f.width()}),
            std::vector<float>({1500, 600, 6000}));
  m.apply(json{{"action", "size"}, {"window", "Sample"}, {"width", 7200}, {"height", 5100}});
  EXPECT_EQ(std::vector<float>({f.left(), f.width(), f.height()}),
            std::vector<float>({1500, 7200, 5100}));
  // Its title bar stays within reach: not above the screen, not beyond its right edge.
  m.apply(json{{"action", "move"}, {"window", "Sample"}, {"left", 40000}, {"top", -900}});
  EXPECT_EQ(std::vector<float>({f.left(), f.top()}), std::vector<float>({1920 * 15 - 40 * 15, 0}));
  f.min_button = false;
  m.apply(json{{"action", "state"}, {"window", "Sample"}, {"windowState", vbMinimized}});
  EXPECT_EQ(f.window_state(), vbNormal);
  m.apply(json{{"action", "state"}, {"window", "Sample"}, {"windowState", vbMaximized}});
  EXPECT_EQ(f.window_state(), vbMaximized);
  // Minimised from maximised, restoring gives the maximised window back; from normal, the
  // normal one.
  f.min_button = true;
  for (const int from : {vbMaximized, vbNormal}) {
    m.apply(json{{"action", "state"}, {"window", "Sample"}, {"windowState", from}});
    m.apply(json{{"action", "state"}, {"window", "Sample"}, {"windowState", vbMinimized}});
    EXPECT_EQ(f.window_state(), vbMinimized);
    m.apply(json{{"action", "state"}, {"window", "Sample"}, {"windowState", vbNormal}});
    EXPECT_EQ(f.window_state(), from);
  }

  f.refuse_unload = true;
  m.apply(json{{"action", "close"}, {"window", "Sample"}});
  EXPECT_TRUE(f.is_loaded());
  f.refuse_unload = false;
  m.apply(json{{"action", "close"}, {"window", "Sample"}});
  EXPECT_EQ(m.forms.find<SampleForm>(), nullptr);
}

TEST_F(InputTest, BrowserMarksAndElementClicksReachTheDocument) {
  f.web.document.open();
  f.web.document.write("<input type=checkbox id=a1><input type=text name=reply><a id=next>");
  int clicked = 0;
  f.web.document.set_on_click("next", [&] { ++clicked; });
  json mark = m.on(f.web, "");
  mark["generation"] = f.web.document.generation();
  mark["fields"] = {{{"id", "a1"}, {"type", "checkbox"}, {"checked", true}},
                    {{"name", "reply"}, {"type", "text"}, {"value", "42"}}};
  const json marks = json::array({mark});
  m.apply(m.on(f.web, "element", {{"element", "next"}, {"marks", marks}}));
  EXPECT_EQ(clicked, 1);
  ASSERT_EQ(f.web.document.fields().size(), 2u);
  EXPECT_TRUE(f.web.document.fields()[0].checked);
  EXPECT_EQ(f.web.document.fields()[1].value, "42");

  // Marks sent on their own, as they are made, reach the document and run nothing; the
  // program's own marks are not thereby changed.
  const uint64_t program_marks = f.web.document.marks_generation();
  json later = mark;
  later["fields"] = {{{"id", "a1"}, {"type", "checkbox"}, {"checked", false}},
                     {{"name", "reply"}, {"type", "text"}, {"value", "43"}}};
  m.apply(json{{"action", "marks"}, {"marks", json::array({later})}});
  EXPECT_FALSE(f.web.document.fields()[0].checked);
  EXPECT_EQ(f.web.document.fields()[1].value, "43");
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(f.web.document.marks_generation(), program_marks);

  // Marks made in a document the program has since replaced are dropped.
  f.web.document.open();
  m.apply(m.on(f.web, "element", {{"element", "next"}, {"marks", marks}}));
  EXPECT_TRUE(f.web.document.fields().empty());
  EXPECT_EQ(clicked, 1);  // the new document has no handler for it
}

TEST_F(InputTest, ScrollBarsStayWithinTheirRange) {
  m.apply(m.on(f.bar, "scroll", {{"value", 4}}));
  EXPECT_EQ(f.bar.value(), 4);
  m.apply(m.on(f.bar, "scroll", {{"value", 40}}));
  EXPECT_EQ(f.bar.value(), 10);
  m.apply(m.on(f.list, "scroll", {{"topIndex", 2}}));
  EXPECT_EQ(f.list.top_index, 2);
}

TEST_F(InputTest, MouseMovementsReachTheControlUnderTheMouse) {
  std::vector<std::string> heard;
  for (Control* c : std::initializer_list<Control*>{&f.group, &f.on_page1})
    c->on_mouse_move = [&heard, c](int button, int shift, float x, float y) {
      heard.push_back(c->name() + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(static_cast<int>(x)) + " " +
                      std::to_string(static_cast<int>(y)));
    };
  m.apply(m.on(f.group, "mousemove", {{"x", 150}, {"y", 45.5}, {"button", 1}, {"modifiers", 2}}));
  m.apply(m.on(f.group, "mousemove", {{"x", 0}, {"y", 0}}));
  m.apply(m.on(f.on_page1, "mousemove", {{"x", 15}, {"y", 30}}));  // its page is not shown
  m.apply(m.on(f.ok, "mousemove", {{"x", 15}, {"y", 30}}));        // it does not listen
  EXPECT_EQ(heard, (std::vector<std::string>{"fra_group 1 2 150 45", "fra_group 0 0 0 0"}));
}

// Every number from the wire is checked against its range before it reaches a handler;
// the page hears which field was refused.
TEST(DecodeInput, RefusesFieldsOfTheWrongTypeOrOutOfTheirRange) {
  const json huge_mark = {{"window", "Sample"}, {"generation", -1}};
  const std::vector<std::pair<json, std::string>> cases = {
      {{{"action", "key"}, {"window", "Welcome"}, {"keyCode", 1073741824}, {"modifiers", 4}},
       "keyCode is out of its range 0..65535"},
      {{{"keyCode", -1}}, "keyCode is out of its range 0..65535"},
      {{{"keyCode", 18446744073709551615u}}, "keyCode is out of its range 0..65535"},
      {{{"modifiers", 8}}, "modifiers is out of its range 0..7"},
      {{{"control", 1099511627776}}, "control is out of its range 0..65535"},
      {{{"at", 2147483648}}, "at is out of its range 0..2147483647"},
      {{{"length", -1}}, "length is out of its range 0..2147483647"},
      {{{"item", 1.5}}, "item is not a whole number"},
      {{{"item", -2}}, "item is out of its range -1..2147483647"},
      {{{"value", 40000}}, "value is out of its range -32768..32767"},
      {{{"keyAscii", 0x110000}}, "keyAscii is out of its range 0..1114111"},
      {{{"windowState", 3}}, "windowState is out of its range 0..2"},
      {{{"result", "1"}}, "result is not a whole number"},
      {{{"sequence", -1}}, "sequence is not a counter"},
      {{{"action", "move"}, {"left", 1e300}, {"top", 0}}, "left is out of its range"},
      {{{"action", "size"}, {"width", 0}, {"height", -1e8}}, "height is out of its range"},
      {{{"action", "move"}, {"left", 0}, {"top", "0"}}, "top is not a number"},
      // Each field has one meaning: a move has no size, a size no position.
      {{{"action", "move"}, {"window", "Sample"}, {"width", 12000}, {"height", 9000}},
       "move needs left"},
      {{{"action", "size"}, {"left", 0}, {"top", 0}, {"width", 12000}}, "size needs height"},
      {{{"action", "screen"}, {"viewportWidth", 1e300}, {"viewportHeight", 1}},
       "viewportWidth is not a whole number"},
      {{{"action", "screen"}, {"viewportWidth", 1}, {"viewportHeight", 2000000}},
       "viewportHeight is out of its range 0..1000000"},
      {{{"action", "screen"}, {"width", 1280}, {"height", 800}}, "screen needs viewportWidth"},
      {{{"action", "resize"}}, "action \"resize\" is not an action of the page"},
      {{{"action", "mousemove"}, {"x", "1"}, {"y", 0}}, "x is not a number"},
      {{{"action", "mousemove"}, {"x", 0}, {"y", 1e300}}, "y is out of its range"},
      {{{"action", "mousemove"}, {"x", 0}, {"y", 0}, {"button", 4}},
       "button is out of its range 0..3"},
      {{{"action", "mousemove"}, {"x", 0}}, "mousemove needs y"},
      {{{"text", 5}}, "text is not a text"},
      {{{"window", nullptr}}, "window is not a text"},
      {{{"marks", {{"window", "Sample"}}}}, "marks is not a list"},
      {{{"marks", json::array({1})}}, "a mark is not an object"},
      {{{"marks", json::array({huge_mark})}}, "generation is not a counter"},
      {{{"marks", json::array({{{"fields", json::array({{{"checked", "yes"}}})}}})}},
       "checked is not true or false"},
      {{{"marks", json::array({{{"fields", json::array({7})}}})}}, "a field is not an object"},
      {json::array(), "an event is not an object"},
      {json(3), "an event is not an object"},
  };
  for (const auto& [event, message] : cases) {
    try {
      decode_input(event);
      ADD_FAILURE() << "taken: " << event.dump();
    } catch (const BadEvent& e) {
      EXPECT_EQ(e.what(), message) << event.dump();
    }
  }
  // The ends of each range are taken.
  const InputEvent edge = decode_input({{"action", "move"},
                                        {"top", 0},
                                        {"keyCode", 65535},
                                        {"at", 2147483647},
                                        {"item", -1},
                                        {"value", -32768},
                                        {"left", -1e7},
                                        {"sequence", 18446744073709551615u}});
  EXPECT_EQ(edge.key_code, 65535);
  EXPECT_EQ(edge.at, 2147483647);
  EXPECT_EQ(edge.value, -32768);
  EXPECT_EQ(edge.left, -1e7f);
  EXPECT_EQ(edge.sequence, 18446744073709551615u);
}

TEST_F(InputTest, KeysAndPositionsAtTheEndsOfTheirRangesAreHarmless) {
  m.apply(json{{"action", "key"}, {"window", "Sample"}, {"keyCode", 65535}, {"modifiers", 7}});
  EXPECT_EQ(f.ok_clicks + f.cancel_clicks + f.sound.value(), 0);
  f.name_box.set_text("ab");
  // A selection from the last position on, of the longest length: no overflow, and the
  // character goes at the end.
  m.apply(
      m.on(f.name_box, "press", {{"keyAscii", 'c'}, {"at", 2147483647}, {"length", 2147483647}}));
  EXPECT_EQ(f.name_box.text(), "abc");
  m.apply(m.on(f.name_box, "press", {{"keyAscii", 'X'}, {"at", 1}, {"length", 2147483647}}));
  EXPECT_EQ(f.name_box.text(), "aX");
}

}  // namespace
}  // namespace pv::testing
