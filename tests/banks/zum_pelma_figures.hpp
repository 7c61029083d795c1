// The figure table of the ZUM book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& zum_pelma_figures();
// The book's chapter runs, as both the book and the full exam document them.
std::vector<CategoryRun> zum_book_chapters();

}  // namespace pv::bankcheck
