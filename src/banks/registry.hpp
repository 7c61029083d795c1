// The bank modules built into the program, found by name. The catalogue selects a module
// and loads it; the banks know nothing of the catalogue.
#pragma once

#include <string_view>

namespace pv {

struct Shared;

// A compiled-in bank module: its name (PB_GUDAR_pelma ...) and its load_bank.
struct BankModule {
  std::string_view name;
  void (*load_bank)(Shared& g);
};

// The bank modules built into the program. A module that is not built yet is absent,
// and selecting it loads nothing.
const BankModule* find_bank(std::string_view name);

// The maker's sales address (our own invented value): the feedback address that a bank
// which stores one sets, and the one a product starts with.
inline constexpr const char* kSalesAddress = "sales@pelmabooks.example";

}  // namespace pv
