#include "verses/TopicTable.h"

namespace vw {

void BuildTopicTable(TopicTable& table) {
  if (!table.Empty()) return;
  table.Add("AllVerses", kAllVerses, "");
  table.Add("TenCommandments", kTenCommandments, "The Ten Commandments");
  table.Add("NoahArk", kNoahArk, "Noah and the Ark");
  table.Add("Samson", kSamson, "Story of Samson");
  table.Add("Salvation", kSalvation, "Versus on Salavation");
  table.Add("Prophecies", kProphecies, "Bible Prophecies");
}

}  // namespace vw
