// The command lines of the exercise programs. Each is kept as the text the programs have
// always been given (for the log and the tests) and started as an argument vector: no
// command shell ever sees a lab name or an exercise number.
#pragma once

#include <string>
#include <vector>

namespace pv {

struct ExerciseCommand {
  std::string text;
  std::vector<std::string> argv;
};

// A program in `folder` (which ends in "/") with its argument: the text joins them with
// the blanks the program part ends in.
ExerciseCommand exercise_command(const std::string& folder, const std::string& program_part,
                                 const std::string& argument);
// The exercise number argument: product code, "Q" and the number, trimmed as a whole.
std::string exercise_argument(const std::string& product_id, const std::string& number);

// The program parts, each ending in the blanks of its command line.
inline constexpr const char* kDragAndDropProgram = "pbDragnDrop.exe  ";
inline constexpr const char* kDialogSimulatorProgram = "Sims/dlgsim.exe  ";
inline constexpr const char* kSecondDragAndDropProgram = "Sims/dnd5.exe  ";
inline constexpr const char* kRouterSimulatorProgram = "testsim.exe ";

}  // namespace pv
