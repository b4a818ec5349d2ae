#pragma once
#include <cstdint>

namespace vw {

// DisplayMode values: RunDisplay sets one, for the mode DecideStartup chose, before the
// display window loads.
inline constexpr std::int32_t kModeNone = 0;
inline constexpr std::int32_t kModeFullScreen = 1;
inline constexpr std::int32_t kModePreview = 4;

}  // namespace vw
