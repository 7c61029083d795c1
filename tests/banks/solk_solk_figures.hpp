// The figure table of the SOLK flash-card bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& solk_solk_figures();

}  // namespace pv::bankcheck
