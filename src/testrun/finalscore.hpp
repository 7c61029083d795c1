// The score report that closes every test: the score and its bar, the verdict, the
// per-category results, the review list and the diagnostic "testing.log", all made by its
// load; then the review of single questions, the retake of the questions just missed, the
// way back to the menu and the history. Its sources: finalscore.cpp (the window, its load
// and its buttons) and finalscore_history.cpp (the history entry).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/system.hpp"

namespace pv {

class finalscore final : public SystemForm {
 public:
  explicit finalscore(System& system);

  void Form_Load() override;
  void Form_Resize() override;
  void Form_Terminate() override;

  // Refills the review list by the filter of whichq and counts the missed questions.
  void calc_list();
  // Adds this test's entry on top of the user's score history.
  void save_history();

  void List1_DblClick();
  void whichq_Click(int Index);
  void cmd_retake_Click();
  // "&Quit to Menu".
  void Command1_Click();
  // "View or Print Test Details".
  void Command2_Click();

  // Controls, in the order of the window's description (the first on top).
  Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"};
  Label rig{"rig"}, tot{"tot"}, per{"per"};
  PictureBox total_score{"total_score"};
  PictureBox right_score{"right_score"};
  Label Label4{"Label4"};
  ListBox list_cat{"list_cat"};
  ListBox List1{"List1"};
  Label Label5{"Label5"};
  ControlArray<OptionButton, 0, 2> whichq{"whichq"};
  CommandButton cmd_retake{"cmd_retake"};
  CommandButton Command1{"Command1"};
  CommandButton Command2{"Command2"};
  Image Image1{"Image1"};

  // The size the window keeps (twips), set by every load.
  float held_width = 0;
  float held_height = 0;
  // One entry per listed category: its padded score text and its name; the rows of the
  // history entry's category table.
  std::vector<std::string> module_scores;
  std::vector<std::string> module_names;
  // The test's questions graded wrong, counted by calc_list.
  int16_t missed_count = 0;

 private:
  void place_controls();
  void show_score();
  void list_categories();
  void list_missed_questions();
  void show_selected_answer();
  // Record of the k-th question of the test.
  int32_t record_of(int k) const;
  // The three sections of "testing.log".
  void log_categories_and_states();
  void log_missed_questions();
  void log_correct_questions();
};

// The overall score in whole percent, rounded down; none for a test of no questions.
bool score_percent(int32_t right, int32_t asked, int32_t& percent);
// A category's score text: the lead that lines up the "%" signs, then ' 85% (17/20)'.
std::string category_score_text(int16_t right, int16_t asked);

// One entry of the score history: the test's title, score, date and score bar, and the
// category table when the report listed categories.
std::string history_entry(const Shared& g, int32_t percent, const DateTime& when,
                          const std::vector<std::string>& scores,
                          const std::vector<std::string>& names);

// The file of the last test's per-category and per-question log, in the current folder.
inline constexpr const char* kTestingLog = "testing.log";
// The copy of the history as it was before the latest entry, in the current folder.
inline constexpr const char* kHistoryCopy = "temp.hist";
// The background picture of the report, in the program folder.
inline constexpr const char* kReportBackground = "builtin/report_background.png";

}  // namespace pv
