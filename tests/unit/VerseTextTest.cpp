#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

using mSharedBookDefine::BookName;
using mSharedBookDefine::ReferenceLine;
using mSharedBookDefine::VerseText;

TEST(BookName, SixtySixDistinctNamesAndNothingOutside) {
  const std::pair<std::int16_t, std::string> cases[] = {
      {1, "Genesis"},        {19, "Psalms"},          {22, "Song of Solomon"},
      {39, "Malachi"},       {40, "Matthew"},         {44, "Acts of the Apostles"},
      {46, "1 Corinthians"}, {52, "1 Thessalonians"}, {62, "1 John"},
      {64, "3 John"},        {66, "Revelation"}};
  for (const auto& [book, name] : cases) EXPECT_EQ(BookName(book), name) << book;
  std::set<std::string> names;
  for (std::int16_t book = 1; book <= 66; ++book) names.insert(BookName(book));
  EXPECT_EQ(names.size(), 66u);
  EXPECT_EQ(names.count(""), 0u);
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
  for (const Case& c : cases) {
    VerseRecord record{c.book, c.chapter, c.verse, std::string(528, ' ')};
    EXPECT_EQ(ReferenceLine(record), c.line);
  }
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
    std::string text = c.stored;
    text.resize(528, ' ');
    VerseRecord record{1, 1, 1, text};
    EXPECT_EQ(VerseText(record), c.shown);
  }
}

}  // namespace
}  // namespace vw
