#pragma once
#include <string>
#include <vector>

#include "core/DisplayHost.h"
#include "core/Surface.h"

namespace vw::test {

// Records what the display asks of the platform. A capture sizes the target to the
// screen, which is what a test can see of it.
class FakeDisplayHost : public IDisplayHost {
 public:
  void ShowCursor(bool show) override { cursorCalls.push_back(show); }
  void CaptureScreen(ISurface& target) override {
    capturedInto.push_back(&target);
    target.Resize(screenWidth, screenHeight);
  }
  double SecondsSinceMidnight() const override { return secondsSinceMidnight; }
  std::string ProgramFolder() const override { return programFolder; }
  void EndProgram() override { ++endCount; }

  std::vector<bool> cursorCalls;  // every ShowCursor argument, in order
  std::vector<ISurface*> capturedInto;
  int screenWidth = 1920;
  int screenHeight = 1080;
  double secondsSinceMidnight = 45296.0;  // 12:34:56
  std::string programFolder = "C:\\Vellumway\\";
  int endCount = 0;
};

}  // namespace vw::test
