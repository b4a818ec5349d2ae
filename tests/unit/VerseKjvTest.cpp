// Checks against the real kjv.dat that the build generates.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/ProgramState.h"
#include "tests/support/FakeTimer.h"
#include "verses/CTypeRFA.h"
#include "verses/VerseRotation.h"
#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

class KjvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(VELLUMWAY_KJV_DAT)) GTEST_SKIP() << VELLUMWAY_KJV_DAT;
    BuildTopicTable(program_.Topics);
    rotation_.BuildTopicLists();
    const std::string folder =
        std::filesystem::path(VELLUMWAY_KJV_DAT).parent_path().generic_string() + "/";
    ASSERT_TRUE(rotation_.OpenVerseFile(folder));
  }

  ProgramState program_;
  test::FakeTimer timer_;
  VerseRotation rotation_{program_, timer_};
};

TEST_F(KjvTest, HoldsEveryVerse) {
  EXPECT_EQ(rotation_.VerseFile().GetRecordCount(), 31102);
  EXPECT_EQ(mSharedBookDefine::ReferenceLine(program_.VerseBuffer), "Genesis 1:1");
}

TEST_F(KjvTest, John316) {
  VerseRecord buffer;
  CTypeRFA file(buffer);
  file.FileName(VELLUMWAY_KJV_DAT);
  std::int32_t length = kVerseRecordLength;
  file.OpenFile(length);
  std::int32_t r = 26137;
  file.FetchRecord(r);
  ASSERT_FALSE(file.NoMatch());
  EXPECT_EQ(mSharedBookDefine::ReferenceLine(buffer), "John 3:16");
  EXPECT_EQ(mSharedBookDefine::VerseText(buffer),
            "For God so loved the world, that he gave his only begotten Son, that whosoever "
            "believeth in him should not perish, but have everlasting life.");
}

TEST_F(KjvTest, TenCommandmentsComeWithTheirTitle) {
  program_.Settings.Display = 2;
  rotation_.NextVerse(program_.CurrentReference, program_.CurrentVerseText);
  EXPECT_EQ(rotation_.GetCurrentRecord(), 2055);
  EXPECT_EQ(rotation_.TopicTitle, "The Ten Commandments");
  EXPECT_EQ(program_.CurrentReference, "Exodus 20:3");
  EXPECT_EQ(program_.CurrentVerseText, "Thou shalt have no other gods before me.");
}

TEST_F(KjvTest, EveryTopicEntryIsAVerseOfTheFile) {
  const TopicLists& lists = rotation_.Lists();
  VerseRecord& buffer = program_.VerseBuffer;
  CTypeRFA file(buffer);
  file.FileName(VELLUMWAY_KJV_DAT);
  std::int32_t length = kVerseRecordLength;
  file.OpenFile(length);
  for (std::int32_t value : {2, 4, 8, 16, 32}) {
    const TopicList* list = lists.ListFor(value);
    ASSERT_NE(list, nullptr);
    for (int i = 1; i <= list->Count(); ++i) {
      std::int32_t r = list->Entry(i);
      file.FetchRecord(r);
      ASSERT_FALSE(file.NoMatch()) << value << " entry " << i;
      EXPECT_FALSE(mSharedBookDefine::BookName(buffer.Book).empty()) << r;
      EXPECT_FALSE(mSharedBookDefine::VerseText(buffer).empty()) << r;
    }
  }
  // The runs name the verses they are meant to.
  auto at = [&](std::int32_t r) {
    file.FetchRecord(r);
    return mSharedBookDefine::ReferenceLine(buffer);
  };
  EXPECT_EQ(at(139), "Genesis 6:1");
  EXPECT_EQ(at(235), "Genesis 9:29");
  EXPECT_EQ(at(6886), "Judges 13:1");
  EXPECT_EQ(at(6981), "Judges 16:31");
  EXPECT_EQ(at(2069), "Exodus 20:17");
}

TEST_F(KjvTest, EveryRecordReadsAsA528CharacterText) {
  VerseRecord buffer;
  CTypeRFA file(buffer);
  file.FileName(VELLUMWAY_KJV_DAT);
  std::int32_t length = kVerseRecordLength;
  file.OpenFile(length);
  int books = 0;
  std::int16_t lastBook = 0;
  for (file.MoveFirst(); !file.NoMatch(); file.MoveNext()) {
    std::size_t characters = 0;
    for (unsigned char c : buffer.Text)
      if ((c & 0xC0) != 0x80) ++characters;
    ASSERT_EQ(characters, kVerseTextLength) << file.GetCurrentRecord();
    if (buffer.Book != lastBook) ++books, lastBook = buffer.Book;
  }
  EXPECT_EQ(file.GetCurrentRecord(), 31103);
  EXPECT_TRUE(file.cEOF());
  EXPECT_EQ(books, 66);
  EXPECT_EQ(mSharedBookDefine::ReferenceLine(buffer), "Revelation 22:21");
}

}  // namespace
}  // namespace vw
