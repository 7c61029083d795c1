#include "web/snapshot.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "web/page_patch.hpp"
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

class SecondForm final : public Form {
 public:
  explicit SecondForm(FormRegistry& forms) : Form(forms, "Second") { add_all(text, close); }
  Label text{"lbl_text"};
  CommandButton close{"cmd_close"};
};

// The kept state through a run of changes: each update's changes turn the page's state
// into the whole state, which the kept tree and its text hold too, and each change is only
// as big as what changed, however it was made (a setter, a member written, a window shown).
TEST(SnapshotKeeper, SendsOnlyWhatChangedAndAddsUpToTheWholeState) {
  SampleModel m;
  m.forms.define<SecondForm>([&m] { return std::make_unique<SecondForm>(m.forms); });
  SampleForm& f = m.form();
  SnapshotKeeper keeper;
  const auto rest = [&](const char* notice = nullptr) {
    json r = snapshot_rest(m.screen, &m.dialogs);
    if (notice != nullptr) r["notice"] = notice;
    return r;
  };
  EXPECT_TRUE(keeper.update(m.forms, rest()).is_null());
  json page = keeper.tree();
  struct Step {
    const char* what;
    std::function<void()> change;
    // The changes expected: their count and the path of the first ("" for none).
    size_t changes;
    const char* first;
    const char* notice = nullptr;
  };
  const Step steps[] = {
      {"nothing", [] {}, 0, ""},
      {"a check box ticked", [&] { f.sound.set_value(1); }, 1,
       R"(["windows",0,"controls",2,"value"])"},
      {"a caption written directly", [&] { f.name_label.caption = "&Who:"; }, 1,
       R"(["windows",0,"controls",3,"caption"])"},
      {"a page written",
       [&] {
         f.web.document.open();
         f.web.document.write("<p>1.) Which?</p>");
       },
       2, R"(["windows",0,"controls",13,"document","generation"])"},
      {"a control gains a member", [&] { f.web.has_font = true; }, 1,
       R"(["windows",0,"controls",13])"},
      {"a font made bold", [&] { f.ok.font.bold = true; }, 1,
       R"(["windows",0,"controls",0,"font","bold"])"},
      {"the window's caption", [&] { f.set_caption("Renamed"); }, 1, R"(["windows",0,"caption"])"},
      {"a menu entry unchecked", [&] { f.exit_item.checked = false; }, 1,
       R"(["windows",0,"menus",0,"items",0,"checked"])"},
      {"a second window opens", [&] { m.forms.get<SecondForm>().show(); }, 1, R"(["windows"])"},
      {"a control of each",
       [&] {
         m.forms.get<SecondForm>().text.caption = "Incorrect.";
         f.bar.set_value(4);
       },
       2, R"(["windows",0,"controls",12,"value"])"},
      {"the first comes to the front",
       [&] {
         f.hide();
         f.show();
       },
       1, R"(["windows"])"},
      {"the second closes", [&] { m.forms.get<SecondForm>().unload(); }, 1, R"(["windows"])"},
      {"a notice shown", [] {}, 1, "[]", "Cannot write the log."},
      {"the screen's pointer", [&] { m.screen.mouse_pointer = vbHourglass; }, 1, R"(["pointer"])",
       "Cannot write the log."},
      {"every window hidden", [&] { f.hide(); }, 1, R"(["windows"])", "Cannot write the log."},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.change();
    const json changes = keeper.update(m.forms, rest(s.notice));
    ASSERT_TRUE(changes.is_array());
    ASSERT_EQ(changes.size(), s.changes) << changes.dump();
    if (s.changes > 0) {
      EXPECT_EQ(changes[0][0].dump(), s.first);
    }
    apply(page, changes);
    json whole = snapshot_json(m.forms, m.screen, &m.dialogs);
    if (s.notice != nullptr) whole["notice"] = s.notice;
    EXPECT_EQ(page, whole);
    EXPECT_EQ(keeper.tree(), whole);
    EXPECT_EQ(json::parse(keeper.writer()()), whole);
  }
}

}  // namespace
}  // namespace pv::testing
