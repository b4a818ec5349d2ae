#pragma once
#include <cstdint>
#include <span>

#include "verses/Topics.h"

namespace vw {

// The topics in their fixed order, looked up by 1-based position or by bit value: the rows of
// kTopicRows, which the display window's load step hands to it.
class TopicTable {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  // position 1..Count()
  const TopicRow& At(int position) const { return rows_[static_cast<std::size_t>(position - 1)]; }
  // nullptr when the value is no topic's.
  const TopicRow* FindByValue(std::int32_t value) const {
    for (const TopicRow& row : rows_)
      if (row.Value == value) return &row;
    return nullptr;
  }

 private:
  friend void BuildTopicTable(TopicTable& table);
  std::span<const TopicRow> rows_;
};

// Makes the table the topics of kTopicRows.
inline void BuildTopicTable(TopicTable& table) {
  table.rows_ = kTopicRows;
}

}  // namespace vw
