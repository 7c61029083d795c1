#include "platform/random.hpp"

#include <cstring>

#include "platform/clock.hpp"

namespace pv {

float VbRandom::rnd() {
  state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<float>(state_) / 16777216.0f;
}

void VbRandom::randomize(double seed) {
  uint64_t bits = 0;
  std::memcpy(&bits, &seed, sizeof bits);
  const auto high = static_cast<uint32_t>(bits >> 32);
  const uint32_t mixed = ((high & 0xFFFFu) ^ (high >> 16)) << 8;
  state_ = (state_ & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
}

void VbRandom::randomize() {
  randomize(clock_.timer());
}

}  // namespace pv
