// The drag-and-drop program: the engine's binary started by the launcher pbDragnDrop.exe
// with the argument "<product>Q<n>". It shows that exercise in a page of its own and, at
// Done, grades the learner's placement and writes the result file the engine grades.
// This is its request side: the state the page draws and the events it sends, as JSON.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank_table.hpp"
#include "platform/filesystem.hpp"

namespace pv {

class ExerciseProgram {
 public:
  // `argument` as the engine passes it ("46000Q7").
  ExerciseProgram(std::string argument, FileSystem& files);

  // What the page draws: {"status": "ready" | "saved" | "error", "message", and for an
  // exercise "instruction", "kind" ("match" or "order"), "items" and "targets"}.
  const nlohmann::json& state() const { return state_; }
  // Events of the page: {"type": "alive"}, or {"type": "done", "placement": [...]} (per
  // item, the target's index or -1; for an order exercise the items' indices in order).
  // Throws std::invalid_argument for an event it cannot take.
  void handle(const nlohmann::json& events);
  // Whether a result was written. It goes to "out.ini" in the program folder or, when that
  // cannot be written (an installed program), in the current folder, where the engine
  // reads when the program folder holds none.
  bool saved() const { return state_["status"] == "saved"; }

 private:
  void fail(const std::string& message);
  void done(const nlohmann::json& placement);

  FileSystem& files_;
  const banks::DndExercise* exercise_ = nullptr;
  nlohmann::json state_;
};

// Markup as plain text: line breaks kept, other markup dropped.
std::string plain_text(const std::string& html);
// The text without its sentences that send the learner to the test window's `button`
// ("Click Launch Drag and Drop to open the exercise."): in the program the exercise is open.
std::string without_launch_sentences(std::string text, std::string_view button);
// Writes a result file "out.ini" in the program folder or, when that cannot be written (an
// installed program), in the current folder; false and the last error when neither can.
bool write_result(FileSystem& files, std::string_view content, std::string& error);
// A program's state as its page reads it. Text that is not UTF-8 (a task file saved in
// another encoding, a long line cut inside a character) shows replacement marks instead
// of failing the whole answer.
std::string state_text(const nlohmann::json& state);

// The exercise with its question text: nullptr and a message for the learner when the
// argument names none.
const banks::DndExercise* exercise_named(const std::string& argument, std::string& question,
                                         std::string& message);

}  // namespace pv
