// The console simulator's core: a device's command line over a configuration model, and the
// [general] result its checks read. Pure: no files, no clock; a page drives it line by line.
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pv::sim {

// One command of the vocabulary. Pattern words are keywords or parameters: <num>, <ip>,
// <word>, <if> (an interface name, "fa0/5" or "vlan 1"), <text> (the rest of the line).
// A "|" splits the words naming the setting from its value, so a later command with the
// same leading words replaces it; a pattern starting "+" accumulates (networks, routes).
struct CommandSpec {
  std::string_view mode;     // "exec", "priv", "config", "config-if" ...
  std::string_view pattern;  // "switchport access | vlan <num>"
  std::string_view enters;   // mode entered, or empty
};
std::span<const CommandSpec> command_table();

// One row of the key-shape table: a setting line (in a section whose header matches) gives
// a result key and value. Captures {1}.. come from the header then the line; {if} is the
// header's interface. Modifiers: {1s} short interface name, {1u} "-" written "_", {1d} the
// banner delimiters removed. A key with {if} is written under the short and the full name.
struct KeyShape {
  std::string_view section;  // "" global, or "interface {}", "router eigrp {}" ...
  std::string_view line;     // "switchport access vlan {}"
  std::string_view key;
  std::string_view value;
};
std::span<const KeyShape> key_shapes();

// An interface name in its full ("FastEthernet0/5") and short ("fa0/5") forms.
struct InterfaceName {
  std::string full, brief;
};
bool interface_name(std::string_view text, InterfaceName& out);

// The configuration: the global lines and the sections (interface, router, line ...).
struct Section {
  std::string header;
  std::vector<std::string> lines;
};
struct Device {
  std::string hostname = "Router";
  std::vector<std::string> global;
  std::vector<Section> sections;
  std::vector<std::string> executed;  // result keys of the commands run, in order
  std::string last_config;            // the last configuration command, as expanded
};

// Lines and values are bounded so pasted junk cannot grow the model without end.
inline constexpr size_t kMaxLine = 512;
inline constexpr size_t kMaxHistory = 100;
inline constexpr size_t kMaxValue = 59;

class Console {
 public:
  // The first prompt of a transcript ("Switch>", "DS2#") gives the device's name and the
  // mode it starts in (user, privileged or global configuration).
  explicit Console(std::string_view first_prompt = "Router>");

  std::string prompt() const;
  std::string feed(std::string_view line);               // output of one typed line
  std::string ctrl_z();                                  // back to privileged mode, as Ctrl+Z
  std::string complete(std::string_view partial) const;  // Tab: the line completed
  std::string help(std::string_view partial) const;      // "?": what may follow
  const std::vector<std::string>& history() const { return history_; }
  const Device& device() const { return dev_; }
  std::string result_ini() const;  // "[general]" and its keys

 private:
  std::string run(const struct Walk& walk, bool negated);
  std::string enter(const struct Pattern& pattern, const std::string& line);
  void leave_mode();

  Device dev_;
  std::string mode_ = "exec";
  int section_ = -1;                  // index into dev_.sections, or -1 for global
  std::vector<std::string> parents_;  // modes a nested mode returns to
  std::vector<std::string> history_;
};

}  // namespace pv::sim
