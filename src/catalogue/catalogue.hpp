// The product catalogue: the command-line product code selects a product, its files and
// tests, and the bank of the chosen test is loaded into the question table.
#pragma once

#include <string_view>

namespace pv {

struct System;
struct Shared;

void select_product(System& sys);

// A compiled-in bank module: its name (PB_GUDAR_pelma ...) and its load_bank.
struct BankModule {
  std::string_view name;
  void (*load_bank)(Shared& g);
};

// The bank modules built into the program. A module that is not built yet is absent,
// and selecting it loads nothing.
const BankModule* find_bank(std::string_view name);

}  // namespace pv
