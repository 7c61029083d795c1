// The setup window: the product's tests, their options and saved settings, the category
// lists and the start of a test. Its handlers live in several sources:
// pick_a_quiz.cpp (the window, its load and the test choice), pick_a_quiz_options.cpp
// (options, presets and saved settings), pick_a_quiz_categories.cpp (category lists and
// the category quiz), pick_a_quiz_start.cpp (the start of a test),
// pick_a_quiz_order.cpp (the questions a test asks, in their order),
// pick_a_quiz_history.cpp (the score history's commands) and pick_a_quiz_saver.cpp (the
// study saver's settings and its installation as the screen saver).
#pragma once

#include "core/system.hpp"

namespace pv {

class Trap;
struct OptionPreset;

class pick_a_quiz final : public SystemForm {
 public:
  explicit pick_a_quiz(System& system);

  // Window and test choice.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;
  void which_quiz_Click(int index);
  void menu_exit_Click();
  void cmd_flashcards_Click();

  // Test start.
  void Command1_Click();
  void start_the_quiz_from_command1();

  // Options, presets and saved settings.
  void savesettings_Click();
  void cmdSaveSet_Click() { savesettings_Click(); }
  void mnu_savesettings_Click() { savesettings_Click(); }
  void cmd_save_settings_Click() { savesettings_Click(); }
  void restore_defaults_Click();
  void mnu_learningmode_Click() { restore_defaults_Click(); }
  void Command2_Click();
  void mnu_simulatormode_Click() { Command2_Click(); }
  void chkRadio_Click();
  void timeron_Click();
  void VScroll1_Change();
  void VScroll2_Change();
  void txtstudentname_Change();
  void timeamount_Change();

  // History.
  void mnu_viewtestscorehistory_Click();
  void cmd_reset_user_history_Click();
  void mnu_resetuserhistory_Click() { cmd_reset_user_history_Click(); }

  // Category lists and the category quiz.
  void fill_the_cats();
  void add_the_cats();
  void remove_the_cats();
  void cmd_add_cat_Click();
  void cmd_add_all_cat_Click();
  void cmd_remove_cat_Click();
  void cmd_remove_all_cat_Click();
  void lst_cats_not_to_ask_DblClick();
  void lst_cats_to_ask_DblClick();
  void cmd_start_cat_quiz_Click();

  // The study saver's settings and installation.
  void VScroll4_Change();
  void VScroll3_Change();
  void cmdok_Click();
  void cmdSet_Click();
  void Label12_Click() { cmdSet_Click(); }
  void Label12_MouseMove();
  void Frame13_MouseMove();

  // Controls, in the order of the window's description (the first on top).
  TabbedDialog SSTab1{"SSTab1"};

  // Page "General": the tests.
  Frame Frame3{"Frame3"};
  ControlArray<OptionButton, 1, 6> which_quiz{"which_quiz"};
  ControlArray<Label, 0, 2> lblELDAN_book{"lblELDAN_book"};
  CommandButton Command1{"Command1"};
  CheckBox askwrong{"askwrong"};
  Label Label6{"Label6"}, howmany{"howmany"};
  Label Label1{"Label1"}, howmanyq{"howmanyq"};
  ScrollBar VScroll2{"VScroll2", true};
  Label Label5{"Label5"}, Label2{"Label2"};
  // Page "General": the student.
  Frame Frame6{"Frame6"};
  Label Label7{"Label7"};
  TextBox txtstudentname{"txtstudentname"};
  CommandButton cmd_reset_user_history{"cmd_reset_user_history"}, savesettings{"savesettings"};
  Frame Frame4{"Frame4"};
  Image Velto_P_A_Q{"Velto_P_A_Q"}, partner_picture{"partner_picture"};

  // Page "Advanced Options".
  Frame Frame2{"Frame2"};
  CheckBox random_answers{"random_answers"}, random_questions{"random_questions"};
  Frame Frame5{"Frame5"};
  CheckBox answer_when_right{"answer_when_right"}, answer_when_wrong{"answer_when_wrong"};
  Frame Frame7{"Frame7"};
  CheckBox backb{"backb"}, scoregraph{"scoregraph"}, showhowmanyanswers{"showhowmanyanswers"},
      chkEmbed{"chkEmbed"};
  Label Label8{"Label8"};
  CheckBox chkRadio{"chkRadio"};
  Frame Frame8{"Frame8"};
  CheckBox timeron{"timeron"};
  TextBox timeamount{"timeamount"};
  Label timeamountlabel{"timeamountlabel"};
  ScrollBar VScroll1{"VScroll1", true};
  CommandButton cmdSaveSet{"cmdSaveSet"}, restore_defaults{"restore_defaults"},
      Command2{"Command2"}, cmd_flashcards{"cmd_flashcards"};

