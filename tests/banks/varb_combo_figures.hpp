// The figure table of the VARB full exam.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& varb_combo_figures();

}  // namespace pv::bankcheck
