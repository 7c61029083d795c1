// The start window: the product's cover with its Start and Quit picture buttons. Its load
// handler is the whole start-up sequence.
#pragma once

#include "core/system.hpp"

namespace pv {

class Trap;

class Welcome final : public SystemForm {
 public:
  explicit Welcome(System& system);

  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;
  void Image4_Click(int index);
  // Opens the setup window and hides this one.
  void start_quiz_click_sub();

  // Controls, in the order of the window's description (the first on top).
  ControlArray<PictureBox, 0, 2> Image4{"Image4"};
  Label Label8{"Label8"};
  Image Image3{"Image3"};
  PictureBox HMI_Start{"HMI_Start"}, hmi_help{"hmi_help"}, hmi_exit{"hmi_exit"};
  CommandButton cmd_start_real{"cmd_start_real"}, Start_Quiz{"Start_Quiz"},
      help_command{"help_command"}, About{"About"}, Command1{"Command1"};
  ControlArray<Image, 0, 2> oldImage4{"oldImage4"};
  Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"}, Label4{"Label4"}, Label5{"Label5"},
      Label6{"Label6"}, Label7{"Label7"}, lRelease{"lRelease"},
      txtTestDescription{"txtTestDescription"}, test_name{"test_name"},
      author_name2{"author_name2"}, lblFeedback{"lblFeedback"}, lblEULALink{"lblEULALink"},
      lblOEMGreeting{"lblOEMGreeting"};
  ControlArray<Label, 0, 2> lblLabels{"lblLabels"};
  Image Image2{"Image2"}, Image1{"Image1"};

  // Layout fields measured by the start-up and read by the resize rule.
  int16_t fixed_layout = vbFalse;
  float fixed_width = 0, fixed_height = 0, cover_width = 0;
  int16_t cover_height = 0;
  float start_width = 0, start_height = 0, quit_height = 0;
  float start_right_margin = 0, start_bottom_margin = 0;
  int16_t quit_bottom_margin = 0;

 private:
  // Groups of the load's steps; each failing statement is logged by the load's trap.
  void read_the_partner_file(Trap& step);
  void dress_the_window(Trap& step);
  void show_after_the_write_probe(Trap& step);
};

// The "loading" window shown during the start-up: no code of its own.
class loading final : public SystemForm {
 public:
  explicit loading(System& system);
  Label Label1{"Label1"}, Label2{"Label2"};
};

// Procedures that name every window, kept beside the start window that may include them.
// Unloads every window (failures skipped) and ends the program. Never returns.
[[noreturn]] void unload_all_and_end(System& sys);
// Hides the start window and opens the setup window through start_quiz_click_sub.
void return_to_menu(System& sys);

// Pictures built into the program, kept in the program folder.
inline constexpr const char* kStartButtonPicture = "builtin/start_button.png";
inline constexpr const char* kQuitButtonPicture = "builtin/quit_button.png";
inline constexpr const char* kDefaultCoverPicture = "builtin/default_cover.png";
inline constexpr const char* kButtonCursor = "builtin/button_cursor.png";

}  // namespace pv
