#include "app/exercise_program.hpp"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "banks/registry.hpp"
#include "catalogue/catalogue.hpp"
#include "exercises/dnd.hpp"
#include "platform/errors.hpp"

namespace pv {
namespace {

bool within(std::span<const banks::DndExercise> list, const banks::DndExercise* e) {
  return !list.empty() && e >= list.data() && e < list.data() + list.size();
}

// The question text of the record that presents the exercise, from the bank that holds it.
std::string question_of(std::string_view product, const banks::DndExercise* e) {
  const auto text = [e](const banks::BankTable& t) {
    const size_t at = static_cast<size_t>(e->record) - 1;
    if (at >= t.records.size()) return std::string();
    const banks::RecordRow& row = t.records[at];
    return std::string(row.text, row.length.question);
  };
  for (std::string_view module : product_banks(product)) {
    const BankModule* bank = find_bank(module);
    if (bank == nullptr || bank->table == nullptr) continue;
    if (within(bank->table->exercises, e)) return text(*bank->table);
    for (const banks::Inclusion& inc : bank->table->inclusions)
      if (inc.source != nullptr && within(inc.source->exercises, e)) return text(*inc.source);
  }
  return {};
}

bool all_digits(const std::string& s) {
  return !s.empty() &&
         std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The items in the order the tray shows them: by their text, never the solution's order.
std::vector<size_t> tray_order(const banks::DndExercise& e) {
  std::vector<size_t> order(e.items.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&e](size_t a, size_t b) { return e.items[a] < e.items[b]; });
  if (std::is_sorted(order.begin(), order.end())) std::reverse(order.begin(), order.end());
  return order;
}

}  // namespace

std::string plain_text(const std::string& html) {
  std::string out;
  for (size_t i = 0; i < html.size(); ++i) {
    if (html[i] != '<') {
      out += html[i];
      continue;
    }
    const size_t end = html.find('>', i);
    if (end == std::string::npos) break;
    std::string tag = html.substr(i + 1, end - i - 1);
    std::transform(tag.begin(), tag.end(), tag.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (tag.rfind("br", 0) == 0 || tag == "p" || tag == "/p") out += '\n';
    i = end;
  }
  return out;
}

std::string without_launch_sentences(std::string text, std::string_view button) {
  for (size_t at = text.find(button); at != std::string::npos; at = text.find(button)) {
    const size_t before = text.find_last_of(".?!\n", at);
    size_t start = before == std::string::npos ? 0 : before + 1;
    while (start < at && text[start] == ' ') ++start;
    const size_t stop = text.find_first_of(".\n", at + button.size());
    size_t end = stop == std::string::npos ? text.size() : stop + (text[stop] == '.');
    while (end < text.size() && text[end] == ' ') ++end;
    text.erase(start, end - start);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
  return text;
}

bool write_result(FileSystem& files, std::string_view content, std::string& error) {
  for (const std::string& folder : {files.program_folder(), files.current_folder()}) {
    try {
      files.replace_atomic(folder + "out.ini", content);
      return true;
    } catch (const RuntimeError& e) {
      error = e.description;
    }
  }
  return false;
}

std::string state_text(const nlohmann::json& state) {
  return state.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

const banks::DndExercise* exercise_named(const std::string& argument, std::string& question,
                                         std::string& message) {
  const size_t q = argument.find_last_of("Qq");
  const std::string product = q == std::string::npos ? "" : argument.substr(0, q);
  const std::string number = q == std::string::npos ? "" : argument.substr(q + 1);
  if (!all_digits(product) || !all_digits(number) || number.size() > 4) {
    message = "\"" + argument +
              "\" names no exercise: the program is started with <product>Q<number>, "
              "for example 46000Q7.";
    return nullptr;
  }
  const std::vector<std::string> codes = product_codes();
  if (std::find(codes.begin(), codes.end(), product) == codes.end()) {
    message =
        "No product has the code " + product + ", so exercise " + number + " cannot be shown.";
    return nullptr;
  }
  const banks::DndExercise* e = exercises::find_exercise(product, std::stoi(number));
  if (e == nullptr) {
    message = "Product " + product + " has no drag-and-drop exercise " + number + ".";
    return nullptr;
  }
  question = without_launch_sentences(plain_text(question_of(product, e)), "Launch Drag and Drop");
  return e;
}

ExerciseProgram::ExerciseProgram(std::string argument, FileSystem& files) : files_(files) {
  std::string question, message;
  exercise_ = exercise_named(argument, question, message);
  if (exercise_ == nullptr) {
    fail(message);
    return;
  }
  const banks::DndExercise& e = *exercise_;
  state_ = {{"status", "ready"},
            {"message", ""},
            {"exercise", argument},
            {"instruction", question},
            {"kind", e.ordered() ? "order" : "match"}};
  nlohmann::json items = nlohmann::json::array();
  for (size_t i : tray_order(e)) items.push_back({{"id", i}, {"text", std::string(e.items[i])}});
  nlohmann::json targets = nlohmann::json::array();
  for (std::string_view t : e.targets) targets.push_back(std::string(t));
  state_["items"] = std::move(items);
  state_["targets"] = std::move(targets);
}

void ExerciseProgram::fail(const std::string& message) {
  state_ = {{"status", "error"}, {"message", message}};
}

void ExerciseProgram::handle(const nlohmann::json& events) {
  for (const nlohmann::json& event : events) {
    const std::string type = event.is_object() ? event.value("type", "") : "";
    if (type == "alive") continue;
    if (type != "done" || !event.contains("placement") || !event["placement"].is_array())
      throw std::invalid_argument("not an event of the exercise");
    if (exercise_ != nullptr && state_["status"] == "ready") done(event["placement"]);
  }
}

void ExerciseProgram::done(const nlohmann::json& placement) {
  std::vector<int> places;
  for (const nlohmann::json& p : placement) {
    if (!p.is_number_integer() || places.size() >= exercise_->items.size())
      throw std::invalid_argument("not a placement of the exercise");
    places.push_back(p.get<int>());
  }
  const bool right = exercises::is_solution(*exercise_, places);
  const std::string content =
      std::string("[Answer]\r\nresult=") + (right ? "Success" : "Failure") + "\r\n";
  std::string error;
  if (write_result(files_, content, error)) {
    state_["status"] = "saved";
    state_["message"] = "Your answer is saved. Return to the test and click Next.";
    return;
  }
  state_["status"] = "unsaved";
  state_["message"] = "Your answer could not be saved (" + error +
                      "): neither the program folder nor the current folder can be written.";
}

}  // namespace pv
