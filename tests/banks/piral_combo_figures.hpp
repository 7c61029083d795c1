// The figure table of the PIRAL full exam.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& piral_combo_figures();

}  // namespace pv::bankcheck
