#include "verses/CTypeRFA.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/VerseFiles.h"
#include "verses/Windows1252.h"

namespace vw {
namespace {

using test::NumberedRecord;
using test::ReadBytes;
using test::RecordBytes;
using test::TempDir;
using test::WriteBytes;

constexpr std::int32_t kLength = kVerseRecordLength;

std::string NumberedRecords(int count) {
  std::string bytes;
  for (int r = 1; r <= count; ++r) bytes += NumberedRecord(r);
  return bytes;
}

class VerseFileTest : public ::testing::Test {
 protected:
  // Writes `bytes` as the file and opens it with 534-byte records.
  CTypeRFA& Open(const std::string& bytes, const std::string& name = "verses.dat") {
    path_ = dir_.File(name);
    WriteBytes(path_, bytes);
    file_.FileName(path_);
    std::int32_t length = kLength;
    file_.OpenFile(length);
    return file_;
  }
  // A buffer that no fetch of the test files could produce, to see that it stays.
  void MarkBuffer() {
    buffer_.Book = -7;
    buffer_.Chapter = -8;
    buffer_.Verse = -9;
    buffer_.Text = "untouched";
  }
  void ExpectBufferMarked() {
    EXPECT_EQ(buffer_.Book, -7);
    EXPECT_EQ(buffer_.Chapter, -8);
    EXPECT_EQ(buffer_.Verse, -9);
    EXPECT_EQ(buffer_.Text, "untouched");
  }

