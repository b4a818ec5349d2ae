#pragma once

namespace vw {

// How the program runs, as start-up chooses it from the command line: no window at all, the
// display full screen or inside a preview window, or the settings dialog. It never changes
// afterwards, so it is handed down by value.
enum class DisplayMode { End, FullScreen, Preview, Configure };

}  // namespace vw
