// The figure table of the JEKO CD-ROM bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& jeko_velto_figures();

}  // namespace pv::bankcheck
