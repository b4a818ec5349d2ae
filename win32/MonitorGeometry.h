#pragma once
#include <windows.h>

#include "display/VerseRenderer.h"

namespace vw::win32 {

// Every monitor together, in screen coordinates. Monitors left of or above the primary give
// a negative origin.
RECT VirtualScreenRect();

// The primary monitor's part of a window whose outer rectangle on the screen is `window`, in
// the window's own pixels: the verse is centred there, whatever the other monitors show.
LayoutArea PrimaryAreaIn(const RECT& window);

}  // namespace vw::win32
