#include "setup/pick_a_quiz.hpp"

#include "catalogue/catalogue.hpp"
#include "core/partner.hpp"
#include "core/welcome.hpp"
#include "platform/dialogs.hpp"
#include "platform/error_log.hpp"
#include "platform/picture.hpp"
#include "platform/random.hpp"
#include "platform/vbtext.hpp"
#include "studysaver/security.hpp"

namespace pv {
namespace {

constexpr float kMinHeight = 6795;
constexpr float kMinWidth = 9780;

enum Page : int { kGeneral = 0, kAdvanced = 1, kCategories = 2, kStudySaver = 3 };

void on_page(Control& c, TabbedDialog& tabs, int page) {
  c.container = &tabs;
  c.tab_page = page;
}

void in_frame(Frame& frame, std::initializer_list<Control*> controls) {
  for (Control* c : controls) c->container = &frame;
}

}  // namespace

pick_a_quiz::pick_a_quiz(System& system) : SystemForm(system, "pick_a_quiz") {
  design(0, 0, kMinWidth, kMinHeight, "Start the QUIZ");
  place_controls();

  // Description order, the first on top: a container's contents above the container.
  for (auto& o : which_quiz) add(o);
  for (auto& l : lblELDAN_book) add(l);
  add_all(Command1, askwrong, Label6, howmany, Label1, howmanyq, VScroll2, Label5, Label2, Frame3);
  add_all(Label7, txtstudentname, cmd_reset_user_history, savesettings, Frame6);
  add_all(Velto_P_A_Q, partner_picture, Frame4);
  add_all(random_answers, random_questions, Frame2, answer_when_right, answer_when_wrong, Frame5);
  add_all(backb, scoregraph, showhowmanyanswers, chkEmbed, Label8, chkRadio, Frame7);
  add_all(timeron, timeamount, timeamountlabel, VScroll1, Frame8);
  add_all(cmdSaveSet, restore_defaults, Command2, cmd_flashcards);
  add_all(lbl_cats_to_ask, lst_cats_to_ask, lbl_Cats_not_ask, lst_cats_not_to_ask, cmd_add_cat,
          cmd_add_all_cat, cmd_remove_cat, cmd_remove_all_cat, cmd_start_cat_quiz, Label4);
  add_all(Label12, Label14, lbldisplayans, VScroll4, lbl1, lbldisplaycorr, VScroll3, Label13,
          chkRandom, cmdok, Frame14, cmdSet, Frame13);
  add_all(Frame1, SSTab1);
  add_all(menu_file, mnu_savesettings, menu_exit, mnu_history, mnu_viewtestscorehistory,
          mnu_emailtestscorehistory, mnu_resetuserhistory, mnu_testingmode, mnu_simulatormode,
          mnu_learningmode, mnu_update123, mnu_check_for_upgrade123, cmd_save_settings, menu_help,
          menu_contents, menu_about);

  // Design values (before the handlers exist, so that nothing runs).
  which_quiz[1].set_value(true);
  for (CheckBox* c : {&random_answers, &random_questions, &answer_when_wrong, &backb, &scoregraph,
                      &showhowmanyanswers, &chkRadio})
    c->set_value(1);
  VScroll1.set_value(170);
  VScroll2.set_value(1000);
  wire_handlers();
}

void pick_a_quiz::place_controls() {
  SSTab1.move(120, 120, 9495, 5655);
  SSTab1.set_tabs(4);
  SSTab1.set_tab_caption(kGeneral, "General");
  SSTab1.set_tab_caption(kAdvanced, "Advanced Options");
  SSTab1.set_tab_caption(kCategories, "Select Categories");
  SSTab1.set_tab_caption(kStudySaver, "Study Saver");
  place_general_page();
  place_advanced_page();
  place_categories_page();

  // "Study Saver": its settings are the study saver's own.
  on_page(Frame1, SSTab1, kStudySaver);
  Frame1.move(240, 480, 9015, 4935);
  place_saver_page();

  // Hidden from the start: the whole help menu.
  menu_help.visible = false;
}

void pick_a_quiz::place_general_page() {
  // "General": the tests (the third one beside the first two, whose places the load sets).
  on_page(Frame3, SSTab1, kGeneral);
  Frame3.caption = "Select a Quiz";
  Frame3.move(240, 480, 9015, 2535);
  in_frame(Frame3,
           {&which_quiz[1], &which_quiz[2], &which_quiz[3], &which_quiz[4], &which_quiz[5],
            &which_quiz[6], &lblELDAN_book[0], &lblELDAN_book[1], &lblELDAN_book[2], &Command1,
            &askwrong, &Label6, &howmany, &Label1, &howmanyq, &VScroll2, &Label5, &Label2});
  which_quiz[1].move(240, 360, 4215, 315);
  lblELDAN_book[0].move(480, 675, 3975, 495);
  which_quiz[2].move(240, 1170, 4215, 315);
  lblELDAN_book[1].move(480, 1485, 3975, 495);
  which_quiz[3].move(4680, 458, 4095, 315);
  lblELDAN_book[2].move(4920, 773, 3855, 495);
  which_quiz[4].caption = "Quiz &D";
  which_quiz[5].caption = "Ask ALL Questions";
  which_quiz[6].caption = "Final Exam";
  for (int i = 4; i <= 6; ++i) {
    which_quiz[i].move(240, 2160, 1815, 315);
    which_quiz[i].visible = false;
  }
  for (auto& l : lblELDAN_book) l.word_wrap = true;
  Label6.caption = "Total Questions:";
  Label6.move(4680, 1440, 1455, 255);
  howmany.move(6180, 1440, 855, 255);
  Command1.move(4680, 1815, 4095, 495);
  Command1.tooltip = "Starts the actual quiz";
  askwrong.caption = "Only ask qu&estions answered incorrectly last time.";
  askwrong.move(240, 2160, 4215, 255);
  askwrong.visible = false;
  Label1.caption = "Ask";
  Label1.move(2160, 2160, 375, 255);
  howmanyq.move(2580, 2160, 495, 255);
  VScroll2.move(3120, 2100, 255, 375);
  VScroll2.min = 0;
  VScroll2.max = 2000;
  Label5.caption = "&Questions";
  Label5.move(3420, 2160, 855, 255);
  Label2.caption = "OR";
  Label2.move(4320, 2160, 315, 255);
  for (Control* c :
       std::initializer_list<Control*>{&Label1, &howmanyq, &VScroll2, &Label5, &Label2})
    c->visible = false;

  // "General": the student.
  on_page(Frame6, SSTab1, kGeneral);
  Frame6.move(240, 3135, 5535, 2295);
  in_frame(Frame6, {&Label7, &txtstudentname, &cmd_reset_user_history, &savesettings});
  Label7.caption = "Enter Your Name:";
  Label7.move(240, 360, 2535, 255);
  txtstudentname.caption = "STUDENT";
  txtstudentname.tooltip = "Type your name here to keep a record of your scores";
  txtstudentname.move(240, 660, 3255, 315);
  cmd_reset_user_history.caption = "Reset &User History";
  cmd_reset_user_history.tooltip = "This will clear the students history.";
  cmd_reset_user_history.move(240, 1320, 2415, 495);
  savesettings.caption = "Sa&ve Settings";
  savesettings.tooltip = "This will remember your settings for next time.";
  savesettings.move(2775, 1320, 2415, 495);
  on_page(Frame4, SSTab1, kGeneral);
  Frame4.move(5895, 3135, 3360, 2295);
  in_frame(Frame4, {&Velto_P_A_Q, &partner_picture});
  Velto_P_A_Q.move(120, 240, 3120, 1935);
  Velto_P_A_Q.stretch = true;
  partner_picture.move(120, 240, 3120, 1935);
  partner_picture.stretch = true;
  partner_picture.visible = false;
}

void pick_a_quiz::place_advanced_page() {
  on_page(Frame2, SSTab1, kAdvanced);
  Frame2.caption = "Randomization Options";
  Frame2.move(240, 480, 2895, 1095);
  in_frame(Frame2, {&random_answers, &random_questions});
  random_answers.caption = "A&nswers";
  random_answers.tooltip = "Randomizes the order that the answers are displayed.";
  random_answers.move(240, 300, 2415, 255);
  random_questions.caption = "Q&uestions";
  random_questions.tooltip = "Randomizes the order in which the questions are asked.";
  random_questions.move(240, 660, 2415, 255);
  on_page(Frame5, SSTab1, kAdvanced);
  Frame5.caption = "Show Correct Answers When I'm";
  Frame5.move(3255, 480, 2895, 1095);
  in_frame(Frame5, {&answer_when_right, &answer_when_wrong});
  answer_when_right.caption = "&Right";
  answer_when_right.tooltip = "Displays answer and explanation when question is answered right.";
  answer_when_right.move(240, 300, 2415, 255);
  answer_when_wrong.caption = "&Wrong";
  answer_when_wrong.tooltip = "Displays answer and explanation when question is answered wrong.";
  answer_when_wrong.move(240, 660, 2415, 255);
  on_page(Frame7, SSTab1, kAdvanced);
  Frame7.caption = "Other Options";
  Frame7.move(240, 1695, 5910, 1815);
  in_frame(Frame7, {&backb, &scoregraph, &showhowmanyanswers, &chkEmbed, &Label8, &chkRadio});
  backb.caption = "Bac&k Button";
  backb.tooltip = "Allows you to review previously asked questions.";
  backb.move(240, 300, 2415, 255);
  scoregraph.caption = "L&ive Scoring";
  scoregraph.tooltip = "Shows you your percentage correct as you take the quiz.";
  scoregraph.move(240, 660, 2415, 255);
  showhowmanyanswers.caption = "Show &# of Answers";
  showhowmanyanswers.tooltip = "Tells you the number of correct answers for a question.";
  showhowmanyanswers.move(240, 1020, 2415, 255);
  chkEmbed.caption = "&Embed Media Player for Online Tutor Files";
  chkEmbed.move(240, 1380, 5415, 255);
  chkEmbed.visible = false;
  Label8.caption = "Use Radio Buttons for Single Answer Questions";
  Label8.move(2880, 300, 2175, 495);
  Label8.word_wrap = true;
  chkRadio.caption = "Yes";
  chkRadio.move(5100, 300, 735, 255);
  on_page(Frame8, SSTab1, kAdvanced);
  Frame8.caption = "Timer Options:";
  Frame8.move(6270, 480, 2985, 1455);
  in_frame(Frame8, {&timeron, &timeamount, &timeamountlabel, &VScroll1});
  timeron.caption = "&Timed Quiz";
  timeron.tooltip = "Limits the amount of time you have to take the quiz.";
  timeron.move(240, 300, 2415, 255);
  timeamount.caption = "75";
  timeamount.tooltip = "Limits the amount of time you have to take the quiz.";
  timeamount.move(240, 720, 735, 315);
  VScroll1.move(975, 720, 255, 315);
  VScroll1.min = 0;
  VScroll1.max = 199;
  timeamountlabel.caption = "min.";
  timeamountlabel.move(1320, 760, 615, 255);
  for (CommandButton* b : {&cmdSaveSet, &restore_defaults, &Command2, &cmd_flashcards})
    on_page(*b, SSTab1, kAdvanced);
  cmdSaveSet.caption = "Sa&ve Settings";
  cmdSaveSet.move(240, 3750, 2055, 495);
  restore_defaults.caption = "&Practice Mode (default)";
  restore_defaults.tooltip = "Shows full answer, allows back button and is not timed.";
  restore_defaults.move(2415, 3750, 2535, 495);
  Command2.caption = "Test &Mode";
  Command2.tooltip = "Simulates the real exam environment.";
  Command2.move(5070, 3750, 1815, 495);
  cmd_flashcards.caption = "Flash Cards";
  cmd_flashcards.move(7005, 3750, 1815, 495);
}

void pick_a_quiz::place_categories_page() {
  for (Control* c : std::initializer_list<Control*>{
           &lbl_cats_to_ask, &lst_cats_to_ask, &lbl_Cats_not_ask, &lst_cats_not_to_ask,
           &cmd_add_cat, &cmd_add_all_cat, &cmd_remove_cat, &cmd_remove_all_cat,
           &cmd_start_cat_quiz, &Label4})
    on_page(*c, SSTab1, kCategories);
  lbl_cats_to_ask.caption = "Categories to Ask:";
  lbl_cats_to_ask.move(240, 480, 3735, 255);
  lst_cats_to_ask.move(240, 780, 3735, 3375);
  lbl_Cats_not_ask.caption = "Categories NOT to Ask:";
  lbl_Cats_not_ask.move(5280, 480, 3735, 255);
  lst_cats_not_to_ask.move(5280, 780, 3735, 3375);
  for (ListBox* l : {&lst_cats_to_ask, &lst_cats_not_to_ask}) l->multi_select = 2;
  cmd_add_cat.caption = "<";
  cmd_add_cat.move(4215, 1260, 825, 375);
  cmd_add_all_cat.caption = "<<";
  cmd_add_all_cat.move(4215, 1740, 825, 375);
  cmd_remove_cat.caption = ">";
  cmd_remove_cat.move(4215, 2460, 825, 375);
  cmd_remove_all_cat.caption = ">>";
  cmd_remove_all_cat.move(4215, 2940, 825, 375);
  cmd_start_cat_quiz.caption = "Start Quiz, Asking Only Questions in Selected Categories";
  cmd_start_cat_quiz.move(240, 4320, 5295, 495);
  Label4.move(240, 4920, 8775, 495);
  Label4.word_wrap = true;
}

void pick_a_quiz::wire_handlers() {
  for (int i = which_quiz.lower; i <= which_quiz.upper; ++i)
    which_quiz[i].on_click = [this, i] { which_quiz_Click(i); };
  Command1.on_click = [this] { Command1_Click(); };
  savesettings.on_click = [this] { savesettings_Click(); };
  cmdSaveSet.on_click = [this] { cmdSaveSet_Click(); };
  mnu_savesettings.on_click = [this] { mnu_savesettings_Click(); };
  cmd_save_settings.on_click = [this] { cmd_save_settings_Click(); };
  restore_defaults.on_click = [this] { restore_defaults_Click(); };
  mnu_learningmode.on_click = [this] { mnu_learningmode_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  mnu_simulatormode.on_click = [this] { mnu_simulatormode_Click(); };
  chkRadio.on_click = [this] { chkRadio_Click(); };
  timeron.on_click = [this] { timeron_Click(); };
  VScroll1.on_change = [this] { VScroll1_Change(); };
  VScroll2.on_change = [this] { VScroll2_Change(); };
  txtstudentname.on_change = [this] { txtstudentname_Change(); };
  timeamount.on_change = [this] { timeamount_Change(); };
  cmd_add_cat.on_click = [this] { cmd_add_cat_Click(); };
  cmd_add_all_cat.on_click = [this] { cmd_add_all_cat_Click(); };
  cmd_remove_cat.on_click = [this] { cmd_remove_cat_Click(); };
  cmd_remove_all_cat.on_click = [this] { cmd_remove_all_cat_Click(); };
  lst_cats_not_to_ask.on_dbl_click = [this] { lst_cats_not_to_ask_DblClick(); };
  lst_cats_to_ask.on_dbl_click = [this] { lst_cats_to_ask_DblClick(); };
  cmd_start_cat_quiz.on_click = [this] { cmd_start_cat_quiz_Click(); };
  cmd_flashcards.on_click = [this] { cmd_flashcards_Click(); };
  menu_exit.on_click = [this] { menu_exit_Click(); };
  mnu_viewtestscorehistory.on_click = [this] { mnu_viewtestscorehistory_Click(); };
  cmd_reset_user_history.on_click = [this] { cmd_reset_user_history_Click(); };
  mnu_resetuserhistory.on_click = [this] { mnu_resetuserhistory_Click(); };
  wire_saver_handlers();
}

void pick_a_quiz::Form_Load() {
  Trap step(sys.error_log, "pick_a_quiz form load()", "pick_a_quiz.frm");
  // 1. Photo.
  step([&] { Velto_P_A_Q.picture = load_picture(sys.files, g.photo_path).path; });
  // 2. Practice until a preset says otherwise.
  step([&] { g.test_mode = vbFalse; });
  // 3. Captions of the product's tests.
  caption_the_tests(step);
  // 4. Test 1, already the selected option.
  step([&] { which_quiz_Click(1); });
  // 5. Tooltips.
  step([&] {
    for (int i = 1; i <= 3; ++i) which_quiz[i].tooltip = "Each Quiz contains 50 Questions";
  });
  // 6. The first two tests share the frame's height evenly.
  step([&] {
    const float gap = cint((Frame3.height - (which_quiz[1].height + which_quiz[2].height +
                                             lblELDAN_book[0].height + lblELDAN_book[1].height)) /
                           2);
    which_quiz[1].top = gap;
    which_quiz[2].top = which_quiz[1].top + which_quiz[1].height + lblELDAN_book[0].height;
    lblELDAN_book[0].top = which_quiz[1].top + which_quiz[1].height;
    lblELDAN_book[1].top = which_quiz[2].top + which_quiz[2].height;
  });
  // 7-8. Bank of the chosen test, and the record range.
  step([&] { select_product(sys); });
  step([&] { g.quiz_stride = 4; });
  step([&] { g.pool_size = g.question_count; });
  // 9. Menus: no history mail, no update check.
  step([&] { mnu_emailtestscorehistory.visible = false; });
  step([&] { mnu_update123.enabled = false; });
  step([&] { mnu_update123.visible = false; });
  // 10. Categories.
  step([&] {
    if (g.categories_enabled == vbFalse) SSTab1.set_tab_enabled(kCategories, false);
  });
  // 11. Run-time fields of every record.
  step([&] {
    for (int r = 1; r <= 1000; ++r) {
      QuestionRecord& q = g.questions[r];
      q.Reply.clear();
      q.Arranged = 0;
      q.State = 0;
      for (int c = 1; c <= 6; ++c) q.Choice[c] = 0;
    }
  });
  // 12-13.
  step([&] { menu_about.visible = false; });
  step([&] { sys.random.randomize(); });
  // 14. The user's settings.
  apply_settings_at_load(step);
  // 15.
  step([&] { Frame1.caption = "50 Questions per Quiz"; });
  // 16. A retake the score report asked for starts at once.
  step([&] { g.retake_mode = 0; });
  step([&] {
    if (g.retake_quiz <= 0) return;
    step([&] { g.retake_mode = 1; });
    step([&] { which_quiz[g.selected_quiz].set_value(true); });
    step([&] { askwrong.set_value(1); });
    step([&] { start_the_quiz_from_command1(); });
    step([&] { g.retake_quiz = 0; });
  });
  // 17. Product lock.
  step([&] { lock_answer_order(); });
  // 18. Partner edition.
  show_the_partner_edition(step);
}

void pick_a_quiz::caption_the_tests(Trap& step) {
  step([&] { Command1.caption = g.test_titles[1]; });
  step([&] { which_quiz[1].caption = g.test_names[1]; });
  step([&] { which_quiz[2].caption = g.test_names[2]; });
  step([&] {
    if (!g.test_names[3].empty()) {
      which_quiz[3].caption = g.test_names[3];
    } else {
      which_quiz[3].caption.clear();
      which_quiz[3].visible = false;
    }
  });
  step([&] { lblELDAN_book[0].caption = g.test_descriptions[1]; });
  step([&] { lblELDAN_book[1].caption = g.test_descriptions[2]; });
  step([&] { lblELDAN_book[2].caption = g.test_descriptions[3]; });
}

void pick_a_quiz::show_the_partner_edition(Trap& step) {
  step([&] {
    if (g.is_partner_edition != vbTrue || g.edition_code != kPicturePartner) return;
    step([&] {
      partner_picture.picture = load_picture(sys.files, g.app_folder + kPartnerPicture).path;
    });
    step([&] { partner_picture.visible = true; });
    step([&] { Velto_P_A_Q.visible = false; });
    step([&] { SSTab1.set_tab_caption(kStudySaver, kPartnerSaverCaption); });
  });
}

void pick_a_quiz::lock_answer_order() {
  if (g.product_id != "46002") return;
  random_answers.set_value(0);
  random_answers.enabled = false;
}

void pick_a_quiz::which_quiz_Click(int index) {
  switch (index) {
    case 1:
    case 2:
    case 3:
      skip([&] { Command1.caption = g.test_titles[index]; });
      skip([&] {
        Label4.caption = "Note:  Questions will be asked from the " + g.test_titles[index] + ".";
      });
      skip([&] { g.chosen_bank = static_cast<int16_t>(index); });
      skip([&] { select_product(sys); });
      skip([&] { howmany.caption = cstr(int64_t{g.question_count}); });
      skip([&] { fill_the_cats(); });
      break;
    case 4:
      skip([&] { Command1.caption = "Start Quiz -D-"; });
      skip([&] { howmanyq.caption = cstr(int64_t{g.questions_to_ask}); });
      break;
    case 5:
    case 6:
      skip([&] { Command1.caption = "Final Exam"; });
      skip([&] { howmanyq.caption = howmany.caption; });
      break;
    default:
      break;
  }
}

void pick_a_quiz::Form_Resize() {
  // The minimum size holds for the normal window; minimised or maximised it cannot be set.
  if (window_state() != vbNormal) return;
  if (height() < kMinHeight) set_height(kMinHeight);
  if (width() < kMinWidth) set_width(kMinWidth);
}

void pick_a_quiz::Form_Unload(int&) {
  skip([&] { sys.forms.unload<Welcome>(); });
}

void pick_a_quiz::Form_Terminate() {
  skip([&] { unload_all_and_end(sys); });
}

void pick_a_quiz::menu_exit_Click() {
  int answer = vbNo;
  skip([&] {
    answer =
        sys.dialogs.msgbox("Are you sure you want to exit the program?", vbYesNo, "Exit Program?");
  });
  if (answer == vbYes) end_program();
}

void pick_a_quiz::cmd_flashcards_Click() {
  skip([&] {
    sys.dialogs.msgbox(
        "Flash Cards show you ONLY the question (no possible answers, exhibits, or diagrams).  "
        "NOTE:  Some questions may not make sense in this mode, which may require the use of "
        "regular testing mode.",
        vbOKOnly, "Flash Cards");
  });
  skip([&] { sys.forms.get<Security>().show(); });
  skip([&] { unload(); });
}

}  // namespace pv
