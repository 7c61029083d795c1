// The figure table of the VARB half of the flash cards.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& solk_varb_figures();

}  // namespace pv::bankcheck
