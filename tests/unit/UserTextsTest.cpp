// The book names a user reads under each verse, letter for letter: a typo fails here (the
// topic titles are pinned where the rotation shows them, in RotationTest).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

// Books 1 to 66, in order.
constexpr const char* kBooks =
    "Genesis|Exodus|Leviticus|Numbers|Deuteronomy|Joshua|Judges|Ruth|1 Samuel|2 Samuel|1 Kings|"
    "2 Kings|1 Chronicles|2 Chronicles|Ezra|Nehemiah|Esther|Job|Psalms|Proverbs|Ecclesiastes|"
    "Song of Solomon|Isaiah|Jeremiah|Lamentations|Ezekiel|Daniel|Hosea|Joel|Amos|Obadiah|Jonah|"
    "Micah|Nahum|Habakkuk|Zephaniah|Haggai|Zechariah|Malachi|Matthew|Mark|Luke|John|"
    "Acts of the Apostles|Romans|1 Corinthians|2 Corinthians|Galatians|Ephesians|Philippians|"
    "Colossians|1 Thessalonians|2 Thessalonians|1 Timothy|2 Timothy|Titus|Philemon|Hebrews|James|"
    "1 Peter|2 Peter|1 John|2 John|3 John|Jude|Revelation";

TEST(UserTexts, BookNames) {
  std::istringstream names(kBooks);
  std::int16_t book = 0;
  for (std::string name; std::getline(names, name, '|');) {
    ++book;
    EXPECT_EQ(mSharedBookDefine::BookName(book), name) << "book " << book;
  }
  EXPECT_EQ(book, 66);
}

}  // namespace
}  // namespace vw
