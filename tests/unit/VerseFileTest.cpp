// The verse file: its records on disk, the book names a user reads letter for letter (a typo
// fails here; the topic titles are pinned where the rotation shows them, in RotationTest), the
// topic lists, and the real kjv.dat the build generates.
#include "verses/CTypeRFA.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/VerseFiles.h"
#include "verses/TopicLists.h"
#include "verses/Windows1252.h"
#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

using namespace test;

constexpr std::int32_t kLength = kVerseRecordLength;
// A buffer that no fetch of the test files could produce, to see that it stays.
const VerseRecord kMarked{-7, -8, -9, "untouched"};

class VerseFileTest : public ::testing::Test {
 protected:
  // Writes `bytes` as the file and opens it.
  void Open(const std::string& bytes) {
    WriteBytes(path_, bytes);
    OpenPath(path_);
  }
  void OpenPath(const std::string& path) {
    std::int32_t length = kLength;
    file_.FileName(path);
    file_.OpenFile(length);
  }
  bool Fetch(std::int32_t r) {
    file_.FetchRecord(r);
    return !file_.NoMatch();
  }
  // What a call did: the record the file stands on, NoMatch, cEOF, the reads the call made
  // and the verse in the buffer.
  template <class Call>
  std::string After(Call call) {
    const auto reads = file_.ReadCount();
    call();
    return std::to_string(file_.GetCurrentRecord()) + (file_.NoMatch() ? " nomatch" : "") +
           (file_.cEOF() ? " eof" : "") + " reads " + std::to_string(file_.ReadCount() - reads) +
           " verse " + std::to_string(buffer_.Verse);
  }

  TempDir dir_;
  const std::string path_ = dir_.File("verses.dat");
  VerseRecord buffer_;
  CTypeRFA file_{buffer_};
};

TEST_F(VerseFileTest, FetchDeliversWholeRecordsOneToNAndNothingElse) {
  // Five records and most of a sixth: counted, never delivered.
  const int n = 5;
  Open(NumberedRecords(n) + NumberedRecord(n + 1).substr(0, 400));
  ASSERT_EQ(file_.GetRecordCount(), n + 1);
  for (std::int32_t r = n; r >= 2; --r) {
    ASSERT_TRUE(Fetch(r)) << r;
    EXPECT_EQ(buffer_.Chapter * 1000 + buffer_.Verse, r * 1001);
    EXPECT_EQ(buffer_.Text, "Record " + std::to_string(r) + std::string(528 - 8, ' '));
  }
  // A failed fetch leaves the buffer, the position and the argument alone; only the short
  // record is read at all.
  for (std::int32_t bad : {0, -5, n + 1, n + 2, INT32_MAX, INT32_MIN}) {
    buffer_ = kMarked;
    std::int32_t r = bad;
    EXPECT_EQ(After([&] { file_.FetchRecord(r); }),
              "2 nomatch reads " + std::to_string(bad == n + 1) + " verse -9")
        << bad;
    EXPECT_EQ(r, bad);
    EXPECT_EQ(buffer_.Text, kMarked.Text);
  }
  EXPECT_TRUE(Fetch(3)) << "the stream recovers";
}

TEST_F(VerseFileTest, MovesEndOfFileAndUpdates) {
  Open(NumberedRecords(3));
  EXPECT_EQ(After([&] { file_.MoveFirst(); }), "1 reads 1 verse 1");
  buffer_ = kMarked;  // on record 1 MovePrevious stays there and reads nothing
  EXPECT_EQ(After([&] { file_.MovePrevious(); }), "1 nomatch reads 0 verse -9");
  EXPECT_EQ(After([&] { file_.MoveNext(); }), "2 reads 1 verse 2");
  EXPECT_EQ(After([&] { file_.MoveLast(); }), "3 reads 1 verse 3");
  // Past the last record the position keeps the new value.
  EXPECT_EQ(After([&] { file_.MoveNext(); }), "4 nomatch eof reads 0 verse 3");

  // Update overwrites the current record, or appends after AddNew.
  ASSERT_TRUE(Fetch(2));
  buffer_.Text = "changed";
  file_.Update();
  file_.AddNew();
  buffer_ = {43, 3, 16, "For God so loved the world"};
  file_.Update();
  EXPECT_EQ(file_.GetCurrentRecord(), 4);

  // AddNew, then Edit takes the append back; after a move the current record is replaced.
  file_.AddNew();
  file_.Edit();
  file_.MoveFirst();
  buffer_ = {5, 6, 7, "edited"};
  file_.Update();
  EXPECT_EQ(file_.GetRecordCount(), 4);

  EXPECT_EQ(ReadBytes(path_), EncodeVerseRecord(5, 6, 7, "edited") +
                                  EncodeVerseRecord(1, 2, 2, "changed") + NumberedRecord(3) +
                                  EncodeVerseRecord(43, 3, 16, "For God so loved the world"));
}

