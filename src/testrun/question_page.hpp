// The question page: the head text from "q_bottom.ini" and the page body for the question
// on screen, with the form fields that Next and Back read back ("radio1", "ans1".."ans6",
// "txt_fill" in the form "frm" that the head opens).
#pragma once

#include <cstdint>
#include <string>

namespace pv {

struct QuestionRecord;
struct Shared;
struct System;

// Every line of "q_bottom.ini" in the program folder, each after CR LF. Raises when the
// file cannot be read.
std::string read_q_bottom(System& sys);
// What read_q_bottom gives for the shipped "q_bottom.ini": the head written when the file
// is missing, so that the page still has its form.
std::string built_in_q_bottom();

// The page body for `q` (the caller passes current_question). Puts the media folder in
// front of the first picture of the question and of each answer, and corrects a font
// size below 1 to 12.
std::string build_question_html(Shared& g, QuestionRecord& q);
// The spacer row above the question: the page has no tabs, whatever the number.
std::string build_tab_row(int16_t tab);
std::string media_file_path(const Shared& g, const std::string& name);
// The first "<img src" of a text gets the media folder after the quote that follows it.
void prefix_first_picture(const Shared& g, std::string& text);
// The style block that opens a page: the font size and name of the pages.
std::string style_block(const Shared& g);
// The online tutor's links for a video's address: the embedded player or a plain link.
std::string tutor_links(const Shared& g, const std::string& address);

// Where the online tutor videos are served from, and where the media player is offered.
inline constexpr const char* kTutorServer = "https://media.pelmabooks.example";
inline constexpr const char* kMediaPlayerPage = "https://www.pelmabooks.example/mediaplayer.html";

}  // namespace pv
