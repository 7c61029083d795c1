// The verdicts of the question kinds that need more than comparing marks: the fill-in
// reply against its accepted answers, and the router simulator's checks against its
// result values.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace pv {

struct QuestionRecord;

// True when the reply, upper-cased and without blanks at its ends, equals one of the
// non-empty accepted answers taken the same way, an en dash in them read as "-".
bool fill_in_matches(const std::string& reply, const QuestionRecord& q);

// One check of a router-simulator task: "[key]value" or "key=value".
struct SimulatorCheck {
  std::string key;
  std::string value;
};
// The check an answer holds, or nothing for an answer that holds none.
std::optional<SimulatorCheck> simulator_check(const std::string& answer);
// True when every check of the task's answers matches the value `read` gives for its key,
// apart from blanks at the ends and the case of letters. All checks are read.
bool simulator_checks_pass(const QuestionRecord& q,
                           const std::function<std::string(const std::string& key)>& read);

}  // namespace pv
