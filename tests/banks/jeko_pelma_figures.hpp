// The figure table of the JEKO book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& jeko_pelma_figures();
// The book's chapter runs, as both the book and the full exam document them.
std::vector<CategoryRun> jeko_book_chapters();

}  // namespace pv::bankcheck
