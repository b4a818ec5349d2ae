#include "verses/TopicLists.h"

namespace vw {

bool TopicList::Add(std::int32_t record) {
  if (!present_.insert(record).second) return false;
  entries_.push_back(record);
  return true;
}

const TopicList* TopicLists::ListFor(std::int32_t topicValue) const {
  const int row = TopicIndexOf(topicValue);
  if (row < 0 || kTopicRows[row].Runs.size() == 0) return nullptr;
  return &lists_[static_cast<std::size_t>(row)];
}

void BuildTopicLists(TopicLists& lists) {
  for (int row = 0; row < kTopicCount; ++row)
    for (const RecordRun& run : kTopicRows[row].Runs)
      for (std::int32_t r = run.first; r <= run.last; ++r)
        lists.lists_[static_cast<std::size_t>(row)].Add(r);
}

}  // namespace vw
