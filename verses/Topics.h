#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string_view>

namespace vw {

// Records first..last of kjv.dat, both included.
struct RecordRun {
  std::int32_t first;
  std::int32_t last;
};

// Everything the program knows of one topic. The topic table, the topic lists and the
// settings dialog's topic boxes (caption, bit value) are made from these rows; a new topic
// also needs its box's place in the dialog's layout (win32/SettingsDialogLayout.cpp, which
// does not compile without one) and room for it in the frame "Verses To Display".
struct TopicRow {
  std::int16_t Value;   // bit value; a set of topics (the "Display" setting) is their sum
  const char* Key;      // identifier, e.g. "TenCommandments"
  const char* Title;    // shown above the verse; empty for all verses
  const char* Caption;  // the settings dialog's box (ASCII)
  std::initializer_list<RecordRun> Runs;  // the list, in showing order; none: the whole file
};

// The six topics in their fixed order: the rotation moves on in this order, and box i of the
// settings dialog is row i.
inline constexpr TopicRow kTopicRows[] = {
    {1, "AllVerses", "", "All Verses In The Bible", {}},
    // Exodus 20: the commandments themselves, without the verses between them.
    {2,
     "TenCommandments",
     "The Ten Commandments",
     "The Ten Commandments",
     {{2055, 2056}, {2059, 2060}, {2064, 2069}}},
    // Genesis 6:1 to 9:29.
    {4, "NoahArk", "Noah and the Ark", "The Story of Noah and the Ark", {{139, 235}}},
    // Judges 13:1 to 16:31.
    {8, "Samson", "Story of Samson", "The Story of Samson", {{6886, 6981}}},
    {16,
     "Salvation",
     "Versus on Salavation",
     "Versus About Salvation",
     {{25246, 25246},
      {25731, 25731},
      {26137, 26137},
      {26157, 26157},
      {26235, 26235},
      {26298, 26298},
      {26305, 26305},
      {26367, 26367},
      {26549, 26549},
      {26899, 26899},
      {27454, 27454},
      {27514, 27515},
      {28198, 28198},
      {29182, 29184},
      {29235, 29235},
      {29238, 29238},
      {29618, 29618}}},
    // Shown in this order on purpose: not sorted.
    {32,
     "Prophecies",
     "Bible Prophecies",
     "Bible Prophecies",
     {{22732, 22732}, {22725, 22725}, {22730, 22730}, {22695, 22695}, {22728, 22728},
      {22699, 22699}, {19546, 19547}, {17924, 17924}, {18563, 18563}, {17926, 17926},
      {17952, 17952}, {18562, 18562}, {21104, 21104}, {22374, 22375}, {21113, 21113},
      {23003, 23004}, {21122, 21122}, {21098, 21098}, {20144, 20144}, {18643, 18643},
      {5400, 5403},   {17797, 17797}, {1484, 1484},   {22636, 22636}, {18424, 18424},
      {22013, 22015}, {23009, 23009}, {14552, 14552}, {23041, 23042}, {18715, 18715},
      {18717, 18717}, {18719, 18719}, {18721, 18721}, {18724, 18724}, {18669, 18669},
      {14206, 14206}, {23056, 23056}, {14223, 14223}, {14103, 14104}, {23959, 23960},
      {25851, 25851}, {5661, 5664},   {22620, 22621}, {5703, 5703},   {5648, 5649},
      {3556, 3557},   {22990, 22990}, {19769, 19773}, {22930, 22930}, {21413, 21417},
      {19776, 19776}, {5677, 5679},   {18945, 18945}, {21393, 21395}, {18322, 18323},
      {22989, 22989}, {22334, 22334}, {22673, 22676}, {22510, 22511}, {21408, 21412},
      {18930, 18931}, {21419, 21420}, {19351, 19352}, {20533, 20536}, {21327, 21327},
      {19702, 19702}, {3528, 3528},   {3532, 3533},   {5712, 5714},   {18464, 18466},
      {22507, 22507}, {22509, 22509}, {21371, 21371}, {18470, 18472}, {18158, 18158},
      {22622, 22622}, {21199, 21199}, {22984, 22985}, {18677, 18677}, {18511, 18512},
      {379, 379},     {784, 789},     {19679, 19679}, {5745, 5746},   {5676, 5676},
      {301, 302},     {22346, 22346}, {21368, 21370}, {18482, 18490}, {25860, 25860},
      {19488, 19491}, {25856, 25858}, {23047, 23051}, {23972, 23972}, {30882, 30883},
      {23081, 23081}, {22999, 22999}, {30857, 30857}, {30967, 30967}, {30925, 30927}}},
};

inline constexpr int kTopicCount = static_cast<int>(std::size(kTopicRows));

// A set of topics is a sum of values, so each topic needs a bit of its own.
constexpr bool EachTopicHasItsOwnBit() {
  std::int32_t seen = 0;
  for (const TopicRow& row : kTopicRows) {
    if (row.Value <= 0 || (row.Value & (row.Value - 1)) != 0 || (seen & row.Value) != 0)
      return false;
    seen |= row.Value;
  }
  return true;
}
static_assert(EachTopicHasItsOwnBit());

// The row index of the topic with this bit value, -1 when the value is no single topic's.
constexpr int TopicIndexOf(std::int32_t value) {
  for (int i = 0; i < kTopicCount; ++i)
    if (kTopicRows[i].Value == value) return i;
  return -1;
}

// A topic's bit value by its key; a key that is in no row does not compile.
consteval std::int16_t TopicValue(std::string_view key) {
  for (const TopicRow& row : kTopicRows)
    if (key == row.Key) return row.Value;
  throw "no topic has this key";
}

inline constexpr std::int16_t kAllVerses = TopicValue("AllVerses");
inline constexpr std::int16_t kTenCommandments = TopicValue("TenCommandments");
inline constexpr std::int16_t kNoahArk = TopicValue("NoahArk");
inline constexpr std::int16_t kSamson = TopicValue("Samson");
inline constexpr std::int16_t kSalvation = TopicValue("Salvation");
inline constexpr std::int16_t kProphecies = TopicValue("Prophecies");

}  // namespace vw
