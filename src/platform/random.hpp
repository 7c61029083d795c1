// Random numbers as the desktop runtime makes them: Rnd returns a single-precision
// number in [0, 1) from a 24-bit linear congruential generator; Randomize reseeds it.
#pragma once

#include <cstdint>
#include <deque>

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

// Hands out scripted values in order (then repeats the last one); counts the draws.
class ScriptedRandom final : public Random {
 public:
  explicit ScriptedRandom(std::deque<float> values = {}) : values_(std::move(values)) {}
  float rnd() override;
  void randomize(double) override { ++randomizes; }
  void randomize() override { ++randomizes; }
  void push(float v) { values_.push_back(v); }

  int draws = 0;
  int randomizes = 0;

 private:
  std::deque<float> values_;
  float last_ = 0;
};

}  // namespace pv
