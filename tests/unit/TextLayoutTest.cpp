#include "display/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/RecordingSurface.h"

namespace vw {
namespace {

using test::RecordingSurface;
using Lines = std::vector<std::string>;

// At 2 points the recording surface measures one pixel per character, so the width limit
// below reads as a number of characters.
constexpr float kOnePixelPerCharacter = 2.0f;

struct WrapCase {
  const char* name;
  std::string text;
  float limit;
  Lines expected;
};

TEST(WrapText, BreaksAsTheRulesSay) {
  const std::string e = "\xC3\xA9", e3 = e + e + e, dash = "\xE2\x80\x94";
  const WrapCase cases[] = {
      {"fits on one line", "In the beginning", 100, {"In the beginning"}},
      {"empty text gives no lines", "", 100, {}},
      {"a word that overflows moves whole", "aaa bbb ccc", 5, {"aaa", "bbb", "ccc"}},
      {"equal width fits; the break at a space keeps it", "abcde fgh", 5, {"abcde ", "fgh"}},
      {"too wide exactly at a space", "abcd efg", 4, {"abcd ", "efg"}},
      {"an over-long word is cut before the overflow", "abcdefghij", 4, {"abcd", "efgh", "ij"}},
      {"a space before the line start is ignored", "ab cdefgh", 4, {"ab", "cdef", "gh"}},
      {"a single character wider than the limit", "ab", 0.5f, {"a", "b"}},
      {"the last line stays whole", "abcd e", 5, {"abcd e"}},
      {"a cut line keeps the second of two spaces", "abcd  ef ghi", 4, {"abcd ", " ef", "ghi"}},
      {"a space at the line start does not count", "abcd  efghij", 4, {"abcd ", " efgh", "ij"}},
      {"leading spaces are dropped", "  ab", 100, {"ab"}},
      {"spaces only give one empty line", "   ", 100, {""}},
      {"carriage return breaks", "ab\rcd", 100, {"ab", "cd"}},
      {"CR LF is one break", "ab\r\ncd", 100, {"ab", "cd"}},
      {"line feed alone vanishes", "ab\ncd", 100, {"abcd"}},
      {"two returns give an empty line", "ab\r\rcd", 100, {"ab", "", "cd"}},
      {"a final return adds no line", "ab\r", 100, {"ab"}},
      {"returns only", "\r\r", 100, {"", ""}},
      {"the line after a return drops its leading space", "ab\r cd", 100, {"ab", "cd"}},
      {"characters, not bytes", e3 + " " + e3, 5, {e3, e3}},
      {"a cut never splits a character", e3 + dash + e, 3, {e3, dash + e}},
      {"a three-byte character is one", dash + e + " x", 2, {dash + e + " ", "x"}},
      {"a stray byte counts as one character", "ab\xFF" + std::string("cd"), 3, {"ab\xFF", "cd"}},
  };
  for (const WrapCase& c : cases) {
    RecordingSurface measure;
    measure.SetFontSize(kOnePixelPerCharacter);
    EXPECT_EQ(WrapText(measure, c.text, c.limit), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace vw
