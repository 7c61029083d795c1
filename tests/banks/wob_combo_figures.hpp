// The figure table of the WOB full exam.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& wob_combo_figures();

}  // namespace pv::bankcheck
