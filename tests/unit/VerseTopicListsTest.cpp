#include "verses/TopicLists.h"

#include <gtest/gtest.h>

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
  // Count, first, third and last entry; the prophecies keep their own order, not the file's.
  const std::pair<const TopicList*, Records> cases[] = {
      {&lists.NoahArk, {97, 139, 141, 235}},
      {&lists.Samson, {96, 6886, 6888, 6981}},
      {&lists.Salvation, {20, 25246, 26137, 29618}},  // the third is John 3:16
      {&lists.Prophecies, {182, 22732, 22730, 30927}}};
  for (const auto& [list, expected] : cases) {
    const Records e = Entries(*list);
    EXPECT_EQ((Records{static_cast<std::int32_t>(e.size()), e[0], e[2], e.back()}), expected);
  }
  // Each list is found by its bit value (the rotation tests follow them); nothing else has one.
  for (std::int32_t none : {0, 1, 3, 6, 63, 64, -1}) EXPECT_EQ(lists.ListFor(none), nullptr);
}

}  // namespace
}  // namespace vw
