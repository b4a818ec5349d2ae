#include "verses/VerseRotation.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/ProgramState.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/VerseFiles.h"
#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

using namespace test;
using Records = std::vector<std::int32_t>;

constexpr std::int32_t kRecords = 31102;

// A folder holding a kjv.dat of 31,102 records laid out like the real one, whose every
// record names its own number (see NumberedRecord).
const std::string& Folder() {
  static const TempDir dir;
  static const std::string folder = [] {
    WriteBytes(dir.Path() / "kjv.dat", NumberedRecords(kRecords));
    return dir.Path().generic_string() + "/";
  }();
  return folder;
}

std::string ExpectedReference(std::int32_t r) {
  return mSharedBookDefine::BookName(static_cast<std::int16_t>(1 + r / 1000)) + " " +
         std::to_string(r % 1000) + ":" + std::to_string(r);
}

// One run of the rotation, loaded as the display window loads it.
struct RotationRun {
  RotationRun(std::int32_t display, std::int32_t lastSection, std::int32_t lastVerse,
              const std::string& folder = Folder()) {
    program.Settings.Display = display;
    program.Settings.LastSection = lastSection;
    program.Settings.LastVerse = lastVerse;
    BuildTopicTable(program.Topics);
    rotation.RestorePosition();
    rotation.BuildTopicLists();
    rotation.OpenVerseFile(folder);
  }
  // The records of `times` deliveries; the last verse is kept in `verse`.
  Records Deliver(int times) {
    Records out;
    for (int i = 0; i < times; ++i)
      verse = rotation.NextVerse(), out.push_back(program.VerseBuffer.Verse);
    return out;
  }

  ProgramState program;
  VerseRotation rotation{program.Settings, program.Topics, program.VerseBuffer};
  Verse verse;
};

// The title shown above a verse, by topic.
// clang-format off
const std::map<std::int32_t, std::string> kTitles = {
    {0, ""},  {1, ""}, {2, "The Ten Commandments"}, {4, "Noah and the Ark"}, {8, "Story of Samson"},
    {16, "Versus on Salavation"}, {32, "Bible Prophecies"}};
// clang-format on

TEST(Rotation, EveryTopicDeliversItsWholeListInOrderThenStartsAgain) {
  // Count, first and last record and a checksum of the whole list (h = 31 h + record).
  struct Case { std::int32_t topic, count, first, last; std::uint32_t checksum; };
  const Case cases[] = {{kTenCommandments, 10, 2055, 2069, 594007685u},
                        {kNoahArk, 97, 139, 235, 564602043u},
                        {kSamson, 96, 6886, 6981, 3161424944u},
                        {kSalvation, 20, 25246, 29618, 1022768523u},
                        {kProphecies, 182, 22732, 30927, 1918259675u}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.topic);
    // Past its end the only topic enabled starts again.
    const Records got = RotationRun(c.topic, c.topic, 32767).Deliver(c.count + 1);
    std::uint32_t checksum = 0;
    for (int i = 0; i < c.count; ++i)
      checksum = checksum * 31u + static_cast<std::uint32_t>(got[i]);
    // First, last, the one after the last, and the checksum.
    EXPECT_EQ(std::make_tuple(got.front(), got[c.count - 1], got.back(), checksum),
              std::make_tuple(c.first, c.last, c.first, c.checksum));
  }
}

TEST(Rotation, SequencesFromTheSavedPlace) {
  // Display, the saved place, the records delivered and LastSection after the last delivery.
  struct Case { std::int32_t display, lastSection, lastVerse; Records records; int section; };
  // clang-format off
  const Case cases[] = {
      // All topics at the last record: on to the Ten Commandments.
      {63, kAllVerses, kRecords, {kRecords, 2055, 2056}, kTenCommandments},
      // At the end of a topic (the 97th entry of "NoahArk" delivered) the next enabled one
      // follows, after the last enabled the first; the only topic starts again.
      // Saved at the 96th entry, the last comes next: Genesis 9:29, record 235.
      {6, kNoahArk, 97, {2055}, kTenCommandments}, {5, kNoahArk, 97, {1}, kAllVerses},
      {4 + 32, kNoahArk, 97, {22732}, kProphecies}, {4, kNoahArk, 97, {139}, kNoahArk},
      {4, kNoahArk, 96, {235}, kNoahArk},
      {2, kTenCommandments, 9, {2069, 2055, 2056}, kTenCommandments},
      // A topic resumes after the saved entry, all verses at the saved record.
      {8, kSamson, 5, {6891, 6892}, kSamson}, {1, kAllVerses, 100, {100, 101}, kAllVerses},
      // Record 0 is no record: the next topic, which may be all verses again.
      {63, kAllVerses, 0, {2055}, kTenCommandments}, {1, kAllVerses, 0, {1, 2}, kAllVerses},
      // No "LastSection" stored: the first enabled topic.
      {1, 0, 1, {1, 2}, kAllVerses}, {16 + 32, 0, 1, {25246}, kSalvation},
      // A disabled topic hands over to the next enabled after it; a value that is no single
      // topic has no list and is used up at once.
      {1 + 32, kNoahArk, 12, {22732}, kProphecies}, {63, 3, 0, {139}, kNoahArk},
      // A position that does not fit 16 bits starts the topic over; one past its end (but
      // within 16 bits) uses it up.
      {4 + 8, kNoahArk, 40000, {139}, kNoahArk}, {4 + 8, kNoahArk, -70000, {139}, kNoahArk},
      {4 + 8, kNoahArk, -3, {139}, kNoahArk}, {4 + 8, kNoahArk, 32767, {6886}, kSamson},
      // No topic enabled: the verse on show comes again.
      {64, kAllVerses, 501, {1, 1}, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.display << " " << c.lastSection << " " << c.lastVerse);
    RotationRun run(c.display, c.lastSection, c.lastVerse);
    EXPECT_EQ(run.Deliver(static_cast<int>(c.records.size())), c.records);
    EXPECT_EQ(run.program.Settings.LastSection, c.section);
    EXPECT_EQ(run.verse.Title, kTitles.at(c.section));
    EXPECT_EQ(run.verse.Reference, ExpectedReference(c.records.back()));
  }
}

// What unload saves, in order, is pinned with the display window (frmMainTest), the resumes
// from a saved place above. Only a rotation whose kjv.dat never opened saves no delivery:
// the place the run started from is kept.
TEST(Rotation, WithoutTheVerseFileKeepsThePlaceItStartedFrom) {
  TempDir empty;
  RotationRun missing(1, kAllVerses, 777, empty.Path().generic_string() + "/");
  MemorySettingsStore store;
  missing.rotation.SavePosition(store);
  EXPECT_EQ(store.writes, (std::vector<std::string>{"Settings\\LastSection=1",
                                                    "Settings\\LastVerse=777"}));
}

}  // namespace
}  // namespace vw
