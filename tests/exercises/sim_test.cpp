#include "exercises/sim.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "banks/checker/testing.hpp"
#include "platform/ini.hpp"
#include "testrun/grading.hpp"

namespace pv::sim {
namespace {

// A simulator task of a bank: its checks (the record) and its model transcript's commands.
struct Task {
  std::string bank;
  int number = 0;
  QuestionRecord record;
  std::string first_prompt;
  std::vector<std::string> commands;
};

// The model transcript: the clue, or where a task hands the simulator none, the explanation.
std::vector<std::string> transcript(const QuestionRecord& q) {
  if (!q.Clue.empty()) return bankcheck::crlf_lines(q.Clue);
  std::vector<std::string> out;
  std::string text = std::regex_replace(q.Explanation, std::regex("&gt;"), ">");
  text = std::regex_replace(text, std::regex("&lt;"), "<");
  for (size_t from = 0;;) {
    const size_t br = text.find("<br>", from);
    out.push_back(text.substr(from, br == std::string::npos ? br : br - from));
    if (br == std::string::npos) return out;
    from = br + 4;
  }
}

std::vector<Task> all_tasks() {
  static const std::regex prompt(R"(^([A-Za-z][A-Za-z0-9_-]*(\([a-z-]+\))?[>#])(.*)$)");
  std::vector<Task> out;
  for (const char* bank : {"PB_GUDAR_velto", "PB_HOLMI_Velto", "PB_JEKO_Velto", "PB_PIRAL_Velto",
                           "PB_WOB_Velto", "PB_ZUM_Velto"}) {
    const auto g = bankcheck::load_module(bank);
    if (g == nullptr) continue;
    for (int i = 1; i <= g->question_count; ++i) {
      const QuestionRecord& q = g->questions[i];
      if (q.DiagramFile[1] != "xxsim") continue;
      Task t{bank, i, q, "", {}};
      for (const std::string& line : transcript(q)) {
        // A restarted simulator replays the task from the start; the last run counts.
        if (line.starts_with("Router simulator restarted")) t.commands.clear();
        std::smatch m;
        if (!std::regex_match(line, m, prompt)) continue;
        if (t.first_prompt.empty()) t.first_prompt = m[1];
        t.commands.push_back(m[3]);
      }
      out.push_back(std::move(t));
    }
  }
  return out;
}

std::string name_of(const Task& t) {
  return t.bank + " record " + std::to_string(t.number);
}

std::string result_of(const Task& t, const std::vector<std::string>& commands) {
  Console c(t.first_prompt);
  for (const std::string& line : commands) c.feed(line);
  return c.result_ini();
}

// The result file after typing `commands`, read back as the engine reads it.
bool passes(const Task& t, const std::vector<std::string>& commands) {
  const std::string ini = result_of(t, commands);
  return simulator_checks_pass(t.record, [&](const std::string& key) {
    const std::optional<std::string> v = ini_lookup(ini, "general", key);
    return v ? v->substr(0, kMaxValue) : std::string("(missing)");
  });
}

// Each keyword cut to the shortest prefix that Tab still completes to it.
std::string abbreviated(const Console& c, const std::string& line) {
  std::string done;
  std::istringstream in(line);
  for (std::string w; in >> w;) {
    std::string pick = w;
    for (size_t k = 1; k < w.size(); ++k)
      if (c.complete(done + w.substr(0, k)) == done + w + " ") {
        pick = w.substr(0, k);
        break;
      }
    done += pick + " ";
  }
  return done;
}

// Another value in place of the last word: another number, address or name.
std::string wrong_value(const std::string& word) {
  if (std::all_of(word.begin(), word.end(),
                  [](char ch) { return std::isdigit(ch) || ch == '.'; })) {
    std::string w = word;
    w.back() = w.back() == '7' ? '8' : '7';
    return w;
  }
  return word + "x";
}

std::string last_word(const std::string& line) {
  const size_t p = line.find_last_of(' ');
  return p == std::string::npos ? line : line.substr(p + 1);
}

// Tasks the banks get wrong: their transcript does not produce their checks.
const std::map<std::string, std::string>& bank_faults() {
  static const std::map<std::string, std::string> faults = {};
  return faults;
}

TEST(SimulatorTasks, EveryModelTranscriptPassesAndEveryFaultFails) {
  const std::vector<Task> tasks = all_tasks();
  ASSERT_GE(tasks.size(), 121u);
  std::map<std::string, std::pair<int, int>> per_bank;
  for (const Task& t : tasks) {
    SCOPED_TRACE(name_of(t));
    auto& [passed, total] = per_bank[t.bank];
    ++total;
    const bool model = passes(t, t.commands);
    if (bank_faults().contains(name_of(t))) {
      EXPECT_FALSE(model) << "no longer a bank fault";
      continue;
    }
    EXPECT_TRUE(model) << result_of(t, t.commands);
    if (!model) continue;
    ++passed;
    // The same commands with every keyword abbreviated.
    Console c(t.first_prompt);
    std::vector<std::string> shortened;
    for (const std::string& line : t.commands) {
      shortened.push_back(abbreviated(c, line));
      c.feed(line);
    }
    EXPECT_TRUE(passes(t, shortened));
    // The last command the checks depend on: leaving it out fails, a wrong value fails.
    std::optional<size_t> last;
    for (size_t j = t.commands.size(); j-- > 0 && !last;) {
      std::vector<std::string> fewer = t.commands;
      fewer.erase(fewer.begin() + static_cast<long>(j));
      if (!passes(t, fewer)) last = j;
    }
    EXPECT_TRUE(last.has_value()) << "the checks pass with any one command left out";
    if (!last) continue;
    std::vector<std::string> wrong = t.commands;
    std::string& line = wrong[*last];
    const std::string word = last_word(line);
    Console before(t.first_prompt);
    for (size_t j = 0; j < *last; ++j) before.feed(t.commands[j]);
    if (before.complete(line) == line + " ") continue;  // a keyword, not a value
    line = line.substr(0, line.size() - word.size()) + wrong_value(word);
    EXPECT_FALSE(passes(t, wrong)) << line;
  }
  for (const auto& [bank, counts] : per_bank)
    std::cout << bank << ": " << counts.first << " of " << counts.second << " pass\n";
}

}  // namespace
}  // namespace pv::sim

