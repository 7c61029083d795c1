// The figure table of the ZUM full exam.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& zum_combo_figures();

}  // namespace pv::bankcheck
