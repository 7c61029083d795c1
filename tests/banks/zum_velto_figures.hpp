// The figure table of the ZUM CD-ROM bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& zum_velto_figures();

}  // namespace pv::bankcheck
