#pragma once
#include <functional>
#include <string>
#include <vector>

#include "x11/HackOptions.h"

namespace vw::x11 {

// A rectangle on the X screen, in root pixels.
struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// The head (Xinerama screen) holding the centre of `window`; -1 when none does.
int HeadOfWindow(const std::vector<ScreenRect>& heads, const ScreenRect& window);

// Whether this hack shows the verse: the primary monitor (head 0) does, as on Windows, and
// so do a preview and a window of the hack's own; the daemon's other monitors show only
// their background.
bool ShowsVerse(WindowChoice choice, const std::vector<ScreenRect>& heads,
                const ScreenRect& window);

// Where the verse goes in a window showing it, in the window's pixels: the primary head's
// part of a window over several heads (the bare root of a desktop of several monitors), else
// the whole window.
ScreenRect VerseArea(const std::vector<ScreenRect>& heads, const ScreenRect& window);

// Where the window's part of the desktop image begins in the image. The daemon's image is the
// size of the window's monitor; an image of the whole root is cut at the window's place.
// Anything else is shown from its top-left corner.
struct ImageCrop {
  int x = 0, y = 0, width = 0, height = 0;
};
ImageCrop ScreenshotCrop(int imageWidth, int imageHeight, const ScreenRect& window,
                         int rootWidth, int rootHeight);

// The folder holding kjv.dat: the program's own first, then each of $XDG_DATA_DIRS
// (default /usr/local/share:/usr/share) with "vellumway/" added. "" when none has it.
std::string FindVerseFolder(const std::string& programFolder, const char* xdgDataDirs,
                            const std::function<bool(const std::string&)>& fileExists);

// Whether the user lets hacks use the desktop image: "grabDesktopImages" in the text of
// ~/.xscreensaver, true unless it says False.
bool DesktopImagesAllowed(const std::string& xscreensaverConfig);

}  // namespace vw::x11
