// WrapText and the placement rules with arbitrary text and widths.
#include "display/TextLayout.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/RecordingSurface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vw;
  if (size < 3) return 0;
  const float width = static_cast<float>(data[0] | (data[1] << 8)) / 8.0f;  // 0 to 8192 px
  const float points = 1.0f + data[2] % 60;
  const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);
  test::RecordingSurface surface(static_cast<int>(width), 600);
  surface.SetFontSize(points);
  const std::vector<std::string> lines = WrapText(surface, text, width);
  std::size_t kept = 0;
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) fuzz::Broken("a line holds a break");
    kept += CountCharacters(line);
  }
  if (kept > CountCharacters(text)) fuzz::Broken("lines hold more than the text");
  if (surface.FontSize() != points) fuzz::Broken("WrapText changed the font");
  BlockPlacement block = PlaceLines(surface, lines, static_cast<int>(width), 600);
  if (block.lines.size() != lines.size()) fuzz::Broken("a line without a place");
  (void)PlaceReference(surface, text, static_cast<int>(width), block.nextY);
  (void)PlaceTitle(surface, text, static_cast<int>(width));
  return 0;
}
