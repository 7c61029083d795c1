// The figure table of the PIRAL CD-ROM bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& piral_velto_figures();

}  // namespace pv::bankcheck
