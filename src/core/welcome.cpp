#include "core/welcome.hpp"

#include <cmath>

#include "catalogue/catalogue.hpp"
#include "core/about1.hpp"
#include "core/layout.hpp"
#include "core/navigation.hpp"
#include "core/partner.hpp"
#include "platform/dialogs.hpp"
#include "platform/error_log.hpp"
#include "platform/filesystem.hpp"
#include "platform/picture.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"
#include "studysaver/security.hpp"
#include "testrun/diagram.hpp"
#include "testrun/exhibit.hpp"
#include "testrun/finalscore.hpp"
#include "testrun/quest.hpp"
#include "testrun/theanswer.hpp"

namespace pv {
namespace {

constexpr float kDesignWidth = 5925;
constexpr float kDesignHeight = 7800;
constexpr float kOffWindow = 6600;  // controls kept right of the window's width

void place_picture_button(PictureBox& b, float top, const std::string& picture) {
  b.move(4740, top, 1095, 675);
  b.border_style = 0;
  b.back_color = rgb(255, 255, 255);
  b.picture = picture;
  b.mouse_pointer = vbCustom;
  b.mouse_icon = kButtonCursor;
}

}  // namespace

Welcome::Welcome(System& system) : SystemForm(system, "Welcome") {
  border_style = vbFixedDialog;
  control_box = false;
  min_button = false;
  max_button = false;
  design(0, 0, kDesignWidth, kDesignHeight);

  const std::string folder = sys.files.program_folder();
  place_picture_button(Image4[0], 5580, folder + kStartButtonPicture);
  place_picture_button(Image4[2], 6960, folder + kQuitButtonPicture);
  place_picture_button(Image4[1], 4200, "");
  Image4[1].left = kOffWindow;
  Image4[1].visible = false;
  Label8.move(4740, 6240, 1515, 675);
  Label8.back_color = rgb(255, 255, 255);
  Label8.back_style = 1;
  Image3.move(0, 0, 5925, 7760);
  Image3.stretch = true;
  Image3.picture = folder + kDefaultCoverPicture;

  float top = 120;
  for (PictureBox* p : {&HMI_Start, &hmi_help, &hmi_exit}) {
    p->move(kOffWindow, top, 1095, 675);
    top += 720;
  }
  for (CommandButton* b : {&cmd_start_real, &Start_Quiz, &help_command, &About, &Command1}) {
    b->move(kOffWindow, top, 1215, 375);
    top += 420;
  }
  Start_Quiz.caption = "&Start";
  cmd_start_real.caption = "Start";
  help_command.caption = "&Help";
  About.caption = "&About";
  Command1.caption = "E&xit";
  for (Image& i : oldImage4) {
    i.move(kOffWindow, top, 1095, 675);
    i.visible = false;
    top += 720;
  }
  // Labels and images beneath the cover: written by the start-up, never seen.
  float y = 240;
  for (Label* l : {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &lRelease,
                   &txtTestDescription, &test_name, &author_name2, &lblFeedback, &lblEULALink,
                   &lblOEMGreeting}) {
    l->move(240, y, 5000, 285);
    l->back_style = 0;
    y += 300;
  }
  for (Label& l : lblLabels) l.move(240, y, 5000, 285), l.back_style = 0, y += 300;
  Image2.move(240, 240, 1200, 900);
  Image1.move(240, 1200, 1200, 900);

  add_array(Image4);
  add(Label8);
  add(Image3);
  add_all(HMI_Start, hmi_help, hmi_exit, cmd_start_real, Start_Quiz, help_command, About, Command1);
  add_array(oldImage4);
  add_all(Label1, Label2, Label3, Label4, Label5, Label6, Label7, lRelease, txtTestDescription,
          test_name, author_name2, lblFeedback, lblEULALink, lblOEMGreeting);
  add_array(lblLabels);
  add_all(Image2, Image1);

  Image4[0].on_click = [this] { Image4_Click(0); };
  Image4[1].on_click = [this] { Image4_Click(1); };
  Image4[2].on_click = [this] { Image4_Click(2); };
}

void Welcome::Form_Load() {
  Trap step(sys.error_log, "Welcome form load()", "Welcome.frm");
  FormRegistry& forms = sys.forms;

  // 1. Layout values, measured from the design positions.
  step([&] {
    fixed_width = 5925;
    fixed_height = 7800;
    cover_width = 5925;
    cover_height = 7760;
    start_width = Image4[0].width;
    start_height = Image4[0].height;
    quit_height = Image4[2].height;
    start_right_margin = 5925 - (Image4[0].left + Image4[0].width);
    start_bottom_margin = 7800 - (Image4[0].top + Image4[0].height);
    quit_bottom_margin = cint(7800 - (Image4[2].top + Image4[2].height));
    fixed_layout = vbTrue;
  });
  // 2. Rescale for the screen density.
  step([&] { scale_for_dpi(*this, sys.screen); });
  // 3. The loading window.
  step([&] { center_form(forms.get<loading>()); });
  step([&] { forms.get<loading>().show(); });
  step([&] { forms.get<loading>().refresh(); });
  // 4. Program folder.
  step([&] { g.app_folder = with_trailing_slash(sys.files.program_folder()); });
  // 5. Product and bank.
  step([&] { select_product(sys); });
  // 6. Names derived from the data file.
  step([&] { g.data_file_base = replace(g.data_file, ".dat", ""); });
  step([&] { g.feedback_cc = "qc_" + g.data_file_base + "@" + kMakerMailDomain; });
  // 7. Partner file.
  read_the_partner_file(step);
  // 8. Close the score window.
  step([&] { forms.unload<finalscore>(); });
  // 9. Hide, hourglass.
  step([&] { hide(); });
  step([&] { sys.screen.mouse_pointer = vbHourglass; });
  // 10-11. Part number and record numbers.
  step([&] { g.part_number = g.product_id; });
  step([&] {
    for (int i = 1; i <= 900; ++i) g.questions[i].Number = static_cast<int16_t>(i);
  });
  // 12. Close the test window.
  step([&] { forms.unload<quest>(); });
  // 13. Away with the loading window.
  step([&] { forms.get<loading>().hide(); });
  step([&] { forms.get<loading>().unload(); });
  // 14. Product again.
  step([&] { select_product(sys); });
  // 15. The window's look.
  dress_the_window(step);
  // 16. Partner edition.
  step([&] { detect_partner_edition(sys); });
  // 17. A quarter of the bank, rounded down.
  step([&] { g.questions_to_ask = static_cast<int16_t>(g.question_count / 4); });
  // 18. Repaint, normal pointer, centre.
  step([&] { refresh(); });
  step([&] { sys.screen.mouse_pointer = vbDefault; });
  step([&] { center_form(*this); });
  // 19-21. Write probe, then the study saver or this window.
  show_after_the_write_probe(step);
}

void Welcome::read_the_partner_file(Trap& step) {
  step([&] { g.oem_mode = 0; });
  bool oem_file = false;
  step([&] { oem_file = sys.files.exists("oem.oem"); });
  if (oem_file) {
    std::vector<std::string> lines;
    step([&] { lines = read_lines(sys.files, "oem.oem"); });
    step([&] {
      if (lines.empty()) raise_error(62);
      g.edition_code = lines[0];
    });
    step([&] {
      if (lines.size() < 2) raise_error(62);
      g.oem_support_address = lines[1];
    });
    // A missing second line counts as naming another support address.
    step([&] {
      if (lines.size() < 2 || ucase(trim(lines[1])) != "VELTO") g.oem_mode = 1;
    });
  }
}

void Welcome::dress_the_window(Trap& step) {
  step([&] { Image3.picture = load_picture(sys.files, g.app_folder + g.cover_picture).path; });
  step([&] { set_width(Image3.width); });
  step([&] { set_back_color(rgb(255, 204, 0)); });
  step([&] { set_caption(""); });
  step([&] { set_height(8090); });
  step([&] {
    for (Control* c : std::initializer_list<Control*>{
             &HMI_Start,    &hmi_help,     &hmi_exit,     &oldImage4[0],   &oldImage4[1],
             &oldImage4[2], &About,        &Start_Quiz,   &cmd_start_real, &Command1,
             &help_command, &lblLabels[2], &author_name2, &test_name,      &txtTestDescription,
             &lRelease,     &Label5,       &Label2,       &Label3,         &Label1,
             &Image1})
      c->visible = false;
  });
}

// Written and removed again at every later start, beside "file.wrt".
constexpr std::string_view kProbeCopy = ".file.wrt.probe";

void Welcome::show_after_the_write_probe(Trap& step) {
  FormRegistry& forms = sys.forms;
  // 19. Write probe.
  step([&] {
    Trap inner(sys.error_log, "Welcome form load()", "Welcome.frm");
    if (sys.files.exists("file.wrt")) {
      // The probe stays as it is and no box is shown, but a folder that can no longer be
      // written (full, or made read-only since) is found now by a write beside it, and
      // logged, rather than when the first result is lost.
      inner([&] { sys.files.write_all(kProbeCopy, "TEST\r\n"); });
      skip([&] { sys.files.remove(kProbeCopy); });
      return;
    }
    inner([&] { sys.files.write_all("file.wrt", "TEST\r\n"); });
    // A full disk leaves the file made but empty: only the line written counts, and a probe
    // left unfinished goes, so the next start probes again.
    bool written = false;
    skip([&] { written = sys.files.read_all("file.wrt") == "TEST\r\n"; });
    if (!written) skip([&] { sys.files.remove("file.wrt"); });
    if (!written)
      sys.dialogs.msgbox(
          "You do not appear to have file system permissions.  Please log off and log on as "
          "administrator.",
          vbOKOnly, "File Permissions");
  });
  // 20. Study-saver mode.
  step([&] {
    if (sys.command_line.substr(0, 4) != "aaaa") return;
    g.study_saver_mode = 1;
    hide();
    forms.get<Security>().load();
    forms.get<Security>().show();
  });
  // 21. Otherwise the start window shows.
  step([&] {
    if (g.study_saver_mode != 1) set_visible(true);
  });
}

void Welcome::Form_Resize() {
  if (fixed_layout == vbTrue && !g.product_id.empty()) {
    // The product's size is chosen once the product is known.
    if (g.product_id == "46008") {
      fixed_width = 5270;
      fixed_height = 8140;
    } else {
      fixed_width = 5925;
      fixed_height = 7800;
    }
    cover_width = fixed_width;
    cover_height = cint(fixed_height);
    fixed_layout = vbFalse;
  }
  if (fixed_width <= 0 || fixed_height <= 0) return;  // not measured yet
  set_width(fixed_width);
  set_height(fixed_height);
  Image3.stretch = true;
  Image3.width = cover_width;
  Image3.height = cover_height;
  const float w = width();
  const float h = height();
  const float left_edge = (w - start_width) - start_right_margin;
  Image4[0].left = left_edge;
  Image4[2].left = cint(left_edge);
  Image4[0].top = (h - start_height) - start_bottom_margin;
  Image4[2].top = cint((h - quit_height) - quit_bottom_margin);
}

void Welcome::Image4_Click(int index) {
  skip([&] {
    if (index == 0) start_quiz_click_sub();
  });
  if (index == 2) unload_all_and_end(sys);
}

void Welcome::start_quiz_click_sub() {
  Trap step(sys.error_log, "start_quiz_click_sub()", "Welcome.frm");
  FormRegistry& forms = sys.forms;
  step([&] { forms.get<pick_a_quiz>().set_visible(false); });
  step([&] { forms.get<pick_a_quiz>().load(); });
  step([&] { center_form(forms.get<pick_a_quiz>()); });
  step([&] { forms.get<pick_a_quiz>().set_visible(true); });
  step([&] { hide(); });
}

void Welcome::Form_Unload(int&) {
  FormRegistry& forms = sys.forms;
  skip([&] { forms.unload<quest>(); });
  skip([&] { forms.unload<pick_a_quiz>(); });
  skip([&] { forms.unload<finalscore>(); });
  skip([&] { forms.unload<Exhibit>(); });
  skip([&] { forms.unload<Diagram>(); });
  skip([&] { sys.screen.mouse_pointer = vbDefault; });
  skip([&] { unload(); });
}

void Welcome::Form_Terminate() {
  unload_all_and_end(sys);
}

void unload_all_and_end(System& sys) {
  FormRegistry& forms = sys.forms;
  skip([&] { forms.unload<About1>(); });
  skip([&] { forms.unload<Diagram>(); });
  skip([&] { forms.unload<Exhibit>(); });
  skip([&] { forms.unload<finalscore>(); });
  skip([&] { forms.unload<pick_a_quiz>(); });
  skip([&] { forms.unload<quest>(); });
  skip([&] { forms.unload<Security>(); });
  skip([&] { forms.unload<theanswer>(); });
  skip([&] { forms.unload<Welcome>(); });
  end_program();
}

void return_to_menu(System& sys) {
  Welcome& welcome = sys.forms.get<Welcome>();
  welcome.set_visible(false);
  welcome.start_quiz_click_sub();
}

loading::loading(System& system) : SystemForm(system, "loading") {
  border_style = vbFixedSingle;
  control_box = false;
  min_button = false;
  max_button = false;
  // A client area of 3810 x 2205 inside a thin frame and no title bar.
  design(0, 0, 3810 + 2 * frame_width(), 2205 + 2 * frame_width());
  Label1.caption = "Please Wait,";
  Label1.move(600, 480, 2535, 495);
  Label2.caption = "Loading ......";
  Label2.move(600, 1080, 2535, 495);
  for (Label* l : {&Label1, &Label2}) {
    l->font.name = "MS Sans Serif";
    l->font.size = 18;
    l->font.bold = true;
    l->back_style = 0;
  }
  add_all(Label1, Label2);
}

}  // namespace pv
