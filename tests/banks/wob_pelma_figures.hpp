// The figure table of the WOB book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& wob_pelma_figures();

}  // namespace pv::bankcheck
