#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vw {

// Nearest integer, a value exactly halfway going to the even neighbour (269.5 -> 270,
// 270.5 -> 270). Out-of-range or non-finite input gives nullopt.
std::optional<std::int64_t> RoundHalfEven(double value);
// The same for layout arithmetic, where the value is known to be in range.
std::int32_t RoundToInt32(double value);

// The number the whole string reads as, blanks around it allowed: optional sign, digits with
// an optional fraction, an optional exponent. nullopt when it does not read as one ("" does not).
std::optional<double> ParseWholeNumber(std::string_view text);

// Whole-string integer conversion: the number rounded half to even, which must fit
// [minValue, maxValue]; nullopt otherwise.
std::optional<std::int32_t> ToWholeInteger(std::string_view text, std::int32_t minValue,
                                           std::int32_t maxValue);
inline std::optional<std::int16_t> ToInt16(std::string_view text) {
  auto v = ToWholeInteger(text, INT16_MIN, INT16_MAX);
  if (!v) return std::nullopt;
  return static_cast<std::int16_t>(*v);
}
inline std::optional<std::int32_t> ToInt32(std::string_view text) {
  return ToWholeInteger(text, INT32_MIN, INT32_MAX);
}
// Flag conversion: a 16-bit whole integer, false for 0 and true for anything else.
std::optional<bool> ToFlag(std::string_view text);

// Leading-number conversion: the longest leading part that reads as a decimal number
// (blanks skipped), 0 when there is none; then rounded half to even. nullopt only when the
// number does not fit 32 bits.
std::optional<std::int32_t> LeadingNumber(std::string_view text);

// Plain decimal form, no leading blank.
std::string DecimalText(std::int64_t value);

// Trims leading and trailing space characters (code 32 only).
std::string TrimSpaces(std::string_view text);

}  // namespace vw
