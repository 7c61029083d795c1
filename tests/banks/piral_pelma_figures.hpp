// The figure table of the PIRAL book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& piral_pelma_figures();

}  // namespace pv::bankcheck
