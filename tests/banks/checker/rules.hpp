// The rules that every bank keeps, whatever its figures: the record encoding of each kind
// of question and task, the category list, and a full exam's equality with its sources.
#pragma once

#include <string>
#include <vector>

#include "banks/checker/testing.hpp"
#include "core/shared.hpp"

namespace pv::bankcheck {

// One line per broken rule in the loaded bank; empty when it keeps them all.
std::vector<std::string> check_rules(const Shared& g, const BankFileInfo& file);

// Records beyond question_count hold nothing but what the reset leaves.
std::vector<std::string> check_reset_beyond_count(const Shared& g, const std::string& module);

}  // namespace pv::bankcheck
