// A window with every kind of control, served to a real browser by the browser tests
// (tests/browser/gallery.test.mjs runs this test on its own; it is disabled otherwise).
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <iostream>

#include "core/program_name.hpp"
#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/event_loop.hpp"
#include "platform/filesystem.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/tooltips.hpp"
#include "platform/user_input.hpp"
#include "platform/web_browser.hpp"
#include "testrun/ctooltip.hpp"
#include "web/front_end.hpp"

namespace pv::testing {
namespace {

class Gallery final : public Form {
 public:
  Gallery(FormRegistry& forms, Dialogs& dialogs, Screen& screen)
      : Form(forms, "Gallery"), dialogs_(dialogs), screen_(screen) {
    design(600, 450, 9600, 7200, "Every Control");
    border_style = vbSizable;
    title.caption = "Controls of the platform";
    title.font.size = 12;
    title.font.bold = true;
    title.back_style = 0;
    title.move(120, 60, 5000, 360);
    ask.caption = "&Ask";
    ask.move(120, 480, 1200, 375);
    ask.is_default = true;
    type.caption = "&Type...";
    type.move(1440, 480, 1200, 375);
    busy.caption = "&Busy";
    busy.move(2760, 480, 1200, 375);
    quit.caption = "&Quit";
    quit.cancel = true;
    quit.move(4080, 480, 1200, 375);
    answer.move(120, 960, 5160, 285);
    answer.caption = "No answer yet";
    name.move(120, 1320, 2400, 315);
    name.set_text("STUDENT");
    sound.caption = "&Sound";
    sound.move(2640, 1320, 1500, 285);
    sound.set_value(1);
    grey.caption = "Grey";
    grey.move(4080, 1320, 1200, 285);
    grey.set_value(2);
    grey.enabled = false;

    options_frame.caption = "Mode";
    options_frame.move(120, 1800, 2400, 1200);
    const char* captions[] = {"&Practice", "T&est"};
    for (int i = 0; i < 2; ++i) {
      mode[i].caption = captions[i];
      mode[i].container = &options_frame;
      mode[i].move(120, 300 + 360.0f * static_cast<float>(i), 2000, 285);
    }
    mode[0].set_value(true);
    items.multi_select = 2;
    for (const char* s :
         {"Cables", "Routing", "Switching", "Security", "Wireless", "Voice", "Storage", "Backup"})
      items.add_item(s);
    items.move(2640, 1800, 2640, 1200);
    items.set_selected(1, true);
    picker.style = 2;
    for (const char* s : {"Book", "CD-ROM", "Full exam"}) picker.add_item(s);
    picker.set_list_index(0);
    picker.caption = "Book";
    picker.move(120, 3120, 2400, 315);
    count.min = 1;
    count.max = 20;
    count.set_value(5);
    count.move(2640, 3120, 255, 600);
    count_label.move(3000, 3240, 1200, 285);
    count_label.caption = "5";
    missing.picture = "/no/such/picture.png";
    missing.move(4200, 3120, 1080, 600);
    rule.x1 = 120;
    rule.y1 = 3840;
    rule.x2 = 5280;
    rule.y2 = 3840;
    rule.border_color = rgb(128, 0, 0);
    rule.border_width = 2;

    pages.set_tabs(2);
    pages.set_tab_caption(0, "&General");
    pages.set_tab_caption(1, "&More");
    pages.move(5520, 480, 3840, 3360);
    on_general.caption = "On the first page";
    on_general.container = &pages;
    on_general.tab_page = 0;
    on_general.move(240, 600, 3000, 285);
    on_more.caption = "&Remember me";
    on_more.container = &pages;
    on_more.tab_page = 1;
    on_more.move(240, 600, 3000, 285);

    page.move(120, 3960, 9240, 2280);
    write_page();
    status.move(120, 6300, 9240, 285);
    status.caption = "Ticks: 0";

    menu_view.checked = true;
    menu_quit.shortcut = "Ctrl+Q";
    menu_help.enabled = false;

    add_all(title, ask, type, busy, quit, answer, name, sound, grey, options_frame, mode[0],
            mode[1], items, picker, count, count_label, missing, rule, pages, on_general, on_more,
            page, status, tick, menu_file, menu_view, menu_sep, menu_quit, menu_help);

    ask.on_click = [this] {
      const int r = dialogs_.msgbox("Do you want to go on?", vbYesNoCancel + vbQuestion, "Go On?");
      answer.caption = r == vbYes ? "Yes" : r == vbNo ? "No" : "Cancel";
    };
    type.on_click = [this] {
      answer.caption = "Typed: " + dialogs_.inputbox("Your name:", "Name", name.text());
    };
    busy.on_click = [this] {
      screen_.mouse_pointer = screen_.mouse_pointer == vbHourglass ? vbDefault : vbHourglass;
    };
    quit.on_click = [this] { unload(); };
    menu_quit.on_click = [this] { unload(); };
    menu_view.on_click = [this] { menu_view.checked = !menu_view.checked; };
    count.on_change = [this] { count_label.caption = std::to_string(count.value()); };
    tick.interval = 1000;
    tick.on_timer = [this] { status.caption = "Ticks: " + std::to_string(++ticks_); };
    name.on_key_press = [](int& ascii) {
      if (ascii >= 'a' && ascii <= 'z') ascii -= 'a' - 'A';
    };
    items.on_click = [this] { answer.caption = "Selected: " + std::to_string(items.sel_count()); };
    page.document.set_on_click("check", [this] { read_page(); });
    page.document.set_on_click("mark", [this] {
      page.document.set_checked({"quiz", "answer", 1}, true);
      page.document.set_value({"quiz", "reply"}, "set by the program");
    });
  }

