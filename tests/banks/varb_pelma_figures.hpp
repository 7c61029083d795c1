// The figure table of the VARB book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& varb_pelma_figures();

}  // namespace pv::bankcheck
