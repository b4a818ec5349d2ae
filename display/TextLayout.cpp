#include "display/TextLayout.h"

#include <algorithm>
#include <iterator>

#include "core/Conversions.h"
#include "core/Surface.h"

namespace vw {

namespace {

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

// Length in bytes of the character starting at `pos`; 1 for a byte that starts no valid
// sequence, so malformed text still advances one byte at a time.
std::size_t CharacterLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t len = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4;
  }
  if (pos + len > text.size()) return 1;
  for (std::size_t k = 1; k < len; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(text[pos + k]))) return 1;
  }
  return len;
}

// Byte offset of every character, plus the end of the text as a last entry.
std::vector<std::size_t> CharacterOffsets(std::string_view text) {
  std::vector<std::size_t> offsets;
  offsets.reserve(text.size() + 1);
  for (std::size_t pos = 0; pos < text.size(); pos += CharacterLength(text, pos)) {
    offsets.push_back(pos);
  }
  offsets.push_back(text.size());
  return offsets;
}

bool OnlySpaces(const std::string& s) {
  return s.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharacterLength(text, pos)) ++count;
  return count;
}

std::vector<std::string> WrapText(ISurface& measure, const std::string& text, float widthLimit) {
  std::string source;
  source.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(source),
               [](char c) { return c != '\n'; });

  const std::vector<std::size_t> offsets = CharacterOffsets(source);
  const std::int64_t n = static_cast<std::int64_t>(offsets.size()) - 1;
  // Characters are numbered from 1, as the positions below are.
  auto character = [&](std::int64_t i) {
    return std::string_view(source).substr(offsets[i - 1], offsets[i] - offsets[i - 1]);
  };
  auto characters = [&](std::int64_t from, std::int64_t to) {
    return source.substr(offsets[from - 1], offsets[to] - offsets[from - 1]);
  };

  std::vector<std::string> lines;
  std::int64_t lineStart = 1;
  // The most recent space anywhere before i; deliberately never reset at a line break.
  std::int64_t lastSpace = 0;
  std::string current;
  for (std::int64_t i = 1; i <= n; ++i) {
    const std::string_view c = character(i);
    const bool isSpace = c == " ";
    const bool isReturn = c == "\r";
    current.append(c);
    if (isSpace) lastSpace = i;
    // Spaces at the start of a line are not carried in it.
    if (OnlySpaces(current)) current.clear();
    const bool fits = measure.TextWidth(current) <= widthLimit;
    if (!isReturn && fits && i < n) continue;

    std::string line;
    if (i == n || isSpace || isReturn) {
      // The last line stays whole; a line ending at a space keeps it.
      line = current;
    } else if (lastSpace > lineStart) {
      line = characters(lineStart, lastSpace - 1);
      i = lastSpace;
    } else if (i > lineStart) {
      // No space to break at: cut before the character that overflowed.
      line = characters(lineStart, i - 1);
      i = i - 1;
    } else {
      line = std::string(c);
    }
    std::erase(line, '\r');
    lines.push_back(std::move(line));
    current.clear();
    lineStart = i + 1;
  }
  return lines;
}

TextPlacement PlaceTitle(ISurface& surface, const std::string& title, int displayWidth) {
  const double width = surface.TextWidth(title);
  return {RoundToInt32(displayWidth / 2.0 - width / 2.0), 0};
}

BlockPlacement PlaceLines(ISurface& surface, const std::vector<std::string>& lines,
                          int displayWidth, int displayHeight) {
  BlockPlacement block;
  const double lineHeight = lines.empty() ? 0.0 : surface.TextHeight(lines.front());
  const double count = static_cast<double>(lines.size());
  std::int32_t y = RoundToInt32(displayHeight / 2.0 - lineHeight * count / 2.0);
  block.lines.reserve(lines.size());
  for (const std::string& line : lines) {
    const double width = surface.TextWidth(line);
    block.lines.push_back({RoundToInt32(displayWidth / 2.0 - width / 2.0), y});
    y = RoundToInt32(static_cast<double>(surface.TextHeight(line)) + y);
  }
  block.nextY = y;
  return block;
}

TextPlacement PlaceReference(ISurface& surface, const std::string& reference, int displayWidth,
                             std::int32_t blockBottom) {
  const double width = surface.TextWidth(reference);
  const double height = surface.TextHeight(reference);
  return {RoundToInt32(displayWidth / 2.0 - width / 2.0), RoundToInt32(2.0 * height + blockBottom)};
}

}  // namespace vw
