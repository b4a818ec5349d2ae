#pragma once
#include <cstdint>

namespace vw {

// Uniform single-precision numbers in [0, 1).
class IRandom {
 public:
  virtual ~IRandom() = default;
  virtual float Next() = 0;
};

// The program's one generator: a 24-bit linear congruential sequence, seeded once per run
// from the time of day.
class RandomGenerator : public IRandom {
 public:
  void Randomize(double secondsSinceMidnight) {
    auto s = static_cast<std::uint32_t>(secondsSinceMidnight * 1000.0);
    state_ = (s ^ 0x50000u) & 0xFFFFFFu;
  }
  float Next() override {
    state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<float>(state_) / 16777216.0f;
  }

 private:
  std::uint32_t state_ = 0x50000u;
};

}  // namespace vw
