#include "verses/VerseRecord.h"

namespace vw {
namespace {

constexpr std::size_t kTextOffset = 6;
static_assert(kTextOffset + kVerseTextLength == kVerseRecordLength);

void PutInt16(std::string& out, std::size_t at, std::int16_t value) {
  const auto u = static_cast<std::uint16_t>(value);
  out[at] = static_cast<char>(u & 0xFF);
  out[at + 1] = static_cast<char>(u >> 8);
}

std::int16_t GetInt16(std::string_view bytes, std::size_t at) {
  const auto lo = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]));
  const auto hi = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at + 1]));
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

}  // namespace

std::string EncodeVerseRecord(std::int16_t book, std::int16_t chapter, std::int16_t verse,
                              std::string_view textBytes) {
  std::string out(kVerseRecordLength, ' ');
  PutInt16(out, 0, book);
  PutInt16(out, 2, chapter);
  PutInt16(out, 4, verse);
  const std::string_view text = textBytes.substr(0, kVerseTextLength);
  out.replace(kTextOffset, text.size(), text);
  return out;
}

VerseRecordFields DecodeVerseRecord(std::string_view bytes) {
  return {GetInt16(bytes, 0), GetInt16(bytes, 2), GetInt16(bytes, 4),
          bytes.substr(kTextOffset, kVerseTextLength)};
}

}  // namespace vw
