// The bank modules built into the program, found by name. The catalogue selects a module
// and loads it; the banks know nothing of the catalogue.
#pragma once

#include <span>
#include <string_view>

namespace pv {

struct Shared;
namespace banks {
struct BankTable;
}

// A compiled-in bank module: its name (PB_GUDAR_pelma ...), its load_bank, and its table,
// where the drag-and-drop exercises are found.
struct BankModule {
  std::string_view name;
  void (*load_bank)(Shared& g);
  const banks::BankTable* table = nullptr;
};

// The bank modules built into the program. A module that is not built yet is absent,
// and selecting it loads nothing.
const BankModule* find_bank(std::string_view name);
// All of them, in the order in which the build lists them.
std::span<const BankModule> bank_modules();

// The maker's sales address (our own invented value): the feedback address that a bank
// which stores one sets, and the one a product starts with.
inline constexpr const char* kSalesAddress = "sales@pelmabooks.example";

}  // namespace pv
