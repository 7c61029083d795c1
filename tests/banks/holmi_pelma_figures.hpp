// The figure table of the HOLMI book bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& holmi_pelma_figures();

}  // namespace pv::bankcheck
