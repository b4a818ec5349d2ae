#include "core/Settings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

}  // namespace
}  // namespace vw
