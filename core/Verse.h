#pragma once
#include <string>

namespace vw {

// The verse to show, as the rotation hands it to the display: its reference line, its
// trimmed text, and the title of the topic it came from (empty for all verses).
struct Verse {
  std::string Reference;
  std::string Text;
  std::string Title;
};

}  // namespace vw
