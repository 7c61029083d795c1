// The product catalogue: the command-line product code selects a product, its files and
// tests, and the bank of the chosen test is loaded into the question table.
#pragma once

namespace pv {

struct System;

void select_product(System& sys);

}  // namespace pv
