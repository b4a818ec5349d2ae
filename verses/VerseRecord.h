#pragma once
#include <cstdint>
#include <string>

namespace vw {

inline constexpr std::int32_t kVerseRecordLength = 534;
inline constexpr std::size_t kVerseTextLength = 528;

// One record of kjv.dat: three little-endian 16-bit numbers and 528 bytes of
// Windows-1252 text padded with blanks. In memory the text is UTF-8.
struct VerseRecord {
  std::int16_t Book = 0;
  std::int16_t Chapter = 0;
  std::int16_t Verse = 0;
  std::string Text;  // 528 characters once a record has been read
};

}  // namespace vw
