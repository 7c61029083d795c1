// The figure table of the WOB book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& wob_pelma_figures();
// The book's records typed multi_answer.
const std::vector<int>& wob_book_multi_answer();

}  // namespace pv::bankcheck
