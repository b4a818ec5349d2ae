#include "core/Conversions.h"

#include <gtest/gtest.h>

#include <utility>

namespace vw {
namespace {

TEST(Conversions, WholeStringToInt16) {
  // Blanks around, signs, fractions and halves to even, exponents, the 16-bit limits.
  const std::pair<const char*, int> accepted[] = {
      {"15", 15},   {"  15  ", 15}, {"\t7", 7},       {"-3", -3},        {"+4", 4},
      {"2.5", 2},   {"3.5", 4},     {"-2.5", -2},     {"0.5", 0},        {"0.6", 1},
      {"1e2", 100}, {"1.5E1", 15},  {"32767", 32767}, {"-32768", -32768}};
  for (const auto& [text, value] : accepted) {
    auto got = ToInt16(text);
    ASSERT_TRUE(got.has_value()) << '"' << text << '"';
    EXPECT_EQ(*got, value) << '"' << text << '"';
  }
  // Overflow, empty, text.
  for (const char* text :
       {"32768", "99999", "32767.5", "", "   ", "abc", "12abc", "1 2", ".", "-", "1e", "1e400"}) {
    auto got = ToInt16(text);
    EXPECT_FALSE(got.has_value()) << '"' << text << '"' << " gave " << *got;
  }
}

TEST(Conversions, WholeStringToInt32KeepsLargeRecordNumbers) {
  EXPECT_EQ(ToInt32("31102"), 31102);
  EXPECT_EQ(ToInt32("2147483647"), 2147483647);
  EXPECT_FALSE(ToInt32("2147483648").has_value());
  EXPECT_EQ(ToInt32("-2147483648"), INT32_MIN);
}

TEST(Conversions, FlagsAreZeroOrNonZero) {
  for (const char* on : {"1", "2", "-1"}) EXPECT_EQ(ToFlag(on), true) << on;
  for (const char* off : {"0", "0.4"}) EXPECT_EQ(ToFlag(off), false) << off;
  for (const char* bad : {"yes", "", "40000"}) EXPECT_FALSE(ToFlag(bad).has_value()) << bad;
}

TEST(Conversions, LeadingNumberTakesTheLongestLeadingNumber) {
  const std::pair<const char*, int> cases[] = {{"", 0},     {"abc", 0}, {"16", 16}, {"  16xyz", 16},
                                               {"1 6", 16}, {"2.5", 2}, {"-8", -8}, {"4e1z", 40}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
  EXPECT_FALSE(LeadingNumber("99999999999").has_value());
}

TEST(Conversions, RoundingGoesHalfToEven) {
  const std::pair<double, int> cases[] = {{269.5, 270}, {270.5, 270},     {-0.5, 0}, {-1.5, -2},
                                          {178.5, 178}, {178.50001, 179}, {-3.7, -4}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInt32(value), rounded) << value;
  EXPECT_FALSE(RoundHalfEven(1e300).has_value());
}

TEST(Conversions, DecimalTextHasNoLeadingBlank) {
  EXPECT_EQ(DecimalText(15), "15");
  EXPECT_EQ(DecimalText(-4), "-4");
}

}  // namespace
}  // namespace vw
