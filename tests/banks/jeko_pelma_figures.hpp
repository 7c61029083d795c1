// The figure table of the JEKO book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& jeko_pelma_figures();

}  // namespace pv::bankcheck
