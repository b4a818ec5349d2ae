#include "x11/HackLoop.h"

#include <ctime>

namespace vw::x11 {

int LoopTimer::MillisecondsLeft(Clock::time_point now) const {
  if (!enabled_) return -1;
  if (due_ <= now) return 0;
  return static_cast<int>(
      std::chrono::ceil<std::chrono::milliseconds>(due_ - now).count());
}

void LoopTimer::FireIfDue(Clock::time_point now, const std::function<void()>& tick) {
  if (!enabled_ || now < due_) return;
  due_ = now + Interval();
  tick();
}

double HackHost::SecondsSinceMidnight() const {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + ts.tv_nsec / 1e9;
}

}  // namespace vw::x11
