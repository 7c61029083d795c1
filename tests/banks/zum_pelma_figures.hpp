// The figure table of the ZUM book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& zum_pelma_figures();

}  // namespace pv::bankcheck
