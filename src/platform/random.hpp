// Random numbers as the desktop runtime makes them: Rnd returns a single-precision
// number in [0, 1) from a 24-bit linear congruential generator; Randomize reseeds it.
// Names nobody may guess take the system's random source instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pv {

class Clock;

class Random {
 public:
  virtual ~Random() = default;
  virtual float rnd() = 0;
  virtual void randomize(double seed) = 0;
  virtual void randomize() = 0;  // seeded from the clock's Timer
};

class VbRandom final : public Random {
 public:
  explicit VbRandom(const Clock& clock) : clock_(clock) {}
  float rnd() override;
  void randomize(double seed) override;
  void randomize() override;
  uint32_t state() const { return state_; }

 private:
  const Clock& clock_;
  uint32_t state_ = 0x50000;
};

// `byte_count` bytes of the system's random source as lower-case hex digits; nothing when
// the source fails.
std::optional<std::string> random_hex(size_t byte_count);

}  // namespace pv
