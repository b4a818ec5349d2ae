#include "verses/VerseRotation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "tests/support/FakeTimer.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/VerseFiles.h"
#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

using test::FakeTimer;
using test::MemorySettingsStore;
using test::TempDir;

constexpr std::int32_t kRecords = 31102;

// What the synthetic file holds for record r (see NumberedRecord).
std::string ExpectedReference(std::int32_t r) {
  return mSharedBookDefine::BookName(static_cast<std::int16_t>(1 + r / 1000)) + " " +
         std::to_string(r % 1000) + ":" + std::to_string(r);
}
std::string ExpectedText(std::int32_t r) {
  return "Record " + std::to_string(r);
}

// The rotation over a file of 31,102 records laid out like kjv.dat, whose every record
// names its own number.
class RotationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>();
    test::WriteNumberedFile(dir_->Path() / "kjv.dat", kRecords);
  }
  static void TearDownTestSuite() { dir_.reset(); }
  static std::string Folder() { return dir_->Path().generic_string() + "/"; }

  void SetUp() override {
    BuildTopicTable(program_.Topics);
    program_.Settings.ChangeSec = 15;
    program_.Settings.Display = 1;
    program_.Settings.LastVerse = 1;
    rotation_.BuildTopicLists();
    ASSERT_TRUE(rotation_.OpenVerseFile(Folder()));
  }

  void Start(std::int32_t display, std::int32_t lastSection, std::int32_t lastVerse) {
    program_.Settings.Display = display;
    program_.Settings.LastSection = lastSection;
    program_.Settings.LastVerse = lastVerse;
    rotation_.RestorePosition();
  }

  // One delivery into the program's strings; answers the record it came from.
  std::int32_t Deliver() {
    rotation_.NextVerse(program_.CurrentReference, program_.CurrentVerseText);
    return program_.VerseBuffer.Verse;
  }
  std::vector<std::int32_t> Deliver(int times) {
    std::vector<std::int32_t> out;
    for (int i = 0; i < times; ++i) out.push_back(Deliver());
    return out;
  }

  static std::unique_ptr<TempDir> dir_;
  ProgramState program_;
  FakeTimer timer_;
  VerseRotation rotation_{program_, timer_};
};

std::unique_ptr<TempDir> RotationTest::dir_;

TEST_F(RotationTest, OpeningFetchesRecordOne) {
  EXPECT_EQ(rotation_.VerseFile().GetRecordCount(), kRecords);
  EXPECT_EQ(rotation_.GetCurrentRecord(), 1);
  EXPECT_EQ(program_.VerseBuffer.Verse, 1);
  EXPECT_EQ(rotation_.VerseFile().FileName(), Folder() + "kjv.dat");
}

TEST_F(RotationTest, MissingVerseFileIsReported) {
  TempDir empty;
  FakeTimer timer;
  ProgramState program;
  VerseRotation rotation(program, timer);
  EXPECT_FALSE(rotation.OpenVerseFile(empty.Path().generic_string() + "/"));
  EXPECT_FALSE(std::filesystem::exists(empty.Path() / "kjv.dat"));  // nothing created
  rotation.CloseVerseFile();  // the unload closes it all the same
  rotation.CloseVerseFile();
  EXPECT_EQ(rotation.GetCurrentRecord(), 0);
}

#ifndef _WIN32
TEST_F(RotationTest, FolderGetsOneBackslashBeforeTheFileName) {
  // Here a backslash is an ordinary file-name character, which shows where it goes.
  TempDir dir;
  test::WriteBytes(dir.Path() / "sub\\kjv.dat", test::NumberedRecord(1));
  const std::string folder = dir.Path().generic_string() + "/sub";
  for (const std::string& given : {folder, folder + "\\"}) {
    FakeTimer timer;
    ProgramState program;
    VerseRotation rotation(program, timer);
    EXPECT_TRUE(rotation.OpenVerseFile(given)) << given;
    EXPECT_EQ(rotation.VerseFile().FileName(), folder + "\\kjv.dat");
  }
}
#endif

