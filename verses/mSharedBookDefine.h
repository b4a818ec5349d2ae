#pragma once
#include <cstdint>
#include <string>

#include "verses/VerseRecord.h"

namespace vw::mSharedBookDefine {

// The display name of book 1 to 66 in canonical order; "" for any other number.
std::string BookName(const std::int16_t& book);

// "John 3:16": book name, a blank, chapter, a colon, verse. An unknown book leaves the
// name empty, so the line then starts with the blank.
std::string ReferenceLine(const VerseRecord& record);

// The record's text without leading and trailing blanks (code 32 only); everything
// inside, control characters included, stays as stored.
std::string VerseText(const VerseRecord& record);

}  // namespace vw::mSharedBookDefine
