#pragma once
#include <cstdint>

namespace vw {

// A window timer. While enabled it fires every Interval() milliseconds; the owner's tick
// handler is called on the user-interface thread. Changing the interval restarts the count.
class ITimer {
 public:
  virtual ~ITimer() = default;
  virtual void SetInterval(std::int32_t milliseconds) = 0;
  virtual std::int32_t Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

}  // namespace vw
