#include "core/Conversions.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace vw {

std::optional<std::int64_t> RoundHalfEven(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double floorValue = std::floor(value);
  double diff = value - floorValue;
  double rounded = floorValue;
  if (diff > 0.5) {
    rounded = floorValue + 1;
  } else if (diff == 0.5) {
    rounded = std::fmod(floorValue, 2.0) == 0 ? floorValue : floorValue + 1;
  }
  // 2^63 is the first value that does not fit.
  if (rounded >= 9223372036854775808.0 || rounded < -9223372036854775808.0) return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}

std::int32_t RoundToInt32(double value) {
  auto r = RoundHalfEven(value);
  if (!r) return 0;
  if (*r > INT32_MAX) return INT32_MAX;
  if (*r < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(*r);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Scans a decimal number at the start of `s` (no blanks inside). Returns the number of
// characters used, 0 when no number starts there.
std::size_t ScanNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++expDigits;
    if (expDigits > 0) i = j;
  }
  return i;
}

double ToDouble(std::string_view s) {
  std::string copy(s);
  return std::strtod(copy.c_str(), nullptr);
}

}  // namespace

std::optional<double> ParseWholeNumber(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  std::string_view core = text.substr(b, e - b);
  if (core.empty()) return std::nullopt;
  std::size_t used = ScanNumber(core);
  if (used == 0 || used != core.size()) return std::nullopt;
  double v = ToDouble(core);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<std::int32_t> ToWholeInteger(std::string_view text, std::int32_t minValue,
                                           std::int32_t maxValue) {
  auto number = ParseWholeNumber(text);
  if (!number) return std::nullopt;
  auto rounded = RoundHalfEven(*number);
  if (!rounded || *rounded < minValue || *rounded > maxValue) return std::nullopt;
  return static_cast<std::int32_t>(*rounded);
}

std::optional<bool> ToFlag(std::string_view text) {
  auto v = ToInt16(text);
  if (!v) return std::nullopt;
  return *v != 0;
}

std::optional<std::int32_t> LeadingNumber(std::string_view text) {
  // Blanks anywhere in the leading part are passed over, as a user typing "1 6" meant 16.
  std::string packed;
  for (char c : text) {
    if (IsBlank(c)) continue;
    packed.push_back(c);
  }
  std::size_t used = ScanNumber(packed);
  if (used == 0) return 0;
  double v = ToDouble(std::string_view(packed).substr(0, used));
  auto rounded = RoundHalfEven(v);
  if (!rounded || *rounded < INT32_MIN || *rounded > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(*rounded);
}

std::string DecimalText(std::int64_t value) { return std::to_string(value); }

std::string TrimSpaces(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

}  // namespace vw
