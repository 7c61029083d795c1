// The figure table of the PIRAL book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& piral_pelma_figures();
// The book's chapter runs, records 1 to 182, as both the book and the full exam document them.
std::vector<CategoryRun> piral_book_chapters();

}  // namespace pv::bankcheck
