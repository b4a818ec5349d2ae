// What a user reads of the verses: the book names letter for letter (a typo fails here; the
// topic titles are pinned where the rotation shows them, in RotationTest), the topic lists,
// and every entry a verse of the real kjv.dat that the build generates.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "verses/CTypeRFA.h"
#include "verses/TopicLists.h"
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

TEST(TopicList, KeepsOrderRefusesDuplicatesAndCounts) {
  TopicList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Add(30) && list.Add(10) && !list.Add(30) && list.Add(20));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(std::vector<std::int32_t>({list.Entry(1), list.Entry(2), list.Entry(3)}),
            std::vector<std::int32_t>({30, 10, 20}));
  EXPECT_THROW(list.Entry(0), std::out_of_range);
  EXPECT_THROW(list.Entry(4), std::out_of_range);
}

class KjvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(VELLUMWAY_KJV_DAT)) GTEST_SKIP() << VELLUMWAY_KJV_DAT;
    std::int32_t length = kVerseRecordLength;
    file_.FileName(VELLUMWAY_KJV_DAT);
    file_.OpenFile(length);
  }
  // The reference line of record r, "" when it cannot be read.
  std::string At(std::int32_t r) {
    file_.FetchRecord(r);
    return file_.NoMatch() ? "" : mSharedBookDefine::ReferenceLine(buffer_);
  }

  VerseRecord buffer_;
  CTypeRFA file_{buffer_};
};

TEST_F(KjvTest, EveryTopicEntryIsAVerseOfTheFile) {
  EXPECT_EQ(At(26137), "John 3:16");
  EXPECT_EQ(mSharedBookDefine::VerseText(buffer_),
            "For God so loved the world, that he gave his only begotten Son, that whosoever "
            "believeth in him should not perish, but have everlasting life.");
  TopicLists lists;
  BuildTopicLists(lists);
  for (std::int32_t value : {2, 4, 8, 16, 32}) {
    const TopicList* list = lists.ListFor(value);
    ASSERT_NE(list, nullptr);
    for (int i = 1; i <= list->Count(); ++i) {
      ASSERT_NE(At(list->Entry(i)), "") << value << " entry " << i;
      EXPECT_FALSE(mSharedBookDefine::BookName(buffer_.Book).empty()) << list->Entry(i);
      EXPECT_FALSE(mSharedBookDefine::VerseText(buffer_).empty()) << list->Entry(i);
    }
  }
  // The runs name the verses they are meant to.
  const std::pair<std::int32_t, const char*> runs[] = {
      {139, "Genesis 6:1"},   {235, "Genesis 9:29"}, {2055, "Exodus 20:3"},
      {2069, "Exodus 20:17"}, {6886, "Judges 13:1"}, {6981, "Judges 16:31"}};
  for (const auto& [record, line] : runs) EXPECT_EQ(At(record), line);
}

}  // namespace
}  // namespace vw
