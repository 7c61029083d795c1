#include "web/snapshot.hpp"

#include <gtest/gtest.h>

#include "web/sample_form.hpp"

namespace pv::testing {
namespace {

using nlohmann::json;

const json* control_named(const json& window, const std::string& name) {
  for (const json& c : window["controls"])
    if (c["name"] == name) return &c;
  return nullptr;
}

TEST(Snapshot, DrawsTheVisibleWindowsWithTheirControlsAndState) {
  SampleModel m;
  SampleForm& f = m.form();
  f.sound.set_value(1);
  f.list.set_selected(2, true);
  f.tabs.set_tab(1);
  m.screen.mouse_pointer = vbHourglass;

  const json s = snapshot_json(m.forms, m.screen, &m.dialogs);
  EXPECT_EQ(s["pointer"], vbHourglass);
  EXPECT_EQ(s["screen"]["width"], 1920);
  ASSERT_EQ(s["windows"].size(), 1u);
  const json& w = s["windows"][0];
  EXPECT_EQ(w["name"], "Sample");
  EXPECT_EQ(w["caption"], "Sample Window");
  EXPECT_EQ(w["left"], 1500);
  EXPECT_EQ(w["width"], 6000);
  EXPECT_EQ(w["frameWidth"], 60);  // 4 pixels
  EXPECT_EQ(w["titleHeight"], 300);
  EXPECT_EQ(w["backColor"], "#ece9d8");

  const json* sound = control_named(w, "chk_sound");
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ((*sound)["kind"], "check");
  EXPECT_EQ((*sound)["value"], 1);
  EXPECT_EQ((*sound)["caption"], "&Sound");
  EXPECT_EQ((*sound)["control"], 2);
  EXPECT_EQ((*sound)["left"], 120);
  EXPECT_EQ((*control_named(w, "lst_items"))["selected"], json::array({2}));
  EXPECT_EQ((*control_named(w, "lst_items"))["items"][3], "delta");
  const json& tabs = *control_named(w, "SSTab1");
  EXPECT_EQ(tabs["tab"], 1);
  EXPECT_EQ(tabs["tabs"][1]["caption"], "&More");
  // Controls know their container: by position in the window's list.
  EXPECT_EQ((*control_named(w, "chk_more"))["parent"], tabs["control"]);
  EXPECT_EQ((*control_named(w, "chk_more"))["page"], 1);
  EXPECT_EQ((*control_named(w, "lbl_in_frame"))["parent"], 10);
  EXPECT_EQ((*control_named(w, "opt_mode"))["index"], 0);
  // Timers are never drawn; menus come as a tree with their check marks.
  EXPECT_EQ(control_named(w, "tmr_tick"), nullptr);
  EXPECT_EQ(control_named(w, "mnu_exit"), nullptr);
  ASSERT_EQ(w["menus"].size(), 1u);
  EXPECT_EQ(w["menus"][0]["caption"], "&File");
  EXPECT_EQ(w["menus"][0]["accessKey"], "F");
  EXPECT_EQ(w["menus"][0]["items"][0]["accessKey"], "X");
  EXPECT_EQ(w["menus"][0]["items"][1]["accessKey"], "");
  EXPECT_EQ(w["menus"][0]["items"][0]["checked"], true);
  EXPECT_EQ(w["menus"][0]["items"][1]["visible"], false);
  // No menu is open; an open one comes as the numbers of its menus and its lit entry.
  EXPECT_EQ(w["openMenus"], json::array());
  EXPECT_EQ(w["litMenu"], -1);
  f.open_menu = {{&f.file_menu}, &f.exit_item};
  const json after = snapshot_json(m.forms, m.screen, &m.dialogs);
  const json& open = after["windows"][0];
  EXPECT_EQ(open["openMenus"], json::array({open["menus"][0]["control"]}));
  EXPECT_EQ(open["litMenu"], open["menus"][0]["items"][0]["control"]);
}

TEST(Snapshot, CarriesTheDocumentOfABrowserControl) {
  SampleModel m;
  WebBrowser& web = m.form().web;
  web.document.open();
  web.document.write("<p id=q>Which?</p><form name=f><input type=radio name=r checked>");
  web.document.set_checked({"f", "r"}, false);
  web.document.set_on_click("q", [] {});
  web.base_folder = "/media/";
  const json s = snapshot_json(m.forms, m.screen, nullptr);
  const json& doc = (*control_named(s["windows"][0], "web_page"))["document"];
  EXPECT_EQ(doc["html"], "<p id=q>Which?</p><form name=f><input type=radio name=r checked>");
  EXPECT_EQ(doc["marksGeneration"], web.document.marks_generation());
  ASSERT_EQ(doc["fields"].size(), 1u);
  EXPECT_EQ(
      doc["fields"][0],
      json({{"id", ""}, {"name", "r"}, {"type", "radio"}, {"value", "on"}, {"checked", false}}));
  EXPECT_EQ(doc["generation"], web.document.generation());
  EXPECT_EQ(doc["clicks"], json::array({"q"}));
  EXPECT_EQ(doc["base"], "/media/");
}

TEST(Snapshot, HiddenWindowsAreLeftOutAndOpenBoxesAreIn) {
  SampleModel m;
  m.form().hide();
  json s = snapshot_json(m.forms, m.screen, &m.dialogs);
  EXPECT_TRUE(s["windows"].empty());

  m.loop.idle = [&] {
    s = snapshot_json(m.forms, m.screen, &m.dialogs);
    m.dialogs.answer(m.dialogs.open_boxes()[0].id, vbOK, "typed");
  };
  EXPECT_EQ(m.dialogs.inputbox("Your name?", "Name", "STUDENT"), "typed");
  ASSERT_EQ(s["boxes"].size(), 1u);
  EXPECT_EQ(s["boxes"][0]["input"], true);
  EXPECT_EQ(s["boxes"][0]["buttons"].size(), 2u);  // OK and Cancel
  EXPECT_EQ(s["boxes"][0]["cancelResult"], vbCancel);
  EXPECT_EQ(s["boxes"][0]["text"], "Your name?");
  EXPECT_EQ(s["boxes"][0]["default"], "STUDENT");
}

// What the page draws of a box: its buttons in order with their answers and access keys,
// the one with the focus, and what Escape answers.
TEST(Snapshot, BoxesCarryTheirButtonsTheirDefaultAndWhatEscapeAnswers) {
  struct Case {
    int style;
    const char* buttons;
    int default_button;
    int cancel;
  };
  const Case cases[] = {
      {vbOKOnly, "OK=1", 0, vbOK},
      {vbOKCancel + vbQuestion, "OK=1 Cancel=2", 0, vbCancel},
      {vbAbortRetryIgnore + 512, "&Abort=3A &Retry=4R &Ignore=5I", 2, 0},
      {vbYesNoCancel + 256, "&Yes=6Y &No=7N Cancel=2", 1, vbCancel},
      {vbYesNo + 512, "&Yes=6Y &No=7N", 1, 0},  // no third button: the last one
      {vbRetryCancel, "&Retry=4R Cancel=2", 0, vbCancel},
      {7, "OK=1", 0, vbOK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    SampleModel m;
    json box;
    m.loop.idle = [&] {
      box = snapshot_json(m.forms, m.screen, &m.dialogs)["boxes"][0];
      m.dialogs.answer(m.dialogs.open_boxes()[0].id, vbOK);
    };
    m.dialogs.msgbox("Sure?", c.style, "Question");
    std::string buttons;
    for (const json& b : box["buttons"])
      buttons += (buttons.empty() ? "" : " ") + b["caption"].get<std::string>() + "=" +
                 std::to_string(b["result"].get<int>()) + b["accessKey"].get<std::string>();
    EXPECT_EQ(buttons, c.buttons);
    EXPECT_EQ(box["defaultButton"], c.default_button);
    EXPECT_EQ(box["cancelResult"], c.cancel);
    EXPECT_EQ(box["style"], c.style);
  }
}

}  // namespace
}  // namespace pv::testing
