#include "testrun/grading.hpp"

#include "core/shared.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

// The en dash, which the banks write where a typed answer has a hyphen.
constexpr std::string_view kEnDash = "\xE2\x80\x93";

std::string folded(const std::string& text) {
  return ucase(trim(text));
}

}  // namespace

bool fill_in_matches(const std::string& reply, const QuestionRecord& q) {
  const std::string typed = folded(reply);
  bool right = false;
  for (int i = 1; i <= 6; ++i) {
    const std::string accepted = folded(replace(q.Answer[i], kEnDash, "-"));
    if (!accepted.empty() && accepted == typed) right = true;
  }
  return right;
}

std::optional<SimulatorCheck> simulator_check(const std::string& answer) {
  if (const size_t p = answer.find(']'); p != std::string::npos) {
    // "[key]value": the key after the opening bracket, the value after the closing one.
    return SimulatorCheck{p >= 1 ? answer.substr(1, p - 1) : std::string(), answer.substr(p + 1)};
  }
  const std::string t = trim(answer);
  // "key=value", the "=" found in the trimmed answer that the key and value come from.
  if (const size_t p = t.find('='); p != std::string::npos)
    return SimulatorCheck{t.substr(0, p), t.substr(p + 1)};
  return std::nullopt;
}

bool simulator_checks_pass(const QuestionRecord& q,
                           const std::function<std::string(const std::string& key)>& read) {
  bool right = true;
  for (int i = 1; i <= 6; ++i) {
    if (q.Answer[i].empty()) continue;
    const auto check = simulator_check(q.Answer[i]);
    if (!check) continue;
    if (lcase(trim(check->value)) != lcase(trim(read(check->key)))) right = false;
  }
  return right;
}

}  // namespace pv