TEST_F(RotationTest, FullPassThroughEveryTopicAndBackToRecordOne) {
  Start(63, kAllVerses, 1);
  struct Step {
    std::int32_t record;
    std::string title;
  };
  std::vector<Step> expected;
  for (std::int32_t r = 1; r <= kRecords; ++r) expected.push_back({r, ""});
  const TopicLists& lists = rotation_.Lists();
  for (int pos = 2; pos <= program_.Topics.Count(); ++pos) {
    const TopicEntry& topic = program_.Topics.At(pos);
    const TopicList* list = lists.ListFor(topic.Value);
    ASSERT_NE(list, nullptr);
    for (int i = 1; i <= list->Count(); ++i) expected.push_back({list->Entry(i), topic.Title});
  }
  ASSERT_EQ(expected.size(), static_cast<std::size_t>(kRecords + 10 + 97 + 96 + 20 + 182));
  expected.push_back({1, ""});

  const auto readsBefore = rotation_.VerseFile().ReadCount();
  const auto bytesBefore = rotation_.VerseFile().BytesRead();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const std::int32_t r = Deliver();
    ASSERT_EQ(r, expected[i].record) << "delivery " << i;
    ASSERT_EQ(program_.CurrentReference, ExpectedReference(r)) << "delivery " << i;
    ASSERT_EQ(program_.CurrentVerseText, ExpectedText(r)) << "delivery " << i;
    ASSERT_EQ(rotation_.TopicTitle, expected[i].title) << "delivery " << i;
  }
  const auto deliveries = static_cast<std::int64_t>(expected.size());
  EXPECT_EQ(rotation_.VerseFile().ReadCount() - readsBefore, deliveries);
  EXPECT_EQ(rotation_.VerseFile().BytesRead() - bytesBefore, deliveries * kVerseRecordLength);
  EXPECT_EQ(program_.Settings.LastSection, kAllVerses);
  EXPECT_EQ(program_.Settings.LastVerse, 2);
}

TEST_F(RotationTest, AfterTheLastRecordComeTheTenCommandments) {
  Start(63, kAllVerses, kRecords);
  EXPECT_EQ(Deliver(), kRecords);
  EXPECT_EQ(rotation_.TopicTitle, "");
  EXPECT_EQ(Deliver(), 2055);
  EXPECT_EQ(rotation_.TopicTitle, "The Ten Commandments");
  EXPECT_EQ(program_.Settings.LastSection, kTenCommandments);
  EXPECT_EQ(rotation_.TopicPosition, 1);
  EXPECT_EQ(Deliver(), 2056);
}

TEST_F(RotationTest, EndOfATopicMovesToTheNextEnabledOne) {
  struct Case {
    std::int32_t display;
    std::int32_t next;
    std::int32_t lastSection;
    std::string title;
  };
  // All at the end of "NoahArk" (its 97th entry delivered).
  const std::vector<Case> cases = {
      {6, 2055, kTenCommandments, "The Ten Commandments"},  // wraps to the first enabled
      {5, 1, kAllVerses, ""},
      {4 + 32, 22732, kProphecies, "Bible Prophecies"},
      {4, 139, kNoahArk, "Noah and the Ark"},  // the only topic starts again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.display);
    Start(c.display, kNoahArk, 97);
    rotation_.TopicTitle = "Noah and the Ark";
    EXPECT_EQ(Deliver(), c.next);
    EXPECT_EQ(program_.Settings.LastSection, c.lastSection);
    EXPECT_EQ(rotation_.TopicTitle, c.title);
    EXPECT_EQ(program_.CurrentReference, ExpectedReference(c.next));
  }
}

TEST_F(RotationTest, OneTopicAloneGoesRoundAndRound) {
  Start(2, kTenCommandments, 9);
  EXPECT_EQ(Deliver(3), (std::vector<std::int32_t>{2069, 2055, 2056}));
  EXPECT_EQ(rotation_.TopicPosition, 2);
}

TEST_F(RotationTest, ResumesInsideATopicAfterTheSavedEntry) {
  Start(8, kSamson, 5);
  EXPECT_EQ(rotation_.TopicPosition, 5);
  EXPECT_EQ(Deliver(), 6891);
  EXPECT_EQ(rotation_.TopicTitle, "Story of Samson");
  EXPECT_EQ(Deliver(), 6892);
}

TEST_F(RotationTest, ResumesAllVersesAtTheSavedRecord) {
  Start(1, kAllVerses, 100);
  EXPECT_EQ(rotation_.TopicPosition, 0);
  EXPECT_EQ(Deliver(2), (std::vector<std::int32_t>{100, 101}));
  EXPECT_EQ(program_.Settings.LastVerse, 102);
}

TEST_F(RotationTest, RecordZeroMovesToTheNextTopic) {
  Start(63, kAllVerses, 0);
  EXPECT_EQ(Deliver(), 2055);
  EXPECT_EQ(rotation_.TopicTitle, "The Ten Commandments");
  // With only "AllVerses" enabled the next topic is "AllVerses" again, from record 1.
  Start(1, kAllVerses, 0);
  EXPECT_EQ(Deliver(), 1);
  EXPECT_EQ(rotation_.TopicTitle, "");
}

