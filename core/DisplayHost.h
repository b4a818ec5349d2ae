#pragma once
#include <string>

namespace vw {

class ISurface;

// What the display window asks of the platform beyond surfaces and timers.
class IDisplayHost {
 public:
  virtual ~IDisplayHost() = default;
  // Hide (false) or show (true) the mouse pointer; calls are counted, as ShowCursor does.
  virtual void ShowCursor(bool show) = 0;
  // Fills `target` with an image of the whole screen as it is now, one pixel per pixel.
  virtual void CaptureScreen(ISurface& target) = 0;
  // Seconds since local midnight, for seeding the random generator.
  virtual double SecondsSinceMidnight() const = 0;
  // The folder that holds the program file (UTF-8, with or without a trailing separator).
  virtual std::string ProgramFolder() const = 0;
  // Destroys the window and ends the process once the current handler returns; no further
  // event of the display runs after this.
  virtual void EndProgram() = 0;
};

}  // namespace vw