namespace pv::sim {
namespace {

// Typed lines and what the console answers: prompts by mode, marks under faults, no forms.
TEST(SimulatorConsole, PromptsMessagesAndModes) {
  struct Step {
    std::string line, prompt, output_has;
  };
  const std::vector<Step> steps = {
      {"en", "Switch#", ""},
      {"conf t", "Switch(config)#", ""},
      {"hostname Access1", "Access1(config)#", ""},
      {"int fa0/5", "Access1(config-if)#", ""},
      {"s", "Access1(config-if)#", "Ambiguous"},
      {"switchport access", "Access1(config-if)#", "not complete"},
      {"switchport acces vlan 10", "Access1(config-if)#", ""},
      {"frobnicate", "Access1(config-if)#", "Not understood"},
      {"no shutdown", "Access1(config-if)#", ""},
      {"vlan 10", "Access1(config-vlan)#", ""},
      {"exit", "Access1(config)#", ""},
      {"end", "Access1#", ""},
      {"sh run", "Access1#", "switchport access vlan 10"},
      {std::string(100 * 1024, 'x'), "Access1#", "too long"},
  };
  Console c("Switch>");
  for (const Step& s : steps) {
    SCOPED_TRACE(s.line.substr(0, 40));
    const std::string out = c.feed(s.line);
    EXPECT_EQ(c.prompt(), s.prompt);
    if (s.output_has.empty())
      EXPECT_TRUE(out.empty() || s.line.starts_with("sh")) << out;
    else
      EXPECT_NE(out.find(s.output_has), std::string::npos) << out;
  }
  // The mark stands under the word that went wrong, past the prompt.
  Console m("R1#");
  EXPECT_EQ(m.feed("show ipx route").substr(0, 9), std::string(8, ' ') + "^");
  const std::string ini = c.result_ini();
  for (const char* key : {"hostname=Access1", "interface_fa0/5_access_vlan=10",
                          "interface_FastEthernet0/5_shutdown=no", "executed_show_running-config"})
    EXPECT_NE(ini.find(key), std::string::npos) << key << "\n" << ini;
  EXPECT_EQ(c.complete("sh ru"), "sh running-config ");
  EXPECT_NE(c.help("show ").find("running-config"), std::string::npos);
}

// Pasted junk and endless typing: no crash, the model and its result stay bounded.
std::vector<std::string> split_lines_for_test(const std::string& ini) {
  std::vector<std::string> out;
  std::istringstream in(ini);
  for (std::string line; std::getline(in, line);) out.push_back(line.substr(0, line.find('\r')));
  return out;
}

TEST(SimulatorConsole, TenThousandCommandsStayBounded) {
  Console c("Router>");
  c.feed("enable");
  c.feed("configure terminal");
  for (int i = 0; i < 10000; ++i) {
    c.feed("interface loopback" + std::to_string(i));
    c.feed("description " + std::string(400, 'd'));
    c.feed("ip route 10.0." + std::to_string(i % 256) + ".0 255.255.255.0 10.1.1." +
           std::to_string(i % 200));
  }
  EXPECT_LE(c.history().size(), kMaxHistory);
  EXPECT_LE(c.device().sections.size(), 256u);
  EXPECT_LE(c.result_ini().size(), 2u * 1024 * 1024);
  for (const std::string& line : split_lines_for_test(c.result_ini()))
    EXPECT_LE(line.size() - std::min(line.size(), line.find('=') + 1), kMaxValue);
  c.ctrl_z();
  EXPECT_EQ(c.prompt(), "Router#");
}

}  // namespace
}  // namespace pv::sim
