#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "verses/Topics.h"

namespace vw {

struct TopicEntry {
  std::string Key;     // identifier, e.g. "TenCommandments"
  std::int16_t Value;  // bit value
  std::string Title;   // shown above the verse; empty for all verses
};

// The six topics in fixed order, looked up by 1-based position or by key.
class TopicTable {
 public:
  bool Empty() const { return entries_.empty(); }
  void Add(const std::string& key, std::int16_t value, const std::string& title) {
    entries_.push_back({key, value, title});
  }
  int Count() const { return static_cast<int>(entries_.size()); }
  // position 1..Count()
  const TopicEntry& At(int position) const { return entries_.at(position - 1); }
  // 0 when no such key.
  std::int16_t ValueOf(const std::string& key) const {
    for (const auto& e : entries_)
      if (e.Key == key) return e.Value;
    return 0;
  }
  // nullptr when the value is no topic's.
  const TopicEntry* FindByValue(std::int32_t value) const {
    for (const auto& e : entries_)
      if (e.Value == value) return &e;
    return nullptr;
  }

 private:
  std::vector<TopicEntry> entries_;
};

// Adds the topics of kTopicRows in their fixed order, when the table is still empty.
void BuildTopicTable(TopicTable& table);

}  // namespace vw