  // Page "Select Categories".
  Label lbl_cats_to_ask{"lbl_cats_to_ask"};
  ListBox lst_cats_to_ask{"lst_cats_to_ask"};
  Label lbl_Cats_not_ask{"lbl_Cats_not_ask"};
  ListBox lst_cats_not_to_ask{"lst_cats_not_to_ask"};
  CommandButton cmd_add_cat{"cmd_add_cat"}, cmd_add_all_cat{"cmd_add_all_cat"},
      cmd_remove_cat{"cmd_remove_cat"}, cmd_remove_all_cat{"cmd_remove_all_cat"},
      cmd_start_cat_quiz{"cmd_start_cat_quiz"};
  Label Label4{"Label4"};

  // Page "Study Saver".
  Frame Frame1{"Frame1"};
  Frame Frame13{"Frame13"};
  Label Label12{"Label12"}, Label14{"Label14"};
  Label lbldisplayans{"lbldisplayans"};
  ScrollBar VScroll4{"VScroll4", true};
  Label lbl1{"lbl1"};
  Label lbldisplaycorr{"lbldisplaycorr"};
  ScrollBar VScroll3{"VScroll3", true};
  Label Label13{"Label13"};
  CheckBox chkRandom{"chkRandom"};
  Frame Frame14{"Frame14"};
  CommandButton cmdok{"cmdok"}, cmdSet{"cmdSet"};

  // Menus.
  Menu menu_file{"menu_file", "&File"};
  Menu mnu_savesettings{"mnu_savesettings", "Save Settings", &menu_file};
  Menu menu_exit{"menu_exit", "E&xit Program", &menu_file};
  Menu mnu_history{"mnu_history", "Histor&y"};
  Menu mnu_viewtestscorehistory{"mnu_viewtestscorehistory", "View Test Score History",
                                &mnu_history};
  Menu mnu_emailtestscorehistory{"mnu_emailtestscorehistory", "Email Test Score History",
                                 &mnu_history};
  Menu mnu_resetuserhistory{"mnu_resetuserhistory", "Reset User History", &mnu_history};
  Menu mnu_testingmode{"mnu_testingmode", "Testing M&ode"};
  Menu mnu_simulatormode{"mnu_simulatormode", "Test Mode", &mnu_testingmode};
  Menu mnu_learningmode{"mnu_learningmode", "Practice (default)", &mnu_testingmode};
  Menu mnu_update123{"mnu_update123", "&Update"};
  Menu mnu_check_for_upgrade123{"mnu_check_for_upgrade123", "Check for Upgrade", &mnu_update123};
  Menu cmd_save_settings{"cmd_save_settings", "&Save Settings"};
  Menu menu_help{"menu_help", "&Help"};
  Menu menu_contents{"menu_contents", "&Contents", &menu_help};
  Menu menu_about{"menu_about", "&About", &menu_help};

 private:
  // The settings read at load, in their order; each failing statement is logged by the
  // load's trap.
  void apply_settings_at_load(Trap& step);
  // The captions and descriptions of the product's tests; a third test without a name is
  // hidden.
  void caption_the_tests(Trap& step);
  // The partner's picture and study-saver caption, in a partner edition that has them.
  void show_the_partner_edition(Trap& step);
  void apply_preset(const OptionPreset& preset);
  // One product never shuffles its answers: its answer-order box is cleared and locked.
  void lock_answer_order();
  // The steps of the test start.
  void take_the_timing_and_the_student();
  void take_the_chosen_test();
  // False when a retake found nothing to ask and the setup window is back.
  bool order_the_questions(bool shuffle_questions);
  bool choose_the_questions(int& saved_wrong, int& shuffle_range);
  int16_t questions_of_the_chosen_categories();
  int16_t questions_missed_last_time();
  void back_with_nothing_to_retake();
  void place_controls();
  // The controls of the tab pages: "General", "Advanced Options" and "Select Categories".
  void place_general_page();
  void place_advanced_page();
  void place_categories_page();
  void place_saver_page();
  void wire_handlers();
  void wire_saver_handlers();
  // One step of a study-saver spinner: the number in `label` follows the bar's movement.
  void spin(Label& label, const ScrollBar& bar, int16_t& last_value);

  // The last value seen of each study-saver spinner, and the number being changed.
  int16_t answer_bar_last_ = 0;
  int16_t correct_bar_last_ = 0;
  int16_t spinner_number_ = 0;
};

// The screen-saver file the installation hands to the system.
inline constexpr const char* kSaverFile = "pelma_books_study_saver.scr";

}  // namespace pv