 private:
  void write_page() {
    page.document.open();
    page.document.write(
        "<html><body style='font-family:sans-serif'><p id=question>Which of these are "
        "routers' jobs? <a href='http://example.com/'>a link that goes nowhere</a></p>"
        "<form name=quiz><label><input type=checkbox id=a1 name=answer value=1> Forwarding"
        "</label><br><label><input type=checkbox id=a2 name=answer value=2> Printing</label>"
        "<br><input type=text id=reply name=reply><br></form><button id=check>Check</button> "
        "<button id=mark>Mark</button> <img src='/no/such/exhibit.gif' alt='exhibit'>"
        "<form action='http://example.com/'><input type=submit id=send value=Send></form>"
        "</body></html>");
    page.document.close();
  }
  void read_page() {
    std::string marks;
    for (const HtmlElement& f : page.document.fields())
      marks += f.id + (f.type == "checkbox" ? (f.checked ? "=on " : "=off ") : "=" + f.value + " ");
    answer.caption = "Marks: " + marks;
  }

  Dialogs& dialogs_;
  Screen& screen_;
  int ticks_ = 0;

 public:
  Label title{"lblTitle"};
  CommandButton ask{"cmdAsk"}, type{"cmdType"}, busy{"cmdBusy"}, quit{"cmdQuit"};
  Label answer{"lblAnswer"};
  TextBox name{"txtName"};
  CheckBox sound{"chkSound"}, grey{"chkGrey"};
  Frame options_frame{"fraMode"};
  std::array<OptionButton, 2> mode{OptionButton("optMode", 0), OptionButton("optMode", 1)};
  ListBox items{"lstItems"};
  ComboBox picker{"cboPicker"};
  ScrollBar count{"vsbCount", true};
  Label count_label{"lblCount"};
  PictureBox missing{"picMissing"};
  Line rule{"linRule"};
  TabbedDialog pages{"tabPages"};
  Label on_general{"lblOnGeneral"};
  CheckBox on_more{"chkRemember"};
  WebBrowser page{"webPage"};
  Label status{"lblStatus"};
  Timer tick{"tmrTick"};
  Menu menu_file{"mnuFile", "&File"};
  Menu menu_view{"mnuView", "Show &Scores", &menu_file};
  Menu menu_sep{"mnuSep", "-", &menu_file};
  Menu menu_quit{"mnuQuit", "E&xit", &menu_file};
  Menu menu_help{"mnuHelp", "&Help"};
};

// A picture in a browser control, as the diagram window shows one, with a balloon tip.
class PictureViewer final : public Form {
 public:
  PictureViewer(FormRegistry& forms, const FileSystem& files) : Form(forms, "PictureViewer") {
    design(10500, 450, 5400, 4200, "Diagram");
    picture.move(120, 120, 5040, 3480);
    add(picture);
    files_ = &files;
  }
  void Form_Load() override {
    picture.navigate(*files_, "FILE://" + files_->resolve("diagram.jpg"));
  }

  WebBrowser picture{"Image1"};

 private:
  const FileSystem* files_;
};

TEST(WebGallery, DISABLED_Serve) {
  SystemClock clock;
  EventLoop loop(clock, true);
  Screen screen;
  TableTextMeasure measure;
  FormRegistry forms(loop, screen, measure);
  DesktopDialogs dialogs(loop, kProgramTitle);
  UserInput input(forms, &dialogs);
  forms.define<Gallery>([&] { return std::make_unique<Gallery>(forms, dialogs, screen); });
  const std::string here = std::filesystem::current_path().string() + "/";
  const DiskFileSystem files(here, here);
  std::filesystem::copy_file(PREPVANT_SOURCE_DIR "/product/GUDAR_photo.jpg", here + "diagram.jpg",
                             std::filesystem::copy_options::overwrite_existing);
  forms.define<PictureViewer>([&] { return std::make_unique<PictureViewer>(forms, files); });
  FrontEnd front(loop, input, screen,
                 {.host = "127.0.0.1", .port = 0, .current_folder = ".", .program_folder = "."});
  loop.after_event = [&] { front.publish(); };
  loop.before_wait = [&] { front.publish(); };
  loop.on_error = [](const RuntimeError& e) { ADD_FAILURE() << e.what(); };
  TooltipTable tips;
  front.show_tooltips(&tips);
  CTooltip tip(tips);
  tip.Style(1);
  tip.Title("Diagram 1");
  tip.Icon(TTI_INFO);
  tip.TipText("The picture the question shows");
  tip.DelayTime(200);
  forms.get<PictureViewer>().show();
  tip.Create(forms.get<PictureViewer>());
  forms.get<Gallery>().show();
  front.start();
  std::cout << front.server().url() << std::endl;
  const int64_t start = clock.monotonic_ms();
  const auto gallery_open = [&] {
    const Gallery* g = forms.find<Gallery>();
    return g != nullptr && g->is_loaded();
  };
  loop.run_until([&] { return !gallery_open() || clock.monotonic_ms() - start > 600000; });
  forms.unload<PictureViewer>();
  front.finish();
  EXPECT_FALSE(forms.any_loaded()) << "the gallery was not closed";
}

}  // namespace
}  // namespace pv::testing
