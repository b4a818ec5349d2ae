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

}  // namespace
}  // namespace vw
