#pragma once
#include <windows.h>

#include "core/Timer.h"

namespace vw::win32 {

// A window timer (SetTimer/KillTimer) whose WM_TIMER carries `id`.
class Win32Timer : public ITimer {
 public:
  explicit Win32Timer(UINT_PTR id, std::int32_t interval = 0) : id_(id), interval_(interval) {}
  ~Win32Timer() override { Stop(); }
  void Attach(HWND hwnd) { hwnd_ = hwnd; }

  void SetInterval(std::int32_t ms) override {
    interval_ = ms;
    if (enabled_) Start();  // a new interval restarts the count, as a window timer does
  }
  void SetEnabled(bool on) override {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) {
      Start();
    } else {
      Stop();
    }
  }
 private:
  void Start() {
    if (hwnd_) SetTimer(hwnd_, id_, static_cast<UINT>(interval_ > 0 ? interval_ : 1), nullptr);
  }
  void Stop() {
    if (hwnd_) KillTimer(hwnd_, id_);
  }
  HWND hwnd_ = nullptr;
  UINT_PTR id_;
  std::int32_t interval_;
  bool enabled_ = false;
};

}  // namespace vw::win32
