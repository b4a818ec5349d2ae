#include "core/Conversions.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace vw {
namespace {

TEST(Conversions, WholeStringToInt16) {
  // Blanks around, signs, fractions and halves to even, exponents, the 16-bit limits.
  const std::pair<const char*, int> accepted[] = {
      {"15", 15},   {"  15  ", 15}, {"\t7", 7},       {"-3", -3},        {"+4", 4},
      {"2.5", 2},   {"3.5", 4},     {"-2.5", -2},     {"0.5", 0},        {"0.6", 1},
      {"1e2", 100}, {"1.5E1", 15},  {"32767", 32767}, {"-32768", -32768}};
  for (const auto& [text, value] : accepted)
    EXPECT_EQ(ToInt16(text), std::optional<std::int16_t>(value)) << '"' << text << '"';
  // Overflow, empty, text.
  for (const char* text :
       {"32768", "99999", "32767.5", "", "   ", "abc", "12abc", "1 2", ".", "-", "1e", "1e400"})
    EXPECT_EQ(ToInt16(text), std::nullopt) << '"' << text << '"';
}

TEST(Conversions, LeadingNumberTakesTheLongestLeadingNumber) {
  const std::pair<const char*, int> cases[] = {{"", 0},     {"abc", 0}, {"16", 16}, {"  16xyz", 16},
                                               {"1 6", 16}, {"2.5", 2}, {"-8", -8}, {"4e1z", 40}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
  EXPECT_FALSE(LeadingNumber("99999999999").has_value());
}

}  // namespace
}  // namespace vw
