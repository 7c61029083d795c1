// The launch buttons: the exercise programs that drag-and-drop and simulator tasks are
// solved in. Their verdicts come back through INI files at the next Next.
#include "platform/error_log.hpp"
#include "platform/filesystem.hpp"
#include "platform/shell.hpp"
#include "platform/vbtext.hpp"
#include "testrun/exercises.hpp"
#include "testrun/quest.hpp"

namespace pv {
namespace {

constexpr int kNormalFocus = 1;

}  // namespace

void quest::launch_sim() {
  const std::string& marker = g.current_question.DiagramFile[1];
  if (marker == "xxxdnd") return launch_dnd();
  if (marker == "xxxmssim") return launch_MSsim();
  if (marker == "xxxmssim2") return launch_MSsim2();
  // The router simulator loads its lab; a lab given as a text file starts nothing.
  const std::string& lab = g.current_question.ExhibitFile[2];
  if (ucase(lab).find(".TXT") != std::string::npos) return;
  skip([&] {
    const std::string folder = with_trailing_slash(sys.files.program_folder());
    const ExerciseCommand command = exercise_command(folder, kRouterSimulatorProgram, trim(lab));
    sys.shell.start(command.argv, kNormalFocus);
  });
}

void quest::launch_exercise(const char* program, const char* procedure) {
  Trap step(sys.error_log, procedure, "quest3.frm");
  std::string argument;
  step([&] { argument = exercise_argument(g.product_id, g.current_question.Answer[1]); });
  step([&] {
    const ExerciseCommand command = exercise_command(g.app_folder, program, argument);
    sys.shell.start(command.argv, kNormalFocus);
  });
}

void quest::launch_dnd() {
  launch_exercise(kDragAndDropProgram, "launch_dnd()");
}

void quest::launch_MSsim() {
  launch_exercise(kDialogSimulatorProgram, "launch_MSsim()");
}

void quest::launch_MSsim2() {
  launch_exercise(kSecondDragAndDropProgram, "launch_MSsim2()");
}

}  // namespace pv
