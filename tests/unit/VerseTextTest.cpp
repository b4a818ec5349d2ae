#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

using mSharedBookDefine::BookName;
using mSharedBookDefine::ReferenceLine;
using mSharedBookDefine::VerseText;

TEST(BookName, SixtySixNamesAndNothingOutside) {
  for (std::int16_t book : {1, 66}) EXPECT_NE(BookName(book), "") << book;
  for (std::int16_t book : {0, 67, -1, INT16_MAX, INT16_MIN}) EXPECT_EQ(BookName(book), "") << book;
}

TEST(ReferenceLine, BookChapterColonVerse) {
  struct Case {
    std::int16_t book, chapter, verse;
    std::string line;
  };
  const std::vector<Case> cases = {
      {43, 3, 16, "John 3:16"},
      {22, 2, 1, "Song of Solomon 2:1"},
      {9, 17, 49, "1 Samuel 17:49"},
      {19, 119, 176, "Psalms 119:176"},
      {0, 0, 0, " 0:0"},  // unknown book: the line starts with the blank
      {67, -3, 1000, " -3:1000"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReferenceLine({c.book, c.chapter, c.verse, std::string(528, ' ')}), c.line);
}

TEST(VerseText, TrimsBlanksOnlyAtTheEnds) {
  struct Case {
    std::string stored;  // before padding to 528
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"   For God so  loved the world", "For God so  loved the world"},
      {"", ""},
      {"\tTabbed\t", "\tTabbed\t"},  // only code 32 counts as a blank
      {" a\x01 b\r\n ", "a\x01 b\r\n"},
      {"caf\xC3\xA9 ", "caf\xC3\xA9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VerseText({1, 1, 1, c.stored + std::string(528 - c.stored.size(), ' ')}), c.shown);
  }
}

}  // namespace
}  // namespace vw
