#pragma once
#include <cstdint>

namespace vw {

// The values of the program-wide DisplayMode: none before dispatch and when configuring.
// RunDisplay sets one, for the mode DecideStartup chose, before the display window loads.
enum ScreenMode : std::int32_t {
  kModeNone = 0,
  kModeFullScreen = 1,
  kModePreview = 4,
};

}  // namespace vw