  TempDir dir_;
  std::string path_;
  VerseRecord buffer_;
  CTypeRFA file_{buffer_};
};

TEST_F(VerseFileTest, NewObjectIsEmptyAndClosingItIsHarmless) {
  EXPECT_EQ(file_.FileName(), "");
  EXPECT_EQ(file_.GetCurrentRecord(), 0);
  EXPECT_EQ(file_.GetRecordCount(), 0);
  EXPECT_EQ(file_.GetRecordLength(), 0);
  EXPECT_TRUE(file_.NoMatch());
  file_.CloseTable();
  file_.CloseTable();
  std::int32_t r = 1;
  file_.FetchRecord(r);
  EXPECT_TRUE(file_.NoMatch());
}

TEST_F(VerseFileTest, RecordCountRoundsTheLengthHalfToEven) {
  struct Case {
    std::size_t bytes;
    std::int32_t count;
  };
  const std::vector<Case> cases = {
      {0, 0},
      {534 * 1, 1},
      {534 * 7, 7},
      {534 * 3 + 267, 4},  // N odd: exactly half a record rounds up to the even 4
      {534 * 4 + 267, 4},  // N even: exactly half a record is dropped
      {267, 0},
      {534 * 4 + 268, 5},
      {534 * 4 + 266, 4},
      {268, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    VerseRecord buffer;
    CTypeRFA file(buffer);
    const std::string path = dir_.File("count" + std::to_string(c.bytes) + ".dat");
    WriteBytes(path, std::string(c.bytes, 'x'));
    file.FileName(path);
    std::int32_t length = kLength;
    file.OpenFile(length);
    EXPECT_EQ(file.GetRecordCount(), c.count);
    EXPECT_EQ(file.GetRecordLength(), kLength);
    EXPECT_EQ(file.GetCurrentRecord(), 1);
    EXPECT_TRUE(file.NoMatch());  // opening fetches nothing
    EXPECT_EQ(file.ReadCount(), 0);
  }
}

TEST_F(VerseFileTest, FetchDeliversEachRecordUpToTheLast) {
  const int n = 5;
  Open(NumberedRecords(n));
  for (std::int32_t r = n; r >= 1; --r) {
    std::int32_t wanted = r;
    file_.FetchRecord(wanted);
    ASSERT_FALSE(file_.NoMatch()) << r;
    EXPECT_EQ(file_.GetCurrentRecord(), r);
    EXPECT_EQ(buffer_.Verse, r);
    EXPECT_EQ(buffer_.Book, 1);
    EXPECT_EQ(buffer_.Text.size(), kVerseTextLength);
    EXPECT_EQ(buffer_.Text.substr(0, 9), "Record " + std::to_string(r) + " ");
  }
}

TEST_F(VerseFileTest, FailedFetchesLeaveBufferAndPositionAlone) {
  const int n = 4;
  Open(NumberedRecords(n));
  std::int32_t two = 2;
  file_.FetchRecord(two);
  ASSERT_FALSE(file_.NoMatch());
  for (std::int32_t bad : {0, -5, n + 1, INT32_MAX, INT32_MIN}) {
    SCOPED_TRACE(bad);
    MarkBuffer();
    std::int32_t r = bad;
    file_.FetchRecord(r);
    EXPECT_TRUE(file_.NoMatch());
    EXPECT_EQ(file_.GetCurrentRecord(), 2);
    EXPECT_EQ(r, bad);
    ExpectBufferMarked();
  }
  // Record n is the last one delivered.
  std::int32_t last = n;
  file_.FetchRecord(last);
  EXPECT_FALSE(file_.NoMatch());
  EXPECT_EQ(buffer_.Verse, n);
}

TEST_F(VerseFileTest, TruncatedLastRecordIsNoMatch) {
  // 3 whole records and 400 bytes of a fourth: counted, but never delivered.
  Open(NumberedRecords(3) + NumberedRecord(4).substr(0, 400));
  ASSERT_EQ(file_.GetRecordCount(), 4);
  std::int32_t three = 3;
  file_.FetchRecord(three);
  ASSERT_FALSE(file_.NoMatch());
  MarkBuffer();
  std::int32_t four = 4;
  file_.FetchRecord(four);
  EXPECT_TRUE(file_.NoMatch());
  EXPECT_EQ(file_.GetCurrentRecord(), 3);
  ExpectBufferMarked();
  // The stream recovers: the next good fetch works.
  file_.FetchRecord(three);
  EXPECT_FALSE(file_.NoMatch());
  EXPECT_EQ(buffer_.Verse, 3);
}

TEST_F(VerseFileTest, MovesAndEndOfFile) {
  const int n = 3;
  Open(NumberedRecords(n));
  file_.MoveFirst();
  EXPECT_FALSE(file_.NoMatch());
  EXPECT_EQ(buffer_.Verse, 1);

  // On record 1 MovePrevious stays there and reads nothing.
  MarkBuffer();
  const auto reads = file_.ReadCount();
  file_.MovePrevious();
  EXPECT_TRUE(file_.NoMatch());
  EXPECT_EQ(file_.GetCurrentRecord(), 1);
  EXPECT_EQ(file_.ReadCount(), reads);
  ExpectBufferMarked();

  file_.MoveNext();
  EXPECT_EQ(buffer_.Verse, 2);
  file_.MoveLast();
  EXPECT_FALSE(file_.NoMatch());
  EXPECT_EQ(file_.GetCurrentRecord(), n);
  EXPECT_EQ(buffer_.Verse, n);
  EXPECT_FALSE(file_.cEOF());
  file_.MovePrevious();
  EXPECT_EQ(buffer_.Verse, n - 1);
  file_.MoveNext();
  EXPECT_FALSE(file_.cEOF());

  // Past the last record the position keeps the new value.
  file_.MoveNext();
  EXPECT_TRUE(file_.NoMatch());
  EXPECT_EQ(file_.GetCurrentRecord(), n + 1);
  EXPECT_TRUE(file_.cEOF());
  EXPECT_EQ(buffer_.Verse, n);
}

TEST_F(VerseFileTest, EmptyFileHasNothingToFetch) {
  Open("");
  EXPECT_EQ(file_.GetRecordCount(), 0);
  file_.MoveFirst();
  EXPECT_TRUE(file_.NoMatch());
  EXPECT_TRUE(file_.cEOF());
  file_.MoveLast();
  EXPECT_TRUE(file_.NoMatch());
}

TEST_F(VerseFileTest, OpeningAMissingFileCreatesItEmpty) {
  const std::string path = dir_.File("new.dat");
  ASSERT_FALSE(FileExists(path));
  file_.FileName(path);
  std::int32_t length = kLength;
  file_.OpenFile(length);
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  EXPECT_EQ(file_.GetRecordCount(), 0);
  file_.MoveFirst();
  EXPECT_TRUE(file_.NoMatch());
}

TEST_F(VerseFileTest, CreateFileNeverTouchesAnExistingFile) {
  const std::string bytes = NumberedRecords(2);
  const std::string path = dir_.File("keep.dat");
  WriteBytes(path, bytes);
  file_.FileName(path);
  file_.CreateFile();
  EXPECT_EQ(ReadBytes(path), bytes);

  // A folder that does not exist: nothing is created and nothing fails loudly.
  file_.FileName(dir_.File("no/such/folder/x.dat"));
  file_.CreateFile();
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "no"));
}

TEST_F(VerseFileTest, ReadingLeavesTheFileAsItWas) {
  const std::string bytes = NumberedRecords(3);
  Open(bytes);
  file_.MoveFirst();
  file_.MoveNext();
  file_.MoveLast();
  file_.CloseTable();
  EXPECT_EQ(ReadBytes(path_), bytes);
}

TEST_F(VerseFileTest, AddNewAndUpdateAppendARecord) {
  const int n = 3;
  Open(NumberedRecords(n));
  file_.MoveFirst();
  file_.AddNew();
  EXPECT_EQ(file_.GetCurrentRecord(), n + 1);
  buffer_ = {43, 3, 16, "For God so loved the world"};
  file_.Update();
  EXPECT_EQ(file_.GetRecordCount(), n + 1);
  EXPECT_EQ(file_.GetCurrentRecord(), n + 1);

  const std::string onDisk = ReadBytes(path_);
  ASSERT_EQ(onDisk.size(), static_cast<std::size_t>(kLength * (n + 1)));
  EXPECT_EQ(onDisk.substr(kLength * n), RecordBytes(43, 3, 16, "For God so loved the world"));
  EXPECT_EQ(onDisk.substr(0, kLength * n), NumberedRecords(n));

  // The same object reads back what it wrote.
  MarkBuffer();
  std::int32_t added = n + 1;
  file_.FetchRecord(added);
  ASSERT_FALSE(file_.NoMatch());
  EXPECT_EQ(buffer_.Book, 43);
  EXPECT_EQ(buffer_.Verse, 16);
  EXPECT_EQ(buffer_.Text, "For God so loved the world" + std::string(528 - 26, ' '));
}

TEST_F(VerseFileTest, UpdateAfterFetchOrEditOverwritesTheCurrentRecord) {
  Open(NumberedRecords(3));
  std::int32_t two = 2;
  file_.FetchRecord(two);
  buffer_.Text = "changed";
  file_.Update();
  EXPECT_EQ(file_.GetRecordCount(), 3);
  EXPECT_EQ(file_.GetCurrentRecord(), 2);

  // AddNew, then Edit takes the append back; after a move the current record is replaced.
  file_.AddNew();
  file_.Edit();
  file_.MoveFirst();
  buffer_ = {5, 6, 7, "edited"};
  file_.Update();
  EXPECT_EQ(file_.GetRecordCount(), 3);

  const std::string onDisk = ReadBytes(path_);
  ASSERT_EQ(onDisk.size(), static_cast<std::size_t>(kLength * 3));
  EXPECT_EQ(onDisk.substr(0, kLength), RecordBytes(5, 6, 7, "edited"));
  EXPECT_EQ(onDisk.substr(kLength, kLength), RecordBytes(1, 2, 2, "changed"));
  EXPECT_EQ(onDisk.substr(2 * kLength), NumberedRecord(3));
}

TEST_F(VerseFileTest, UpdateWritesWindows1252AndCutsTheTextAt528) {
  Open(NumberedRecords(1));
  file_.MoveFirst();
  buffer_.Text =
      "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC \xE4\xB8\xAD";  // last: not in 1252
  file_.Update();
  EXPECT_EQ(ReadBytes(path_), RecordBytes(1, 1, 1, "caf\xE9 \x93quoted\x94 \x80 ?"));

  buffer_.Text = std::string(600, 'a');
  file_.Update();
  EXPECT_EQ(ReadBytes(path_), RecordBytes(1, 1, 1, std::string(528, 'a')));
}

TEST_F(VerseFileTest, TextKeepsItsBlanksAndControlCharacters) {
  const std::string text = "   In the  beginning\tGod\x01   ";
  Open(RecordBytes(1, 1, 1, text));
  file_.MoveFirst();
  ASSERT_FALSE(file_.NoMatch());
  EXPECT_EQ(buffer_.Text, text + std::string(528 - text.size(), ' '));
}

TEST_F(VerseFileTest, BytesAbove127AreReadAsWindows1252) {
  Open(RecordBytes(1, 1, 1,
                   "\x80\x93"
                   "Caf\xE9\x94 \x81\xFF"));
  file_.MoveFirst();
  ASSERT_FALSE(file_.NoMatch());
  const std::string expected =
      "\xE2\x82\xAC\xE2\x80\x9C"
      "Caf\xC3\xA9\xE2\x80\x9D \xC2\x81\xC3\xBF";
  EXPECT_EQ(buffer_.Text.substr(0, expected.size()), expected);
  EXPECT_EQ(buffer_.Text.substr(expected.size()), std::string(528 - 10, ' '));
}

TEST_F(VerseFileTest, EveryFetchIsOneReadOfOneRecord) {
  Open(NumberedRecords(6));
  std::int32_t r = 4;
  file_.FetchRecord(r);
  file_.MoveNext();
  file_.MoveNext();
  file_.MoveNext();  // past the end: no read at all
  EXPECT_EQ(file_.ReadCount(), 3);
  EXPECT_EQ(file_.BytesRead(), 3 * kLength);
}

TEST_F(VerseFileTest, LongerRecordsAreReadAtTheirOwnOffsets) {
  // Records of 600 bytes hold the 534-byte record and 66 bytes of filler.
  std::string bytes;
  for (int r = 1; r <= 3; ++r) bytes += NumberedRecord(r) + std::string(66, '#');
  path_ = dir_.File("wide.dat");
  WriteBytes(path_, bytes);
  file_.FileName(path_);
  std::int32_t length = 600;
  file_.OpenFile(length);
  EXPECT_EQ(file_.GetRecordCount(), 3);
  file_.MoveLast();
  ASSERT_FALSE(file_.NoMatch());
  EXPECT_EQ(buffer_.Verse, 3);
  EXPECT_EQ(file_.BytesRead(), kLength);
}

TEST_F(VerseFileTest, DestructionClosesTheFile) {
  path_ = dir_.File("closed.dat");
  WriteBytes(path_, NumberedRecords(2));
  {
    VerseRecord buffer;
    CTypeRFA file(buffer);
    file.FileName(path_);
    std::int32_t length = kLength;
    file.OpenFile(length);
    file.MoveFirst();
    EXPECT_FALSE(file.NoMatch());
  }
  // Closed: the file can go (Windows would refuse while it is open).
  EXPECT_TRUE(std::filesystem::remove(path_));
}

TEST_F(VerseFileTest, TwoReadersShareOneFile) {
  Open(NumberedRecords(3));
  VerseRecord other;
  CTypeRFA second(other);
  second.FileName(path_);
  std::int32_t length = kLength;
  second.OpenFile(length);
  second.MoveLast();
  file_.MoveFirst();
  EXPECT_FALSE(second.NoMatch());
  EXPECT_FALSE(file_.NoMatch());
  EXPECT_EQ(other.Verse, 3);
  EXPECT_EQ(buffer_.Verse, 1);
}

TEST(FileExists, AnswersOnlyForReadableFiles) {
  TempDir dir;
  const std::string file = dir.File("there.dat");
  WriteBytes(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir.File("missing.dat")));
  EXPECT_FALSE(FileExists(dir.File("missing/folder/kjv.dat")));
  EXPECT_FALSE(FileExists(dir.Path().generic_string()));  // a folder is no file
}

