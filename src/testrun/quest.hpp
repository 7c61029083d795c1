// The test window: the question page in its browser control, the score panel at the right,
// the status line and the buttons below, the time limit and the menus. Its handlers live
// in several sources: quest.cpp (the window, its layout, load and life cycle),
// quest_menus.cpp (the menus), quest_present.cpp (presenting a question and writing its
// page), quest_answers.cpp (Next, Back and the reading of the page), quest_grading.cpp
// (grading and the live score), quest_explanation.cpp (the explanation of a question),
// quest_exercises.cpp (the exercise programs), quest_viewers.cpp (the diagram and exhibit
// viewers and the chapter review) and quest_end.cpp (the end of the test and
// the time limit).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/system.hpp"
#include "platform/web_browser.hpp"

namespace pv {

class Trap;

class quest final : public SystemForm {
 public:
  explicit quest(System& system);

  // Window.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_KeyDown(int& key_code, int shift) override;
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;

  // Presentation and the page.
  void show_quest();
  void set_wow_question_html(const std::string& Htm7);
  void HTML_Click(const std::string& whichClicked);
  // A window procedure called by name, as the page's click hooks call it.
  void call_by_name(const std::string& method, std::string& arg);

  // Next, Back and the launch buttons.
  void cmd_buttons_Click(int Index);
  void grade_and_next();
  void go_back();

  // Grading and the live score.
  void check_answer();
  void calculate_score();
  void count_category_questions();
  // Composes the explanation of questions(current_record) and shows it modally in the
  // explanation window, or prints it from there while print_explanation is 99.
  void show_answer();

  // The diagram and exhibit viewers and the chapter review.
  void diagrambutton_Click(int Index);
  void exhibitbutton_Click(int Index);
  void Command1_Click();

  // Exercise programs.
  void launch_sim();
  void launch_dnd();
  void launch_MSsim();
  void launch_MSsim2();

  // End of the test and the time limit.
  void end_the_test();
  void menu_quittest_Click();
  void Timer1_Timer();

  // Menus.
  void menu_printquestion_Click();
  void menu_exit_Click();
  void menufont_Click(int Index);
  void menusize_Click(int Index);
  void mnuSavefont_Click();
  void menu_showwrong_Click();
  void menu_showright_Click();
  void menu_shownumanswer_Click();
  void menu_backbutton_Click();
  void mnu_answer_at_top_Click();
  void mnu_answer_at_bottom_Click();
  void menu_about_Click();

  // Controls, in the order of the window's description (the first on top).
  WebBrowser WebBrowser1{"WebBrowser1"};
  PictureBox the_gauge{"the_gauge"};
  PictureBox Gauge1{"Gauge1"};
  Label Label3{"Label3"}, question_number{"question_number"}, Label4{"Label4"}, qid{"qid"},
      Label2{"Label2"}, score{"score"}, Percent_Right{"Percent_Right"}, lbltimeleft{"lbltimeleft"},
      lbltime{"lbltime"};
  Frame Frame1{"Frame1"};
  Label whatdoin{"whatdoin"};
  ControlArray<CommandButton, 0, 3> cmd_buttons{"cmd_buttons"};
  ControlArray<CommandButton, 0, 2> exhibitbutton{"exhibitbutton"};
  ControlArray<CommandButton, 0, 2> diagrambutton{"diagrambutton"};
  CommandButton Command1{"Command1"}, cluebutton{"cluebutton"}, cmdtutor{"cmdtutor"};
  Frame Frame2{"Frame2"};
  Timer Timer1{"Timer1"};

