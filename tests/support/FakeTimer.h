#pragma once
#include <cstdint>
#include <vector>

#include "core/Timer.h"

namespace vw::test {

// A timer that never fires by itself: a test calls the owner's tick handler by hand and
// checks what the code did to the timer.
class FakeTimer : public ITimer {
 public:
  void SetInterval(std::int32_t ms) override { intervals.push_back(ms); }
  void SetEnabled(bool on) override { enabled = on; }

  bool enabled = false;
  std::vector<std::int32_t> intervals;  // every interval set, in order
};

}  // namespace vw::test