TEST(FileExists, PathsAreUtf8) {
  TempDir dir;
  const std::string name = "Gen\xC3\xA8se \xE2\x80\x94 \xD0\x91\xD0\xB8\xD0\xB1.dat";
  const std::string path = dir.Path().generic_string() + "/" + name;
  {
    std::ofstream out(std::filesystem::path(std::u8string(
                          reinterpret_cast<const char8_t*>(path.data()), path.size())),
                      std::ios::binary);
    out << test::NumberedRecord(1);
  }
  EXPECT_TRUE(FileExists(path));
  VerseRecord buffer;
  CTypeRFA file(buffer);
  file.FileName(path);
  std::int32_t length = kLength;
  file.OpenFile(length);
  file.MoveFirst();
  EXPECT_FALSE(file.NoMatch());
  EXPECT_EQ(buffer.Verse, 1);
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = Windows1252ToUtf8(all);
  EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(Windows1252, MalformedUtf8BecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToWindows1252("a\xC3"), "a?");                 // cut short
  EXPECT_EQ(Utf8ToWindows1252("a\xC3(b"), "a?(b");             // bad continuation
  EXPECT_EQ(Utf8ToWindows1252("\xFF\xF0\x9F\x98\x80"), "??");  // stray byte, emoji
}

}  // namespace
}  // namespace vw
