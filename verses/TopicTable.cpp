#include "verses/TopicTable.h"

namespace vw {

void BuildTopicTable(TopicTable& table) {
  if (!table.Empty()) return;
  for (const TopicRow& row : kTopicRows) table.Add(row.Key, row.Value, row.Title);
}

}  // namespace vw
