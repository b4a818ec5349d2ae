#pragma once
#include <cstdint>

namespace vw {

// DisplayMode values: set once by Main before the display window loads.
inline constexpr std::int32_t kModeNone = 0;
inline constexpr std::int32_t kModeFullScreen = 1;
inline constexpr std::int32_t kModePreview = 4;

}  // namespace vw
