#pragma once
#include <string>
#include <string_view>

namespace vw {

// kjv.dat holds its text in Windows-1252; the program works in UTF-8.

// Every byte becomes one character. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same number, as
// Windows itself converts them, so no byte is lost.
std::string Windows1252ToUtf8(std::string_view bytes);

// The reverse; a character Windows-1252 cannot hold, or a malformed UTF-8 sequence,
// becomes one '?'.
std::string Utf8ToWindows1252(std::string_view text);

}  // namespace vw
