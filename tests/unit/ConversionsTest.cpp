#include "app/Conversions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vw {
namespace {

struct IntCase {
  const char* text;
  std::optional<std::int32_t> int16;  // nullopt: refused
};

TEST(Conversions, WholeStringToInt16) {
  const IntCase cases[] = {
      {"15", 15},          {"  15  ", 15},     {"\t7", 7},       {"-3", -3},
      {"+4", 4},           {"2.5", 2},         {"3.5", 4},       {"-2.5", -2},
      {"0.5", 0},          {"0.6", 1},         {"1e2", 100},     {"1.5E1", 15},
      {"32767", 32767},    {"-32768", -32768}, {"32768", std::nullopt},
      {"99999", std::nullopt}, {"32767.5", std::nullopt}, {"", std::nullopt},
      {"   ", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt},
      {"1 2", std::nullopt}, {".", std::nullopt},  {"-", std::nullopt}, {"1e", std::nullopt},
      {"1e400", std::nullopt},
  };
  for (const auto& c : cases) {
    auto got = ToInt16(c.text);
    if (c.int16) {
      ASSERT_TRUE(got.has_value()) << '"' << c.text << '"';
      EXPECT_EQ(*got, *c.int16) << '"' << c.text << '"';
    } else {
      EXPECT_FALSE(got.has_value()) << '"' << c.text << '"' << " gave " << *got;
    }
  }
}

TEST(Conversions, WholeStringToInt32KeepsLargeRecordNumbers) {
  EXPECT_EQ(ToInt32("31102"), 31102);
  EXPECT_EQ(ToInt32("2147483647"), 2147483647);
  EXPECT_FALSE(ToInt32("2147483648").has_value());
  EXPECT_EQ(ToInt32("-2147483648"), INT32_MIN);
}

TEST(Conversions, FlagsAreZeroOrNonZero) {
  EXPECT_EQ(ToFlag("0"), false);
  EXPECT_EQ(ToFlag("1"), true);
  EXPECT_EQ(ToFlag("2"), true);
  EXPECT_EQ(ToFlag("-1"), true);
  EXPECT_EQ(ToFlag("0.4"), false);
  EXPECT_FALSE(ToFlag("yes").has_value());
  EXPECT_FALSE(ToFlag("").has_value());
  EXPECT_FALSE(ToFlag("40000").has_value());
}

TEST(Conversions, LeadingNumberTakesTheLongestLeadingNumber) {
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber("16"), 16);
  EXPECT_EQ(LeadingNumber("  16xyz"), 16);
  EXPECT_EQ(LeadingNumber("1 6"), 16);
  EXPECT_EQ(LeadingNumber("2.5"), 2);
  EXPECT_EQ(LeadingNumber("-8"), -8);
  EXPECT_EQ(LeadingNumber("4e1z"), 40);
  EXPECT_FALSE(LeadingNumber("99999999999").has_value());
}

TEST(Conversions, RoundingGoesHalfToEven) {
  EXPECT_EQ(RoundToInt32(269.5), 270);
  EXPECT_EQ(RoundToInt32(270.5), 270);
  EXPECT_EQ(RoundToInt32(-0.5), 0);
  EXPECT_EQ(RoundToInt32(-1.5), -2);
  EXPECT_EQ(RoundToInt32(178.5), 178);
  EXPECT_EQ(RoundToInt32(178.50001), 179);
  EXPECT_EQ(RoundToInt32(-3.7), -4);
  EXPECT_FALSE(RoundHalfEven(1e300).has_value());
}

TEST(Conversions, DecimalTextHasNoLeadingBlank) {
  EXPECT_EQ(DecimalText(15), "15");
  EXPECT_EQ(DecimalText(0), "0");
  EXPECT_EQ(DecimalText(-4), "-4");
}

}  // namespace
}  // namespace vw
