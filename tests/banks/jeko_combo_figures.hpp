// The figure table of the JEKO full exam.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& jeko_combo_figures();

}  // namespace pv::bankcheck
