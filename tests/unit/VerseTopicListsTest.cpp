#include "verses/TopicLists.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

#include "verses/TopicTable.h"

namespace vw {
namespace {

std::vector<std::int32_t> Entries(const TopicList& list) {
  std::vector<std::int32_t> out;
  for (int i = 1; i <= list.Count(); ++i) out.push_back(list.Entry(i));
  return out;
}

std::vector<std::int32_t> Range(std::int32_t first, std::int32_t last) {
  std::vector<std::int32_t> out;
  for (std::int32_t r = first; r <= last; ++r) out.push_back(r);
  return out;
}

class TopicListsTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildTopicLists(lists_); }
  TopicLists lists_;
};

TEST(TopicList, KeepsOrderRefusesDuplicatesAndCounts) {
  TopicList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Add(30));
  EXPECT_TRUE(list.Add(10));
  EXPECT_FALSE(list.Add(30));
  EXPECT_TRUE(list.Add(20));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(Entries(list), (std::vector<std::int32_t>{30, 10, 20}));
  EXPECT_THROW(list.Entry(0), std::out_of_range);
  EXPECT_THROW(list.Entry(4), std::out_of_range);
}

TEST_F(TopicListsTest, CountsOfTheFiveLists) {
  EXPECT_EQ(lists_.TenCommandments.Count(), 10);
  EXPECT_EQ(lists_.NoahArk.Count(), 97);
  EXPECT_EQ(lists_.Samson.Count(), 96);
  EXPECT_EQ(lists_.Salvation.Count(), 20);
  EXPECT_EQ(lists_.Prophecies.Count(), 182);
}

TEST_F(TopicListsTest, TenCommandmentsSkipsTheVersesBetween) {
  EXPECT_EQ(
      Entries(lists_.TenCommandments),
      (std::vector<std::int32_t>{2055, 2056, 2059, 2060, 2064, 2065, 2066, 2067, 2068, 2069}));
}

TEST_F(TopicListsTest, NoahAndSamsonAreRuns) {
  EXPECT_EQ(Entries(lists_.NoahArk), Range(139, 235));
  EXPECT_EQ(Entries(lists_.Samson), Range(6886, 6981));
}

TEST_F(TopicListsTest, Salvation) {
  EXPECT_EQ(Entries(lists_.Salvation),
            (std::vector<std::int32_t>{25246, 25731, 26137, 26157, 26235, 26298, 26305,
                                       26367, 26549, 26899, 27454, 27514, 27515, 28198,
                                       29182, 29183, 29184, 29235, 29238, 29618}));
}

TEST_F(TopicListsTest, PropheciesKeepTheirOwnOrder) {
  const auto p = Entries(lists_.Prophecies);
  ASSERT_EQ(p.size(), 182u);
  EXPECT_EQ(std::vector<std::int32_t>(p.begin(), p.begin() + 8),
            (std::vector<std::int32_t>{22732, 22725, 22730, 22695, 22728, 22699, 19546, 19547}));
  EXPECT_EQ(std::vector<std::int32_t>(p.end() - 5, p.end()),
            (std::vector<std::int32_t>{30857, 30967, 30925, 30926, 30927}));
  // A few runs from the middle, in place.
  EXPECT_EQ(p[22], 18643);
  EXPECT_EQ(p[23], 5400);
  EXPECT_EQ(p[26], 5403);
  EXPECT_EQ(p[27], 17797);
  EXPECT_EQ(p[28], 1484);
  const std::set<std::int32_t> unique(p.begin(), p.end());
  EXPECT_EQ(unique.size(), 182u);
  EXPECT_EQ(*unique.begin(), 301);
  EXPECT_EQ(*unique.rbegin(), 30967);
}

TEST_F(TopicListsTest, ListForTopicValue) {
  EXPECT_EQ(lists_.ListFor(kTenCommandments), &lists_.TenCommandments);
  EXPECT_EQ(lists_.ListFor(kNoahArk), &lists_.NoahArk);
  EXPECT_EQ(lists_.ListFor(kSamson), &lists_.Samson);
  EXPECT_EQ(lists_.ListFor(kSalvation), &lists_.Salvation);
  EXPECT_EQ(lists_.ListFor(kProphecies), &lists_.Prophecies);
  for (std::int32_t none : {0, 1, 3, 6, 63, 64, -1}) EXPECT_EQ(lists_.ListFor(none), nullptr);
}

}  // namespace
}  // namespace vw
