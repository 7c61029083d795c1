#include <array>

#include "catalogue/catalogue.hpp"

namespace pv {

// The bank modules compiled into the program.
static constexpr std::array<BankModule, 0> kBanks{};

const BankModule* find_bank(std::string_view name) {
  for (const BankModule& b : kBanks)
    if (b.name == name) return &b;
  return nullptr;
}

}  // namespace pv
