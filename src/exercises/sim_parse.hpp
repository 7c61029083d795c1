// Matching typed words against the command table, shared by the console and its help.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exercises/sim.hpp"

namespace pv::sim {

std::string lower(std::string_view s);
std::vector<std::string> split_words(std::string_view s);

// A table row split into its words, with the setting's identity length.
struct Pattern {
  const CommandSpec* spec = nullptr;
  std::vector<std::string> words;
  size_t identity = 0;  // leading words that name the setting
  bool accumulates = false;
};
const std::vector<Pattern>& patterns();

// Where matching stands: a pattern and the next of its words.
struct Walk {
  size_t pattern = 0;
  size_t pos = 0;
  bool skip_next = false;          // a two-word interface name ("vlan 1") takes the next word
  bool rest_taken = false;         // a <text> word took the rest of the line
  std::vector<std::string> typed;  // the words as they fill the pattern (keywords expanded)
};

enum class Fault { none, unknown, ambiguous, incomplete };
struct MatchResult {
  Fault fault = Fault::none;
  size_t at = 0;  // the word where matching failed
  std::vector<Walk> alive;
};

inline constexpr std::string_view kIncomplete = "% The command is not complete: more must follow.";
std::string_view fault_text(Fault fault);

// The patterns a mode accepts (a sub-interface takes the interface commands too).
std::vector<size_t> mode_patterns(std::string_view mode);
MatchResult walk(const std::vector<size_t>& candidates, const std::vector<std::string>& words);
// The walks that are complete commands; the first is the one run.
std::vector<const Walk*> complete_walks(const MatchResult& m);

}  // namespace pv::sim
