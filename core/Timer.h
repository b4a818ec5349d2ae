#pragma once
#include <cstdint>

namespace vw {

// A window timer. While enabled it fires every interval; the owner's tick handler is called on
// the user-interface thread. Changing the interval restarts the count. The owner knows what
// it set: the timer is only told.
class ITimer {
 public:
  virtual ~ITimer() = default;
  virtual void SetInterval(std::int32_t milliseconds) = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

}  // namespace vw