  // Menus.
  Menu menu_file{"menu_file", "F&ile"};
  Menu menu_printquestion{"menu_printquestion", "&Print Question", &menu_file};
  Menu menu_quittest{"menu_quittest", "&End and Grade This Quiz", &menu_file};
  Menu menu_exit{"menu_exit", "E&xit Program", &menu_file};
  Menu menu_format{"menu_format", "For&mat Font"};
  std::array<Menu, 2> menufont{Menu("menufont", "Times New Roman", &menu_format, 1),
                               Menu("menufont", "Arial", &menu_format, 2)};
  Menu menu_format_bar{"menu_format_bar", "-", &menu_format};
  std::array<Menu, 6> menusize{
      Menu("menusize", "Size 8", &menu_format, 1),  Menu("menusize", "Size 10", &menu_format, 2),
      Menu("menusize", "Size 12", &menu_format, 3), Menu("menusize", "Size 14", &menu_format, 4),
      Menu("menusize", "Size 18", &menu_format, 5), Menu("menusize", "Size 20", &menu_format, 6)};
  Menu menu_options{"menu_options", "&Options"};
  Menu mnuSavefont{"mnuSavefont", "Save Current Font Settings", &menu_options};
  Menu menu_showwrong{"menu_showwrong", "Show Answer when Wrong", &menu_options};
  Menu menu_showright{"menu_showright", "Show Answer when Right", &menu_options};
  Menu menu_shownumanswer{"menu_shownumanswer", "Show # of Answers", &menu_options};
  Menu menu_backbutton{"menu_backbutton", "Back Button", &menu_options};
  Menu mnuEmbed{"mnuEmbed", "Embed Media Player (for online tutor)", &menu_options};
  Menu mnu_answer_position{"mnu_answer_position", "When Showing Answer", &menu_options};
  Menu mnu_answer_at_top{"mnu_answer_at_top", "Put Correct Answer near top", &mnu_answer_position};
  Menu mnu_answer_at_bottom{"mnu_answer_at_bottom", "Put Correct Answer near bottom",
                            &mnu_answer_position};
  Menu menu_help{"menu_help", "&Help"};
  Menu menu_about{"menu_about", "&About", &menu_help};

  // Layout anchors taken at load.
  float bottom_panel_offset = 0;  // window height less the top of Frame2
  float browser_offset = 0;       // window height less the height of WebBrowser1
  float panel_width = 0;          // width of Frame1

  // -1 unless the question on screen has more than one correct answer.
  int16_t one_correct_answer = vbTrue;

 private:
  void place_controls();
  void wire_handlers();
  // The page's marks into the record of the question on screen (Next and Back alike).
  void read_page();
  // A page field of the form "frm": nothing when the page has no such field.
  std::optional<bool> field_checked(const std::string& name, int index) const;
  std::optional<std::string> field_value(const std::string& name) const;
  // The steps of show_quest after the counter has passed the checks.
  void present_record(Trap& step);
  void prepare_exercise(Trap& step);
  void show_extra_buttons(Trap& step);
  void write_page(Trap& step);
  void hook_exhibit_links();
  // The explanation, a page wait or the time limit may close this window while one of its
  // handlers waits: what comes after must not touch a closed window.
  bool closed() const { return state() != FormState::Loaded; }
  void launch_exercise(const char* program, const char* procedure);
  void show_score_report();

  // A presentation or a grading is running: the buttons and menus that would present
  // again ignore a click meanwhile, so that no question is skipped and no page graded
  // twice.
  bool presenting_ = false;
  // Holds presenting_ for the length of a scope.
  class Presenting {
   public:
    explicit Presenting(quest& w) : flag_(w.presenting_), before_(flag_) { flag_ = true; }
    ~Presenting() { flag_ = before_; }
    Presenting(const Presenting&) = delete;
    Presenting& operator=(const Presenting&) = delete;

   private:
    bool& flag_;
    bool before_;
  };
};

// The status line: the running test's title (none for the slots 0 and 6), " -   " and the
// product's title; nothing for a test number outside those slots.
std::optional<std::string> status_line(const Shared& g);

// The sizes of the size entries "Size 8" .. "Size 20".
inline constexpr std::array<int16_t, 6> kFontSizes = {8, 10, 12, 14, 18, 20};

}  // namespace pv
