#include "x11/HackScreens.h"

#include <algorithm>
#include <sstream>

namespace vw::x11 {

int HeadOfWindow(const std::vector<ScreenRect>& heads, const ScreenRect& window) {
  const int cx = window.x + window.width / 2, cy = window.y + window.height / 2;
  for (std::size_t i = 0; i < heads.size(); ++i) {
    const ScreenRect& h = heads[i];
    if (cx >= h.x && cx < h.x + h.width && cy >= h.y && cy < h.y + h.height)
      return static_cast<int>(i);
  }
  return -1;
}

bool ShowsVerse(WindowChoice choice, const std::vector<ScreenRect>& heads,
                const ScreenRect& window) {
  if (choice != WindowChoice::Root || heads.size() < 2) return true;
  // A window over no single head (the root of a desktop of several) shows it: the verse must
  // appear somewhere.
  const int head = HeadOfWindow(heads, window);
  if (head <= 0) return true;
  const ScreenRect& h = heads[static_cast<std::size_t>(head)];
  return window.x < h.x || window.y < h.y || window.x + window.width > h.x + h.width ||
         window.y + window.height > h.y + h.height;
}

ScreenRect VerseArea(const std::vector<ScreenRect>& heads, const ScreenRect& window) {
  const ScreenRect whole{0, 0, window.width, window.height};
  if (heads.size() < 2) return whole;
  const ScreenRect& h = heads[0];
  const bool inside = h.x >= window.x && h.y >= window.y &&
                      h.x + h.width <= window.x + window.width &&
                      h.y + h.height <= window.y + window.height;
  const bool smaller = h.width < window.width || h.height < window.height;
  return inside && smaller ? ScreenRect{h.x - window.x, h.y - window.y, h.width, h.height} : whole;
}

ImageCrop ScreenshotCrop(int imageWidth, int imageHeight, const ScreenRect& window,
                         int rootWidth, int rootHeight) {
  ImageCrop crop{0, 0, std::min(imageWidth, window.width), std::min(imageHeight, window.height)};
  if (imageWidth == rootWidth && imageHeight == rootHeight &&
      (imageWidth != window.width || imageHeight != window.height)) {
    crop.x = std::clamp(window.x, 0, imageWidth);
    crop.y = std::clamp(window.y, 0, imageHeight);
    crop.width = std::min(window.width, imageWidth - crop.x);
    crop.height = std::min(window.height, imageHeight - crop.y);
  }
  return crop;
}

std::string FindVerseFolder(const std::string& programFolder, const char* xdgDataDirs,
                            const std::function<bool(const std::string&)>& fileExists) {
  std::vector<std::string> folders{programFolder};
  const std::string dirs =
      xdgDataDirs && *xdgDataDirs ? xdgDataDirs : "/usr/local/share:/usr/share";
  std::istringstream in(dirs);
  for (std::string dir; std::getline(in, dir, ':');)
    if (!dir.empty()) folders.push_back(dir + (dir.back() == '/' ? "" : "/") + "vellumway");
  for (std::string folder : folders) {
    if (folder.empty()) continue;
    if (folder.back() != '/') folder += '/';
    if (fileExists(folder + "kjv.dat")) return folder;
  }
  return {};
}

bool DesktopImagesAllowed(const std::string& xscreensaverConfig) {
  std::istringstream in(xscreensaverConfig);
  bool allowed = true;
  for (std::string line; std::getline(in, line);) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string key = line.substr(0, colon), value = line.substr(colon + 1);
    key.erase(0, key.find_first_not_of(" \t"));
    key.erase(key.find_last_not_of(" \t") + 1);
    if (key != "grabDesktopImages") continue;
    value.erase(0, value.find_first_not_of(" \t"));
    std::string word = value.substr(0, value.find_first_of(" \t\r"));
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    allowed = !(word == "false" || word == "off" || word == "no" || word == "0");
  }
  return allowed;
}

}  // namespace vw::x11
