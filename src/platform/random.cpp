#include "platform/random.hpp"

#include <sys/random.h>

#include <cerrno>
#include <cstring>
#include <vector>

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

std::optional<std::string> random_hex(size_t byte_count) {
  std::vector<unsigned char> bytes(byte_count);
  size_t got = 0;
  while (got < byte_count) {
    const ssize_t n = ::getrandom(bytes.data() + got, byte_count - got, 0);
    if (n < 0 && errno != EINTR) return std::nullopt;
    if (n > 0) got += static_cast<size_t>(n);
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s;
  for (const unsigned char b : bytes) {
    s += kHex[b >> 4];
    s += kHex[b & 15];
  }
  return s;
}

}  // namespace pv
