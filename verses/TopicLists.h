#pragma once
#include <array>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "verses/Topics.h"

namespace vw {

// The record numbers of one topic, in showing order; a number is held at most once.
class TopicList {
 public:
  // false (and no change) when the number is already in the list.
  bool Add(std::int32_t record);
  int Count() const { return static_cast<int>(entries_.size()); }
  // position 1..Count(); throws std::out_of_range otherwise.
  std::int32_t Entry(int position) const { return entries_.at(position - 1); }

 private:
  std::vector<std::int32_t> entries_;
  std::unordered_set<std::int32_t> present_;
};

// The lists of the topics that have one ("AllVerses" walks the whole file instead).
class TopicLists {
 public:
  // The list of the topic with this bit value; nullptr for a topic without runs
  // ("AllVerses") and for any value that is not a single topic.
  const TopicList* ListFor(std::int32_t topicValue) const;

 private:
  friend void BuildTopicLists(TopicLists& lists);
  std::array<TopicList, kTopicCount> lists_;  // by row of kTopicRows
};

// Fills every topic's list with the records of its runs, in showing order.
void BuildTopicLists(TopicLists& lists);

}  // namespace vw
