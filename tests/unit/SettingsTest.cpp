#include "core/Settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Startup.h"
#include "core/Conversions.h"
#include "tests/support/MemorySettingsStore.h"

namespace vw {
namespace {

using test::MemorySettingsStore;
using Strings = std::vector<std::string>;

// Every key but "LastSection", which has no default.
TEST(EnsureDefaultSettings, FirstStartWritesEveryDefault) {
  MemorySettingsStore store;
  EnsureDefaultSettings(store);
  EXPECT_EQ(store.writes,
            (Strings{"Settings\\ChangeSec=15", "Settings\\FontSize=20", "Settings\\FontBold=0",
                     "Settings\\FontItalic=0", "Settings\\DropShadow=0", "Settings\\Font=Arial",
                     "Settings\\Color=1", "Settings\\ScreenColor=0", "Settings\\ColorType=0",
                     "Settings\\Content=0", "Settings\\FreeText=Dadoduz Ivuzozuvodi",
                     "Settings\\Display=1", "Settings\\LastVerse=1"}));
}

std::string Loaded(const MemorySettingsStore& store) {
  SettingsRecord r;
  LoadSettings(store, r);
  auto flag = [](bool on) { return on ? "1" : "0"; };
  return "sec=" + std::to_string(r.ChangeSec) + " ms=" + std::to_string(r.ChangeIntervalMs()) +
         " size=" + std::to_string(r.FontSize) + " b" + flag(r.FontBold) + " i" +
         flag(r.FontItalic) + " shadow" + flag(r.DropShadow) + " font=" + r.Font +
         " color=" + std::to_string(r.Color) + " screen" + flag(r.ScreenColor) + " type" +
         flag(r.ColorType) + " display=" + std::to_string(r.Display) +
         " section=" + std::to_string(r.LastSection) + " verse=" + std::to_string(r.LastVerse);
}

const std::string kFirstStart =
    "sec=15 ms=15000 size=20 b0 i0 shadow0 font=Arial color=1 screen0 type0 display=1 section=0 "
    "verse=1";

// Hand-edited values that are no number, or out of range, load as the defaults; loading writes
// nothing and leaves the stored text as it is.
TEST(LoadSettings, ConvertsTheStoredValuesOrFallsBackToTheDefaults) {
  const std::pair<std::string, std::string> cases[] = {
      {"", kFirstStart},
      {"ChangeSec= 2.5 |FontSize=45|FontBold=2|FontItalic=1|DropShadow=1|Font=Times New Roman|"
       "Color=7|SCREENCOLOR=1|ColorType=1|Display=63|LastSection=16 topics|LastVerse=3",
       "sec=2 ms=2000 size=45 b1 i1 shadow1 font=Times New Roman color=7 screen1 type1 "
       "display=63 section=16 verse=3"},
      // Intervals beyond 32 seconds do not overflow.
      {"ChangeSec=32767|FontSize=8|FontBold=1",
       "sec=32767 ms=32767000 size=8 b1 i0 shadow0 font=Arial color=1 screen0 type0 display=1 "
       "section=0 verse=1"},
      {"ChangeSec=abc|FontSize=abc|FontBold=x|Color=99999|Display=lots|LastVerse=1e20|"
       "LastSection=99999999999",
       kFirstStart},
      {"ChangeSec=0|FontSize=7", kFirstStart},
      {"ChangeSec=-5|FontSize=46", kFirstStart},
      {"ChangeSec=99999|FontSize=99999", kFirstStart}};
  for (const auto& [stored, loaded] : cases) {
    MemorySettingsStore store;
    store.AfterAStart(stored);
    EXPECT_EQ(Loaded(store), loaded) << stored;
    EXPECT_TRUE(store.writes.empty()) << stored;
    std::istringstream entries(stored);
    for (std::string e; std::getline(entries, e, '|');)
      EXPECT_EQ(store.Get("Settings", e.substr(0, e.find('='))), e.substr(e.find('=') + 1));
  }
}

// A text key stored empty reads as its default, in a store no start has filled.
TEST(ReadText, EmptyReadsAsTheDefault) {
  MemorySettingsStore store;
  for (const char* key : {"Font", "Content", "FreeText"}) store.Set("Settings", key, "");
  EXPECT_EQ(ReadText(store, kFont) + "|" + ReadText(store, SettingKeyNamed("Content")) + "|" +
                ReadText(store, SettingKeyNamed("FreeText")),
            "Arial|0|Dadoduz Ivuzozuvodi");
  EXPECT_EQ(Loaded(store), kFirstStart);
  store.Set("Settings", "Font", " ");
  EXPECT_EQ(ReadText(store, kFont), " ") << "a blank is no empty text";
}

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

// The command line a start is given, and the second-instance guard.

TEST(Startup, ReadsThePreviewHandle) {
  // An unsigned handle keeps its 32 bits; a tail outside them is no number.
  // clang-format off
  const std::pair<const char*, std::int32_t> handles[] = {
      {"/p 1234", 1234}, {"/p:1234", 1234}, {"/p", 0}, {"", 0}, {"/p   66070  ", 66070},
      {"/p -5", -5}, {"/p 2147483647", 2147483647}, {"/p 2147483648", INT32_MIN},
      {"/p 4294967295", -1}, {"/p 4294967296", 0}, {"/p -2147483649", 0},
      {"/p 99999999999999999999", 0}, {"/p 12ab", 0}, {"/p 12.5", 12}};
  // clang-format on
  for (const auto& [line, handle] : handles) EXPECT_EQ(ParsePreviewHandle(line), handle) << line;
}

TEST(Startup, DispatchesOnTheFirstTwoCharacters) {
  // Each command line with the "PrevInstance" it leaves: lower case, only spaces trimmed.
  using Lines = std::vector<std::pair<const char*, const char*>>;
  const std::pair<DisplayMode, Lines> cases[] = {
      {DisplayMode::FullScreen, {{"", ""}, {"/s", "/s"}, {"  /S  ", "/s"}, {"/sx", "/sx"}}},
      {DisplayMode::Preview, {{"/p 1234", "/p 1234"}, {"/P:77", "/p:77"}}},
      {DisplayMode::Configure, {{"/c", "/c"}, {"/c:1234", "/c:1234"}, {"/C", "/c"}}},
      {DisplayMode::End,
       {{"/a", "/a"}, {" XyZ", "xyz"}, {"/AZ", "/az"}, {"\t/c", "\t/c"}, {"/", "/"},
        {"/x", "/x"}}}};
  for (const auto& [mode, lines] : cases) {
    for (const auto& [raw, stored] : lines) {
      MemorySettingsStore store;
      EXPECT_EQ(DecideStartup(store, raw, false).mode, mode) << '"' << raw << '"';
      EXPECT_EQ(store.Get("Startup", "PrevInstance"), stored);
      EXPECT_EQ(store.Get("Settings", "ChangeSec"), "15") << "defaults come first";
    }
  }
  MemorySettingsStore store;
  EXPECT_EQ(DecideStartup(store, "/p 1234", false).previewParent, 1234);
}

TEST(Startup, SecondInstanceGuard) {
  // The "PrevInstance" stored (nullptr: none), the command line, whether another instance is
  // running, whether the start goes on.
  const struct { const char* previous; const char* raw; bool running, proceeds; } cases[] = {
      {"/s", "/s", true, false},     {"/s", "", true, false},       {nullptr, "/s", true, false},
      {"", "/c", true, false},       {"/s", "/p 1234", true, true}, {"/s", "/c", true, false},
      {"/p 1234", "/s", true, true}, {"/p", "/s", true, true},      {"/c", "/s", true, true},
      {"/c", "/c", true, true},      {"/x", "/s", true, true},      {"/s ", "/s", true, true},
      {"/s", "/s", false, true}};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    if (c.previous) store.Set("Startup", "PrevInstance", c.previous);
    SCOPED_TRACE(std::string(c.previous ? c.previous : "<none>") + " then " + c.raw +
                 (c.running ? " (running)" : ""));
    const StartupDecision d = DecideStartup(store, c.raw, c.running);
    EXPECT_EQ(d.stoppedByGuard, !c.proceeds);
    EXPECT_EQ(d.mode == DisplayMode::End, !c.proceeds);
    // A stopped start leaves the line of the run it found (the lines here are all normal).
    const char* kept = c.proceeds ? c.raw : c.previous ? c.previous : "";
    EXPECT_EQ(store.Get("Startup", "PrevInstance"), kept);
  }
}

}  // namespace
}  // namespace vw
