// The history commands of the setup window: view the score history, and clear it together
// with the results file.
#include "core/documents.hpp"
#include "core/program_name.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "setup/pick_a_quiz.hpp"
#include "setup/results_file.hpp"

namespace pv {
namespace {

// Deletes the file; true when it is gone afterwards (a missing file counts as deleted).
bool remove_file(FileSystem& files, const std::string& name) {
  try {
    if (files.exists(name)) files.remove(name);
  } catch (const RuntimeError&) {
  }
  return !files.exists(name);
}

}  // namespace

void pick_a_quiz::mnu_viewtestscorehistory_Click() {
  skip([&] {
    const std::string name = history_file_name(g);
    if (sys.files.exists(name)) {
      shell_open(sys, *this, name, 3);
      return;
    }
    sys.dialogs.msgbox("No history found for user " + g.student_name +
                       ".  Please take a quiz first and try again.");
  });
}

void pick_a_quiz::cmd_reset_user_history_Click() {
  int answer = vbYes;
  skip([&] {
    answer = sys.dialogs.msgbox(
        "Are you sure you want to clear all history for user " + g.student_name + "?", vbYesNo,
        "Clear History?");
  });
  if (answer != vbYes) {
    skip([&] { sys.dialogs.msgbox("History NOT cleared."); });
    return;
  }
  // Both files go; "temp.hist" stays.
  const bool results_gone = remove_file(sys.files, results_file_name(g));
  const bool history_gone = remove_file(sys.files, history_file_name(g));
  skip([&] { load_the_results(sys); });
  skip([&] {
    if (results_gone && history_gone)
      sys.dialogs.msgbox(g.student_name + " history has been cleared.");
    else
      sys.dialogs.msgbox("History could not be cleared.", vbOKOnly, kProgramTitle);
  });
}

}  // namespace pv
