// The device model's outputs: the privileged commands' text and the result keys.
#pragma once

#include <string>
#include <vector>

#include "exercises/sim.hpp"
#include "exercises/sim_parse.hpp"

namespace pv::sim {

// Sets one configuration line: a later value of the same setting replaces the earlier one,
// a "no" form removes it. False when the model is full.
bool set_line(std::vector<std::string>& lines, const Pattern& p, const std::string& line,
              bool negated);

std::string running_config(const Device& dev);
// The output of a privileged command (show, copy ...) of the given expanded words.
std::string priv_output(const Device& dev, const Pattern& p, const std::vector<std::string>& words);
// The state keys the key-shape table derives from the model, later settings winning.
std::vector<std::pair<std::string, std::string>> state_keys(const Device& dev);

}  // namespace pv::sim
