#include "verses/TopicLists.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

#include "verses/TopicTable.h"

namespace vw {
namespace {

using Records = std::vector<std::int32_t>;

Records Entries(const TopicList& list) {
  Records out;
  for (int i = 1; i <= list.Count(); ++i) out.push_back(list.Entry(i));
  return out;
}

Records Range(std::int32_t first, std::int32_t last) {
  Records out;
  for (std::int32_t r = first; r <= last; ++r) out.push_back(r);
  return out;
}

TEST(TopicList, KeepsOrderRefusesDuplicatesAndCounts) {
  TopicList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Add(30));
  EXPECT_TRUE(list.Add(10));
  EXPECT_FALSE(list.Add(30));
  EXPECT_TRUE(list.Add(20));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(Entries(list), (Records{30, 10, 20}));
  EXPECT_THROW(list.Entry(0), std::out_of_range);
  EXPECT_THROW(list.Entry(4), std::out_of_range);
}

TEST(TopicLists, HoldTheirRecordsInShowingOrder) {
  TopicLists lists;
  BuildTopicLists(lists);
  EXPECT_EQ(Entries(lists.TenCommandments),
            (Records{2055, 2056, 2059, 2060, 2064, 2065, 2066, 2067, 2068, 2069}));
  EXPECT_EQ(Entries(lists.NoahArk), Range(139, 235));
  EXPECT_EQ(Entries(lists.Samson), Range(6886, 6981));

  const Records salvation = Entries(lists.Salvation);
  ASSERT_EQ(salvation.size(), 20u);
  EXPECT_EQ(salvation.front(), 25246);
  EXPECT_EQ(salvation[2], 26137);  // John 3:16
  EXPECT_EQ(salvation.back(), 29618);

  // The prophecies keep their own order, not the file's.
  const Records p = Entries(lists.Prophecies);
  ASSERT_EQ(p.size(), 182u);
  EXPECT_EQ(Records(p.begin(), p.begin() + 3), (Records{22732, 22725, 22730}));
  EXPECT_EQ(p.back(), 30927);
  const std::set<std::int32_t> unique(p.begin(), p.end());
  EXPECT_EQ(unique.size(), 182u);
  EXPECT_EQ(*unique.begin(), 301);
  EXPECT_EQ(*unique.rbegin(), 30967);

  // Each list is found by its bit value (the rotation tests follow them); nothing else has one.
  for (std::int32_t none : {0, 1, 3, 6, 63, 64, -1}) EXPECT_EQ(lists.ListFor(none), nullptr);
}

}  // namespace
}  // namespace vw
