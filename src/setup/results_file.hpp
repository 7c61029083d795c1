// The results file: one right-or-missed flag per question position, per product and user.
// The test start reads it before it selects the questions; the regular end of a test
// writes it back. Also the names of every file that carries the student's name.
#pragma once

#include <string>
#include <string_view>

namespace pv {

struct Shared;
struct System;

// The student name as the test start keeps it: upper case, "STUDENT" when it is empty or
// blank, and every character other than a blank, a digit or a capital letter replaced by
// a blank (the length in characters stays).
std::string clean_student_name(std::string_view typed);

// Names of the files in the current folder that carry the student name. Each cleans the
// name again, so no typed text can reach a path.
std::string results_file_name(const Shared& g);  // part number "." name ".results"
std::string history_file_name(const Shared& g);  // "history." product "." name ".htm"

// Writes missed_flags 1 up to the first empty entry: ' 1, 17' is entry 17 flagged "1".
// The file is replaced as a whole; when that fails the old file stays and the failure
// is logged.
void save_results_file(System& sys);
// Presets missed_flags 1 to 300 to "0", then reads the file's flags in line order
// (blank lines skipped; at most 1000 entries). A missing or damaged file ends the read
// silently with what was read so far.
void load_the_results(System& sys);

}  // namespace pv
