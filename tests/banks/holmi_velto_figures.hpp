// The figure table of the HOLMI CD-ROM bank.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& holmi_velto_figures();

}  // namespace pv::bankcheck
