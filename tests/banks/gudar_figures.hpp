// The figure tables of the three GUDAR banks.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& gudar_pelma_figures();
const BankFigures& gudar_velto_figures();
const BankFigures& gudar_combo_figures();

}  // namespace pv::bankcheck
