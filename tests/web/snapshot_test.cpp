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
  EXPECT_EQ(s["screen"]["w"], 1920);
  ASSERT_EQ(s["windows"].size(), 1u);
  const json& w = s["windows"][0];
  EXPECT_EQ(w["name"], "Sample");
  EXPECT_EQ(w["caption"], "Sample Window");
  EXPECT_EQ(w["l"], 1500);
  EXPECT_EQ(w["w"], 6000);
  EXPECT_EQ(w["frame"], 60);  // 4 pixels
  EXPECT_EQ(w["title"], 300);
  EXPECT_EQ(w["back"], "#ece9d8");

  const json* sound = control_named(w, "chk_sound");
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ((*sound)["kind"], "check");
  EXPECT_EQ((*sound)["value"], 1);
  EXPECT_EQ((*sound)["caption"], "&Sound");
  EXPECT_EQ((*sound)["i"], 2);
  EXPECT_EQ((*sound)["l"], 120);
  EXPECT_EQ((*control_named(w, "lst_items"))["sel"], json::array({2}));
  EXPECT_EQ((*control_named(w, "lst_items"))["items"][3], "delta");
  const json& tabs = *control_named(w, "SSTab1");
  EXPECT_EQ(tabs["tab"], 1);
  EXPECT_EQ(tabs["tabs"][1]["caption"], "&More");
  // Controls know their container: by position in the window's list.
  EXPECT_EQ((*control_named(w, "chk_more"))["parent"], tabs["i"]);
  EXPECT_EQ((*control_named(w, "chk_more"))["page"], 1);
  EXPECT_EQ((*control_named(w, "lbl_in_frame"))["parent"], 10);
  EXPECT_EQ((*control_named(w, "opt_mode"))["index"], 0);
  // Timers are never drawn; menus come as a tree with their check marks.
  EXPECT_EQ(control_named(w, "tmr_tick"), nullptr);
  EXPECT_EQ(control_named(w, "mnu_exit"), nullptr);
  ASSERT_EQ(w["menus"].size(), 1u);
  EXPECT_EQ(w["menus"][0]["caption"], "&File");
  EXPECT_EQ(w["menus"][0]["items"][0]["checked"], true);
  EXPECT_EQ(w["menus"][0]["items"][1]["visible"], false);
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
  const json& doc = (*control_named(s["windows"][0], "web_page"))["doc"];
  EXPECT_EQ(doc["html"], "<p id=q>Which?</p><form name=f><input type=radio name=r checked>");
  EXPECT_EQ(doc["marksGen"], web.document.marks_generation());
  ASSERT_EQ(doc["fields"].size(), 1u);
  EXPECT_EQ(
      doc["fields"][0],
      json({{"id", ""}, {"name", "r"}, {"type", "radio"}, {"value", "on"}, {"checked", false}}));
  EXPECT_EQ(doc["gen"], web.document.generation());
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
  EXPECT_EQ(s["boxes"][0]["text"], "Your name?");
  EXPECT_EQ(s["boxes"][0]["default"], "STUDENT");
}

}  // namespace
}  // namespace pv::testing