TEST_F(RotationTest, FirstRunStartsWithTheFirstEnabledTopic) {
  Start(1, 0, 1);  // no "LastSection" stored
  EXPECT_EQ(rotation_.TopicPosition, 1);
  EXPECT_EQ(Deliver(2), (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(program_.Settings.LastSection, kAllVerses);

  Start(16 + 32, 0, 1);
  EXPECT_EQ(Deliver(), 25246);
  EXPECT_EQ(rotation_.TopicTitle, "Versus on Salavation");
}

TEST_F(RotationTest, DisabledTopicHandsOverToTheNextEnabledAfterIt) {
  Start(1 + 32, kNoahArk, 12);
  EXPECT_EQ(Deliver(), 22732);
  EXPECT_EQ(program_.Settings.LastSection, kProphecies);
  // A value that is no single topic has no list: used up at once.
  Start(63, 3, 0);
  EXPECT_EQ(Deliver(), 139);
  EXPECT_EQ(program_.Settings.LastSection, kNoahArk);
}

TEST_F(RotationTest, NoTopicEnabledRepeatsTheVerseOnShow) {
  Start(1, kAllVerses, 500);
  EXPECT_EQ(Deliver(), 500);
  rotation_.TopicTitle = "kept";
  Start(64, kAllVerses, 501);
  EXPECT_EQ(Deliver(2), (std::vector<std::int32_t>{500, 500}));
  EXPECT_EQ(program_.Settings.LastSection, 0);
  EXPECT_EQ(rotation_.TopicTitle, "kept");
  EXPECT_EQ(program_.CurrentReference, ExpectedReference(500));
}

TEST_F(RotationTest, PositionThatDoesNotFit16BitsStartsTheTopicOver) {
  for (std::int32_t saved : {40000, -70000, -3}) {
    SCOPED_TRACE(saved);
    Start(4, kNoahArk, saved);
    EXPECT_EQ(rotation_.TopicPosition, 0);
    EXPECT_EQ(Deliver(), 139);
  }
  // A position past the end of the list (fits 16 bits): the topic is used up.
  Start(4 + 8, kNoahArk, 32767);
  EXPECT_EQ(rotation_.TopicPosition, 32767);
  EXPECT_EQ(Deliver(), 6886);
}

TEST_F(RotationTest, TickPresentsFirstThenDeliversOneVersePerTick) {
  Start(1, kAllVerses, 1);
  Deliver();  // chosen at load
  ASSERT_EQ(program_.CurrentReference, ExpectedReference(1));

  rotation_.Go();
  EXPECT_EQ(timer_.interval, 100);
  EXPECT_TRUE(timer_.enabled);

  const auto reads = rotation_.VerseFile().ReadCount();
  rotation_.timNextVerse_Timer();
  EXPECT_EQ(timer_.interval, 15000);
  EXPECT_FALSE(timer_.enabled);
  EXPECT_EQ(program_.CurrentReference, ExpectedReference(1));
  EXPECT_EQ(rotation_.VerseFile().ReadCount(), reads);

  for (std::int32_t r = 2; r <= 4; ++r) {
    timer_.SetEnabled(true);  // as the growth animation does at full size
    rotation_.timNextVerse_Timer();
    EXPECT_EQ(program_.CurrentReference, ExpectedReference(r));
    EXPECT_EQ(program_.CurrentVerseText, ExpectedText(r));
    EXPECT_FALSE(timer_.enabled);
    EXPECT_EQ(timer_.interval, 15000);
  }
  EXPECT_EQ(timer_.intervals, (std::vector<std::int32_t>{100, 15000}));
}

TEST_F(RotationTest, IntervalsBeyondSixteenBits) {
  Start(1, kAllVerses, 1);
  for (std::int16_t seconds :
       {std::int16_t{1}, std::int16_t{32}, std::int16_t{33}, std::int16_t{32767}}) {
    SCOPED_TRACE(seconds);
    program_.Settings.ChangeSec = seconds;
    rotation_.Go();
    rotation_.timNextVerse_Timer();
    EXPECT_EQ(timer_.interval, static_cast<std::int32_t>(seconds) * 1000);
    const std::string before = program_.CurrentReference;
    timer_.SetEnabled(true);
    rotation_.timNextVerse_Timer();  // the interval now matches: a verse is delivered
    EXPECT_EQ(timer_.interval, static_cast<std::int32_t>(seconds) * 1000);
    EXPECT_FALSE(timer_.enabled);
    EXPECT_NE(program_.CurrentReference, before);
  }
}

TEST_F(RotationTest, SavePositionWritesSectionThenVerse) {
  struct Case {
    std::int32_t display, lastSection, lastVerse;
    int deliveries;
    std::string savedSection, savedVerse;
  };
  const std::vector<Case> cases = {
      // A topic saves its list position; it resumes with the entry after.
      {8, kSamson, 5, 2, "8", "7"},
      // All verses saves the record on show; it resumes with that very record.
      {1, kAllVerses, 100, 3, "1", "102"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.savedSection);
    Start(c.display, c.lastSection, c.lastVerse);
    Deliver(c.deliveries);
    MemorySettingsStore store;
    rotation_.SavePosition(store);
    ASSERT_EQ(store.writes.size(), 2u);
    EXPECT_EQ(store.writes[0].section, "Settings");
    EXPECT_EQ(store.writes[0].key, "LastSection");
    EXPECT_EQ(store.writes[0].value, c.savedSection);
    EXPECT_EQ(store.writes[1].key, "LastVerse");
    EXPECT_EQ(store.writes[1].value, c.savedVerse);
  }
}

TEST_F(RotationTest, SavedPositionResumesInTheNextRun) {
  struct Case {
    std::int32_t display, lastSection, lastVerse;
    std::int32_t onShow, resumed;
  };
  const std::vector<Case> cases = {
      {8, kSamson, 5, 6893, 6894},                // topic: the entry after the one on show
      {1, kAllVerses, 100, 102, 102},             // all verses: the verse on show again
      {1 + 2, kAllVerses, kRecords, 2056, 2059},  // crossed into a topic before closing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.onShow);
    MemorySettingsStore store;
    store.Set("Settings", "Display", std::to_string(c.display));
    store.Set("Settings", "LastSection", std::to_string(c.lastSection));
    store.Set("Settings", "LastVerse", std::to_string(c.lastVerse));
    EnsureDefaultSettings(store);

    std::int32_t onShow = 0;
    {
      ProgramState program;
      BuildTopicTable(program.Topics);
      LoadSettings(store, program.Settings);
      FakeTimer timer;
      VerseRotation rotation(program, timer);
      rotation.RestorePosition();
      rotation.BuildTopicLists();
      ASSERT_TRUE(rotation.OpenVerseFile(Folder()));
      for (int i = 0; i < 3; ++i)
        rotation.NextVerse(program.CurrentReference, program.CurrentVerseText);
      onShow = program.VerseBuffer.Verse;
      rotation.SavePosition(store);
      rotation.CloseVerseFile();
    }
    EXPECT_EQ(onShow, c.onShow);

    ProgramState program;
    BuildTopicTable(program.Topics);
    LoadSettings(store, program.Settings);
    FakeTimer timer;
    VerseRotation rotation(program, timer);
    rotation.RestorePosition();
    rotation.BuildTopicLists();
    ASSERT_TRUE(rotation.OpenVerseFile(Folder()));
    rotation.NextVerse(program.CurrentReference, program.CurrentVerseText);
    EXPECT_EQ(program.VerseBuffer.Verse, c.resumed);
  }
}

TEST_F(RotationTest, SaveBeforeTheFileWasOpenedKeepsThePlace) {
  ProgramState program;
  BuildTopicTable(program.Topics);
  program.Settings.LastSection = kAllVerses;
  program.Settings.LastVerse = 777;
  FakeTimer timer;
  VerseRotation rotation(program, timer);
  TempDir empty;
  ASSERT_FALSE(rotation.OpenVerseFile(empty.Path().generic_string() + "/"));
  MemorySettingsStore store;
  rotation.SavePosition(store);
  EXPECT_EQ(store.Get("Settings", "LastSection"), "1");
  EXPECT_EQ(store.Get("Settings", "LastVerse"), "777");
}

// A file shorter than the lists: listed records past its end count as unreadable.
TEST(RotationShortFile, UnreadableListEntriesMoveOnOrRepeat) {
  TempDir dir;
  test::WriteNumberedFile(dir.Path() / "kjv.dat", 200);
  ProgramState program;
  BuildTopicTable(program.Topics);
  FakeTimer timer;
  VerseRotation rotation(program, timer);
  rotation.BuildTopicLists();
  ASSERT_TRUE(rotation.OpenVerseFile(dir.Path().generic_string() + "/"));
  auto deliver = [&] {
    rotation.NextVerse(program.CurrentReference, program.CurrentVerseText);
    return program.VerseBuffer.Verse;
  };

  // "TenCommandments" starts at 2055, beyond the end: on to "NoahArk" at 139.
  program.Settings.Display = 2 + 4;
  EXPECT_EQ(deliver(), 139);
  EXPECT_EQ(rotation.TopicTitle, "Noah and the Ark");
  EXPECT_EQ(program.Settings.LastSection, kNoahArk);

  // Entry 62 of "NoahArk" is record 200, the last; entry 63 fails and the next topic
  // ("TenCommandments") fails too, so the verse on show comes again.
  rotation.TopicPosition = 61;
  EXPECT_EQ(deliver(), 200);
  EXPECT_EQ(deliver(), 200);
  EXPECT_EQ(program.CurrentReference, ExpectedReference(200));
  EXPECT_EQ(program.Settings.LastSection, kTenCommandments);
  EXPECT_EQ(rotation.TopicTitle, "The Ten Commandments");
  // Entry 2 of "TenCommandments" fails as well: on to "NoahArk", from its start.
  EXPECT_EQ(deliver(), 139);
}

}  // namespace
}  // namespace vw