TEST_F(VerseFileTest, TextIsWindows1252OnDiskAndKeepsItsBlanks) {
  const std::string blanks = "   In the  beginning\tGod\x01   ";
  Open(EncodeVerseRecord(1, 1, 1, blanks) + EncodeVerseRecord(1, 1, 2,
                                                              "\x80\x93"
                                                              "Caf\xE9\x94 \x81\xFF"));
  ASSERT_TRUE(Fetch(1));
  EXPECT_EQ(buffer_.Text, blanks + std::string(528 - blanks.size(), ' '));
  ASSERT_TRUE(Fetch(2));
  const std::string utf8 =
      "\xE2\x82\xAC\xE2\x80\x9C"
      "Caf\xC3\xA9\xE2\x80\x9D \xC2\x81\xC3\xBF";
  EXPECT_EQ(buffer_.Text, utf8 + std::string(528 - 10, ' '));

  buffer_.Text = "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC \xE4\xB8\xAD";
  file_.Update();  // the last character is not in Windows-1252
  EXPECT_EQ(ReadBytes(path_).substr(kLength),
            EncodeVerseRecord(1, 1, 2, "caf\xE9 \x93quoted\x94 \x80 ?"));
}

// The layout itself, byte by byte: the reader, kjv.dat's maker and the tests' files all use
// this one encoder and decoder, so a fault in it would pass every round trip.
TEST(VerseRecordBytes, NumbersLittleEndianThenTheTextPaddedOrCut) {
  const std::string bytes = EncodeVerseRecord(0x0102, -2, 0x7FFF, std::string("ab\x00\xE9", 4));
  ASSERT_EQ(bytes.size(), 534u);
  EXPECT_EQ(bytes.substr(0, 10), std::string("\x02\x01\xFE\xFF\xFF\x7F"
                                             "ab\x00\xE9",
                                             10));
  EXPECT_EQ(bytes.substr(10), std::string(524, ' '));
  EXPECT_EQ(EncodeVerseRecord(1, 1, 1, std::string(600, 'x')).substr(6), std::string(528, 'x'));

  const std::string file = bytes + "next record";  // the decoder reads one record's worth
  const VerseRecordFields f = DecodeVerseRecord(file);
  EXPECT_EQ(std::make_tuple(f.Book, f.Chapter, f.Verse, f.TextBytes),
            std::make_tuple(0x0102, -2, 0x7FFF, bytes.substr(6)));
}

TEST(Windows1252, TheBytes80To9FAndARoundTripOfAll256) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  // The five undefined bytes stay the control characters of their number.
  EXPECT_EQ(Windows1252ToUtf8(all.substr(0x80, 32)),
            "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152"
            "\u008D\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122"
            "\u0161\u203A\u0153\u009D\u017E\u0178");
  EXPECT_EQ(Windows1252ToUtf8(all.substr(0, 0x80)), all.substr(0, 0x80));
  EXPECT_EQ(Windows1252ToUtf8("\xA0\xBF\xC0\xFF"), "\u00A0\u00BF\u00C0\u00FF");
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
}

TEST(FileExists, AnswersOnlyForReadableFiles) {
  TempDir dir;
  const std::string utf8 = dir.File("Gen\xC3\xA8se \xE2\x80\x94 \xD0\x91\xD0\xB8\xD0\xB1.dat");
  WriteBytes(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())), "x");
  EXPECT_TRUE(FileExists(utf8));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir.File("missing.dat")));
  EXPECT_FALSE(FileExists(dir.File("missing/folder/kjv.dat")));
  EXPECT_FALSE(FileExists(dir.Path().generic_string()));  // a folder is no file
}

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

// The kjv.dat the build generates: every topic entry is a verse of it.
TEST_F(VerseFileTest, KjvDatHoldsEveryTopicEntry) {
  if (!std::filesystem::exists(VELLUMWAY_KJV_DAT)) GTEST_SKIP() << VELLUMWAY_KJV_DAT;
  OpenPath(VELLUMWAY_KJV_DAT);
  // The reference line of record r, "" when it cannot be read.
  auto At = [&](std::int32_t r) {
    return Fetch(r) ? mSharedBookDefine::ReferenceLine(buffer_) : std::string();
  };
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
