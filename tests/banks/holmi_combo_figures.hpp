// The figure table of the HOLMI full exam.
#pragma once

#include "banks/bank_figures.hpp"

namespace pv::bankcheck {

const BankFigures& holmi_combo_figures();

}  // namespace pv::bankcheck
