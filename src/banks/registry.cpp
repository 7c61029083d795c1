#include "banks/registry.hpp"

namespace pv {

// Each generated bank translation unit defines its module's load_bank; bank_list.inc,
// generated from banks/<exam>/*.txt, lists the modules as PV_BANK(name).
#define PV_BANK(module)         \
  namespace banks::module {     \
  void load_bank(Shared& g);    \
  extern const BankTable table; \
  }
#include "bank_list.inc"
#undef PV_BANK

namespace {

// The bank modules compiled into the program.
constexpr BankModule kBanks[] = {
#define PV_BANK(module) {#module, &banks::module::load_bank, &banks::module::table},
#include "bank_list.inc"
#undef PV_BANK
};

}  // namespace

const BankModule* find_bank(std::string_view name) {
  for (const BankModule& b : kBanks)
    if (b.name == name) return &b;
  return nullptr;
}

std::span<const BankModule> bank_modules() {
  return kBanks;
}

}  // namespace pv
