// The system's global state: the question table, the bank and product globals, the test
// state and the options, in one struct owned by the Program and reachable from every
// window. Names are the system's own; counts and flags are 16-bit, and every array keeps
// its documented bounds (an index outside them raises error 9).
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.hpp"
#include "platform/vbarray.hpp"

namespace pv {

// On-values of the flags.
inline constexpr int16_t vbTrue = -1;
inline constexpr int16_t vbFalse = 0;

struct QuestionRecord {
  std::string Question;
  VbArray<std::string, 0, 6> Answer;
  VbArray<int16_t, 0, 6> Correct;
  std::string Explanation;
  std::string Type;
  VbArray<std::string, 0, 3> DiagramFile;
  VbArray<std::string, 0, 3> ExhibitFile;
  int16_t Number = 0;
  std::string Clue;
  std::string Reference;
  int16_t State = 0;
  VbArray<int16_t, 0, 6> Choice;
  std::string Reply;
  int16_t Arranged = 0;
  int16_t Category = 0;
  std::string TutorVideo;

  bool operator==(const QuestionRecord&) const = default;
};

struct Shared {
  // Question table and bank globals.
  VbArray<QuestionRecord, 0, 1000> questions;
  QuestionRecord current_question;
  int16_t question_count = 0;
  VbArray<std::string, 0, 150> category_names;
  int16_t category_count = 0;
  int16_t categories_enabled = vbFalse;

  // Product identity and files.
  std::string product_id;
  std::string part_number;
  std::string product_title;
  std::string test_title;
  std::string product_version;
  std::string test_description;
  std::string feedback_address;
  std::string feedback_cc;
  std::string app_folder;
  std::string data_file;
  std::string data_file_base;
  std::string media_folder;
  std::string book_pdf_name;
  std::string book_pdf_path;
  VbArray<std::string, 0, 5> book_pdf_paths;
  std::string cover_picture;
  std::string photo_path;
  std::string program_file;
  VbArray<std::string, 0, 5> test_names;
  VbArray<std::string, 0, 5> test_descriptions;
  VbArray<std::string, 0, 5> test_titles;

  // Start mode and edition.
  int16_t study_saver_mode = 0;
  std::string edition_code;
  int16_t is_partner_edition = vbFalse;
  int16_t oem_mode = 0;
  std::string oem_support_address;

  // Window utilities.
  std::string close_title;

  // Test state.
  int16_t chosen_bank = 0;
  int16_t selected_quiz = 0;
  int16_t questions_to_ask = 0;
  int16_t pool_size = 0;
  VbArray<int16_t, 0, 1000> question_order;
  int16_t quiz_stride = 1;
  int16_t quiz_offset = 0;
  int16_t current_record = 0;
  int16_t question_counter = 0;
  int16_t right_count = 0;
  VbArray<std::string, 0, 1000> missed_flags;
  VbArray<int16_t, 0, 1000> missed_now;
  int16_t missed_now_count = 0;
  VbArray<int16_t, 0, 150> category_asked;
  VbArray<int16_t, 0, 150> category_right;
  VbArray<int16_t, 0, 150> category_chosen;
  int16_t category_quiz = vbFalse;
  int16_t retake_mode = 0;
  int16_t retake_quiz = 0;
  int16_t retake_bank = 0;
  int16_t count_bar_position = 0;  // last position of the setup window's count bar
  std::string student_name;
  int16_t timed_test = 0;
  int16_t time_limit = 0;  // minutes; see time_limit_seconds
  DateTime start_time;
  // The start on the monotonic clock: a change of the system clock never moves the expiry.
  int64_t start_ms = 0;

  // Options.
  int16_t use_radio_buttons = vbFalse;
  int16_t test_mode = vbFalse;
  int16_t shuffle_answers = 0;
  int16_t show_answer_right = 0;
  int16_t show_answer_wrong = 0;
  int16_t show_num_answers = 0;
  int16_t back_button_on = 0;
  int16_t live_scoring = 0;
  int16_t embed_tutor = 0;
  int16_t page_font_size = 0;
  std::string page_font_name;
  std::string answer_position;  // "top" or "bottom"
  std::string mail_type;        // "outlook" or "web"

  // The question on screen, as the test window presents and grades it.
  std::string widget_kind;  // "Radio_Button", "Check_Box", "Fill_In", "Drag_Drop", ...
  int16_t answer_count = 0;
  int16_t correct_count = 0;
  VbArray<std::string, 0, 6> answer_labels;
  int16_t answer_submitted = vbFalse;
  int16_t answer_verdict = 0;  // 1 right, 99 wrong
  VbArray<std::string, 0, 1000> chosen_letters;
  std::string review_page;
  int16_t print_explanation = 0;  // 99: print the explanation instead of showing it
  std::string explanation_web_link;

  // The page display of the test and explanation windows.
  std::string page_head;
  int16_t page_loaded = vbFalse;
  int16_t question_browser_primed = 0;  // 123 once the blank page was loaded
};

// The time limit in seconds, counted in 32 bits: a 16-bit count would overflow above
// 546 minutes and make a long test expire at its first tick.
inline int32_t time_limit_seconds(const Shared& g) {
  return int32_t{g.time_limit} * 60;
}

}  // namespace pv
