// A small window with one control of most kinds, and the model around it, for the
// front-end's tests.
#pragma once

#include <array>
#include <memory>

#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/event_loop.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/web_browser.hpp"
#include "support/fake_desktop.hpp"
#include "web/input.hpp"

namespace pv::testing {

class SampleForm final : public Form {
 public:
  explicit SampleForm(FormRegistry& forms) : Form(forms, "Sample") {
    design(1500, 1200, 6000, 4500, "Sample Window");
    ok.caption = "&Go";
    ok.is_default = true;
    ok.move(120, 120, 1200, 375);
    cancel.caption = "Cancel";
    cancel.cancel = true;
    sound.caption = "&Sound";
    sound.move(120, 600, 1500, 255);
    name_label.caption = "&Name:";
    name_label.tab_index = 1;
    name_box.tab_index = 2;
    ok.tab_index = 3;
    list.multi_select = 2;
    for (const char* s : {"alpha", "beta", "gamma", "delta"}) list.add_item(s);
    tabs.set_tabs(2);
    tabs.set_tab_caption(0, "&General");
    tabs.set_tab_caption(1, "&More");
    on_page1.container = &tabs;
    on_page1.tab_page = 1;
    in_frame.container = &group;
    group.caption = "Group";
    bar.max = 10;
    exit_item.checked = true;
    hidden_item.visible = false;
    add_all(ok, cancel, sound, name_label, name_box, options[0], options[1], list, tabs, on_page1,
            group, in_frame, bar, web, tick, file_menu, exit_item, hidden_item);
    ok.on_click = [this] { ++ok_clicks; };
    cancel.on_click = [this] { ++cancel_clicks; };
    sound.on_click = [this] { ++sound_clicks; };
    list.on_click = [this] { ++list_clicks; };
    name_box.on_change = [this] { ++text_changes; };
    exit_item.on_click = [this] { ++menu_clicks; };
    hidden_item.on_click = [this] { ++menu_clicks; };
  }

  void Form_KeyDown(int& key_code, int /*shift*/) override {
    if (key_code == swallow_key) key_code = 0;
  }
  void Form_Unload(int& cancel_unload) override { cancel_unload = refuse_unload ? 1 : 0; }

  CommandButton ok{"cmd_ok"}, cancel{"cmd_cancel"};
  CheckBox sound{"chk_sound"};
  Label name_label{"lbl_name"};
  TextBox name_box{"txt_name"};
  std::array<OptionButton, 2> options{OptionButton("opt_mode", 0), OptionButton("opt_mode", 1)};
  ListBox list{"lst_items"};
  TabbedDialog tabs{"SSTab1"};
  CheckBox on_page1{"chk_more"};
  Frame group{"fra_group"};
  Label in_frame{"lbl_in_frame"};
  ScrollBar bar{"vsb_count", true};
  WebBrowser web{"web_page"};
  Timer tick{"tmr_tick"};
  Menu file_menu{"mnu_file", "&File"};
  Menu exit_item{"mnu_exit", "E&xit", &file_menu};
  Menu hidden_item{"mnu_hidden", "Hidden", &file_menu};

  int ok_clicks = 0, cancel_clicks = 0, sound_clicks = 0, list_clicks = 0, text_changes = 0,
      menu_clicks = 0;
  int swallow_key = -1;
  bool refuse_unload = false;
};

// The window model of a program with the sample window shown.
struct SampleModel : FakeDesktop {
  SampleModel() {
    forms.define<SampleForm>([this] { return std::make_unique<SampleForm>(forms); });
    form().show();
  }
  SampleForm& form() { return forms.get<SampleForm>(); }
  // A user's action on a control of the sample window, as the page sends it.
  nlohmann::json on(const Control& c, const std::string& action, nlohmann::json extra = {}) {
    int i = 0;
    while (form().controls()[static_cast<size_t>(i)] != &c) ++i;
    nlohmann::json e = {
        {"action", action}, {"window", "Sample"}, {"control", i}, {"name", c.name()}};
    if (extra.is_object()) e.update(extra);
    return e;
  }
  // Carries the event out as the front-end does; a refused one is dropped.
  void apply(const nlohmann::json& e) {
    try {
      apply_input(decode_input(e), input);
    } catch (const BadEvent&) {
    }
  }
};

}  // namespace pv::testing
