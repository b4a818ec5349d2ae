// Checks against the real kjv.dat that the build generates.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/ProgramState.h"
#include "verses/CTypeRFA.h"
#include "verses/VerseRotation.h"
#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

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

TEST_F(KjvTest, John316) {
  EXPECT_EQ(At(26137), "John 3:16");
  EXPECT_EQ(mSharedBookDefine::VerseText(buffer_),
            "For God so loved the world, that he gave his only begotten Son, that whosoever "
            "believeth in him should not perish, but have everlasting life.");
}

TEST_F(KjvTest, TenCommandmentsComeWithTheirTitle) {
  ProgramState program;
  VerseRotation rotation{program.Settings, program.Topics, program.VerseBuffer};
  BuildTopicTable(program.Topics);
  rotation.BuildTopicLists();
  ASSERT_TRUE(rotation.OpenVerseFile(
      std::filesystem::path(VELLUMWAY_KJV_DAT).parent_path().generic_string() + "/"));
  EXPECT_EQ(mSharedBookDefine::ReferenceLine(program.VerseBuffer), "Genesis 1:1");
  program.Settings.Display = 2;
  const Verse verse = rotation.NextVerse();
  EXPECT_EQ(rotation.GetCurrentRecord(), 2055);
  EXPECT_EQ(verse.Title, "The Ten Commandments");
  EXPECT_EQ(verse.Reference, "Exodus 20:3");
  EXPECT_EQ(verse.Text, "Thou shalt have no other gods before me.");
}

TEST_F(KjvTest, EveryTopicEntryIsAVerseOfTheFile) {
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
  EXPECT_EQ(At(139), "Genesis 6:1");
  EXPECT_EQ(At(235), "Genesis 9:29");
  EXPECT_EQ(At(6886), "Judges 13:1");
  EXPECT_EQ(At(6981), "Judges 16:31");
  EXPECT_EQ(At(2069), "Exodus 20:17");
}

TEST_F(KjvTest, EveryRecordReadsAsA528CharacterText) {
  EXPECT_EQ(file_.GetRecordCount(), 31102);
  int books = 0;
  std::int16_t lastBook = 0;
  for (file_.MoveFirst(); !file_.NoMatch(); file_.MoveNext()) {
    std::size_t characters = 0;
    for (unsigned char c : buffer_.Text)
      if ((c & 0xC0) != 0x80) ++characters;
    ASSERT_EQ(characters, kVerseTextLength) << file_.GetCurrentRecord();
    if (buffer_.Book != lastBook) ++books, lastBook = buffer_.Book;
  }
  EXPECT_EQ(file_.GetCurrentRecord(), 31103);
  EXPECT_EQ(books, 66);
  EXPECT_EQ(mSharedBookDefine::ReferenceLine(buffer_), "Revelation 22:21");
}

}  // namespace
}  // namespace vw
