// The router simulator program: the engine's binary started by the launcher testsim.exe
// with the task's lab name (often empty), in the folder where the engine wrote "sim.txt"
// (the task) and "sim_showme.txt" (the model transcript). It serves a console over the
// device model and, at Done, writes the [general] result the engine's checks read.
// This is its request side: the state the page draws and the events it sends, as JSON.
#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "exercises/sim.hpp"
#include "platform/filesystem.hpp"

namespace pv {

class SimProgram {
 public:
  SimProgram(std::string lab, FileSystem& files);

  // What the page draws: {"status": "ready" | "saved" | "unsaved" | "error", "message",
  // and when the task is open "task", "prompt", "screen" (the terminal's text, its tail
  // kept), "history", "edit" {"seq", "text"} (the input line after Tab or "?"), "showme"}.
  const nlohmann::json& state() const { return state_; }
  // Events of the page: {"type": "alive" | "ctrl_z" | "showme" | "reset" | "done" |
  // "close"}, or {"type": "line" | "complete" | "help", "text"}. Throws
  // std::invalid_argument for an event it cannot take.
  void handle(const nlohmann::json& events);
  // The tab fell silent or stayed idle too long: the work so far is written, as at Done.
  void finish();
  bool saved() const { return state_["status"] == "saved"; }

  // The terminal keeps this much of its text, so 10,000 commands cannot grow the page.
  static constexpr size_t kMaxScreen = 48 * 1024;

 private:
  void fail(const std::string& message);
  void one(const nlohmann::json& event);
  void print(const std::string& text);
  void reset();
  void publish_console();

  FileSystem& files_;
  std::string first_prompt_ = "Router>";
  std::string transcript_;  // shown at Show Me
  std::unique_ptr<sim::Console> console_;
  nlohmann::json state_;
};

}  // namespace pv
