#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "core/DisplayHost.h"
#include "core/Timer.h"

namespace vw::x11 {

using Clock = std::chrono::steady_clock;

// A timer of the hack's event loop: while enabled it fires every interval, as a window timer
// does; a new interval restarts the count.
class LoopTimer : public ITimer {
 public:
  explicit LoopTimer(std::int32_t interval) : interval_(interval) {}
  void SetInterval(std::int32_t ms) override {
    interval_ = ms;
    if (enabled_) due_ = Clock::now() + Interval();
  }
  void SetEnabled(bool on) override {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) due_ = Clock::now() + Interval();
  }
  // Milliseconds until it fires, -1 when disabled.
  int MillisecondsLeft(Clock::time_point now) const;
  // Calls `tick` when due.
  void FireIfDue(Clock::time_point now, const std::function<void()>& tick);

 private:
  Clock::duration Interval() const { return std::chrono::milliseconds(interval_ > 0 ? interval_ : 1); }
  std::int32_t interval_;
  bool enabled_ = false;
  Clock::time_point due_{};
};

// What frmMain asks of the hack: the cursor is the daemon's, the desktop image comes from
// the daemon's window, and the end of the program is the event loop's to carry out.
class HackHost : public IDisplayHost {
 public:
  HackHost(std::string verseFolder, std::function<void(ISurface&)> capture)
      : verseFolder_(std::move(verseFolder)), capture_(std::move(capture)) {}
  void ShowCursor(bool) override {}
  void CaptureScreen(ISurface& target) override { capture_(target); }
  double SecondsSinceMidnight() const override;
  std::string ProgramFolder() const override { return verseFolder_; }
  void EndProgram() override { ended_ = true; }
  bool Ended() const { return ended_; }
  void Resume() { ended_ = false; }

 private:
  std::string verseFolder_;
  std::function<void(ISurface&)> capture_;
  bool ended_ = false;
};

}  // namespace vw::x11
