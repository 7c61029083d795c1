#include "app/sim_program.hpp"

#include <algorithm>
#include <array>
#include <regex>
#include <stdexcept>
#include <string_view>

#include "app/exercise_program.hpp"
#include "platform/errors.hpp"

namespace pv {
namespace {

// The labs the banks' tasks name; a task without one starts the device its transcript shows.
constexpr std::array<std::string_view, 8> kLabs = {"",        "2950",     "3550", "basic_frame",
                                                   "basicip", "bgproute", "noip", "zum"};
// A task or transcript larger than this is no file the engine wrote.
constexpr size_t kMaxFile = 256 * 1024;
// A paste of many lines is typed line by line, up to this many.
constexpr size_t kMaxPastedLines = 1000;

bool switch_lab(std::string_view lab) {
  return lab == "2950" || lab == "3550";
}

// The file's text with its line ends as "\n"; false and a message when it cannot be read.
bool read_text(const FileSystem& files, const std::string& name, std::string& text,
               std::string& message) {
  try {
    const std::unique_ptr<FileReader> reader = files.open_reader(name);
    std::string content(kMaxFile + 1, '\0');
    size_t got = 0;
    for (size_t n = 1; n > 0 && got < content.size(); got += n)
      n = reader->read(content.data() + got, content.size() - got);
    if (got > kMaxFile) {
      message = "\"" + name + "\" is larger than a task's file can be.";
      return false;
    }
    content.resize(got);
    std::erase(content, '\r');
    text = std::move(content);
    return true;
  } catch (const RuntimeError& e) {
    message = "\"" + name + "\" cannot be read (" + e.description + ").";
  } catch (const std::exception& e) {
    message = "\"" + name + "\" cannot be read (" + e.what() + ").";
  }
  return false;
}

// The transcript's first prompt ("Switch>", "DS2#", "Router(config)#"), or "" for none.
std::string first_prompt_of(const std::string& transcript) {
  static const std::regex prompt(R"(^([A-Za-z][A-Za-z0-9_-]*(\([a-z-]+\))?[>#]))");
  size_t from = 0;
  while (from < transcript.size()) {
    const size_t end = std::min(transcript.find('\n', from), transcript.size());
    const std::string line = transcript.substr(from, end - from);
    std::smatch m;
    if (std::regex_search(line, m, prompt)) return m[1];
    from = end + 1;
  }
  return "";
}

// At most n bytes of the text, not cutting a character in two.
std::string head_of(const std::string& text, size_t n) {
  if (text.size() <= n) return text;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return text.substr(0, n);
}

std::string text_of(const nlohmann::json& event) {
  if (!event.contains("text") || !event["text"].is_string())
    throw std::invalid_argument("not a line of the console");
  return event["text"].get<std::string>();
}

}  // namespace

SimProgram::SimProgram(std::string lab, FileSystem& files) : files_(files) {
  if (std::find(kLabs.begin(), kLabs.end(), lab) == kLabs.end()) {
    fail("The simulator has no lab named \"" + head_of(lab, 40) +
         "\", so this task cannot be done here.");
    return;
  }
  std::string task, message;
  if (!read_text(files, "sim.txt", task, message)) {
    fail(message + " Return to the test and present the task again.");
    return;
  }
  task = without_launch_sentences(plain_text(task), "Launch Simulator");
  task.erase(0, std::min(task.find_first_not_of(" \n"), task.size()));
  if (!read_text(files, "sim_showme.txt", transcript_, message)) transcript_.clear();
  while (!transcript_.empty() && transcript_.back() == '\n') transcript_.pop_back();
  const std::string prompt = first_prompt_of(transcript_);
  first_prompt_ = !prompt.empty() ? prompt : switch_lab(lab) ? "Switch>" : "Router>";
  state_ = {{"status", "ready"},
            {"message", ""},
            {"lab", lab},
            {"task", task},
            {"screen", ""},
            {"showme", ""},
            {"edit", {{"seq", 0}, {"text", ""}}}};
  reset();
}

void SimProgram::fail(const std::string& message) {
  console_.reset();
  state_ = {{"status", "error"}, {"message", message}};
}

void SimProgram::reset() {
  console_ = std::make_unique<sim::Console>(first_prompt_);
  state_["screen"] = "";
  publish_console();
}

void SimProgram::publish_console() {
  state_["prompt"] = console_->prompt();
  state_["history"] = console_->history();
}

void SimProgram::print(const std::string& text) {
  std::string& screen = state_["screen"].get_ref<std::string&>();
  screen += text;
  if (screen.size() <= kMaxScreen) return;
  const size_t cut = screen.find('\n', screen.size() - kMaxScreen);
  screen.erase(0, cut == std::string::npos ? screen.size() - kMaxScreen : cut + 1);
}

void SimProgram::handle(const nlohmann::json& events) {
  for (const nlohmann::json& event : events) {
    const std::string type = event.is_object() ? event.value("type", "") : "";
    if (type == "alive") continue;
    static const std::array<std::string_view, 8> kTypes = {"line",   "complete", "help", "ctrl_z",
                                                           "showme", "reset",    "done", "close"};
    if (std::find(kTypes.begin(), kTypes.end(), type) == kTypes.end())
      throw std::invalid_argument("not an event of the simulator");
    if (state_["status"] == "ready") one(event);
  }
}

void SimProgram::one(const nlohmann::json& event) {
  const std::string type = event["type"];
  nlohmann::json& edit = state_["edit"];
  state_["message"] = "";
  if (type == "line") {
    // A paste of several lines is typed one line after the other.
    const std::string text = text_of(event);
    size_t from = 0;
    for (size_t n = 0; n < kMaxPastedLines && from <= text.size(); ++n) {
      const size_t end = std::min(text.find('\n', from), text.size());
      std::string line = text.substr(from, end - from);
      std::erase(line, '\r');
      // The echo is taken before the line changes the prompt.
      const std::string echo = console_->prompt() + head_of(line, sim::kMaxLine) + "\n";
      print(echo + console_->feed(line));
      from = end + 1;
    }
  } else if (type == "complete" || type == "help") {
    const std::string text = head_of(text_of(event), sim::kMaxLine + 1);
    if (type == "help") {
      const std::string echo = console_->prompt() + head_of(text, sim::kMaxLine) + "?\n";
      print(echo + console_->help(text));
    }
    edit = {{"seq", edit["seq"].get<int>() + 1},
            {"text", type == "help" ? text : console_->complete(text)}};
  } else if (type == "ctrl_z") {
    const std::string echo = console_->prompt() + "^Z\n";
    print(echo + console_->ctrl_z());
  } else if (type == "showme") {
    state_["showme"] = transcript_.empty() ? "This task has no model transcript." : transcript_;
  } else if (type == "reset") {
    reset();
    state_["message"] = "The device is back at its starting configuration.";
  } else if (type == "close") {
    // The tab is going, or only reloading: the work is written and the console stays
    // open, so a reloaded page goes on where it was; the program's end writes it again.
    std::string error;
    write_result(files_, console_->result_ini(), error);
  } else {
    finish();
  }
  publish_console();
}

void SimProgram::finish() {
  if (state_["status"] != "ready") return;
  std::string error;
  if (write_result(files_, console_->result_ini(), error)) {
    state_["status"] = "saved";
    state_["message"] = "Your work is saved. Return to the test and click Next.";
    return;
  }
  state_["status"] = "unsaved";
  state_["message"] = "Your work could not be saved (" + error +
                      "): neither the program folder nor the current folder can be written.";
}

}  // namespace pv
