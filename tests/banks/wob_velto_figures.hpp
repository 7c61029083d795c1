// The figure table of the WOB CD-ROM bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& wob_velto_figures();

}  // namespace pv::bankcheck
