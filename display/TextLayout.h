#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vw {

class ISurface;

// Breaks `text` into lines no wider than `widthLimit` as measured on `measure` with its
// current font. Line feeds vanish, each carriage return ends a line, a word that would
// overflow moves to the next line, a word wider than the limit is cut, and the last line is
// never broken further. Positions count characters (UTF-8 code points), not bytes. Neither
// the text nor the surface's font is changed.
std::vector<std::string> WrapText(ISurface& measure, const std::string& text, float widthLimit);

// Top-left corner of one piece of text, in pixels.
struct TextPlacement {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// The verse lines of one frame and the row just below the last of them.
struct BlockPlacement {
  std::vector<TextPlacement> lines;
  std::int32_t nextY = 0;
};

// Each rule measures with the font `surface` holds when it is called, computes in double
// precision and rounds the final value half to even.

// The topic title, centred at the top edge.
TextPlacement PlaceTitle(ISurface& surface, const std::string& title, int displayWidth);

// The verse lines, each centred across, the block centred on the window's middle row with
// the line height of the first line. With no lines the block is empty and sits at the middle
// row, so a reference still has somewhere to go.
BlockPlacement PlaceLines(ISurface& surface, const std::vector<std::string>& lines,
                          int displayWidth, int displayHeight);

// The reference, centred across, its top two line heights below `blockBottom`.
TextPlacement PlaceReference(ISurface& surface, const std::string& reference, int displayWidth,
                             std::int32_t blockBottom);

// Number of characters (UTF-8 code points) in `text`. A byte that does not start a valid
// sequence counts as one character, as WrapText counts it.
std::size_t CountCharacters(std::string_view text);

}  // namespace vw
