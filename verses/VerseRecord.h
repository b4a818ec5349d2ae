#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// The one description of a record's bytes, used by the reader (CTypeRFA), the writer of
// kjv.dat (tools/make_kjv_dat) and the tests' files.

// The record's kVerseRecordLength bytes: book, chapter and verse as little-endian 16-bit
// numbers, then `textBytes` as they are, cut at or padded with blanks to kVerseTextLength.
std::string EncodeVerseRecord(std::int16_t book, std::int16_t chapter, std::int16_t verse,
                              std::string_view textBytes);

// The fields of a record's bytes (at least kVerseRecordLength of them); the text is its
// kVerseTextLength bytes as they are, blanks included, and points into `bytes`.
struct VerseRecordFields {
  std::int16_t Book, Chapter, Verse;
  std::string_view TextBytes;
};
VerseRecordFields DecodeVerseRecord(std::string_view bytes);

}  // namespace vw
