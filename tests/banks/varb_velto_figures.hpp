// The figure table of the VARB CD-ROM bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& varb_velto_figures();

}  // namespace pv::bankcheck
