#include "app/Settings.h"

#include <gtest/gtest.h>

#include "tests/support/MemorySettingsStore.h"

namespace vw {
namespace {

using test::MemorySettingsStore;

TEST(EnsureDefaultSettings, FirstStartWritesExactlyTheThirteenDefaults) {
  MemorySettingsStore store;
  EnsureDefaultSettings(store);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"ChangeSec", "15"}, {"FontSize", "20"},   {"FontBold", "0"},    {"FontItalic", "0"},
      {"DropShadow", "0"}, {"Font", "Arial"},    {"Color", "1"},       {"ScreenColor", "0"},
      {"ColorType", "0"},  {"Content", "0"},     {"FreeText", "Dadoduz Ivuzozuvodi"},
      {"Display", "1"},    {"LastVerse", "1"},
  };
  ASSERT_EQ(store.writes.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(store.writes[i].section, "Settings");
    EXPECT_EQ(store.writes[i].key, expected[i].first);
    EXPECT_EQ(store.writes[i].value, expected[i].second);
  }
  EXPECT_EQ(store.Get("Settings", "LastSection"), "");
  EXPECT_EQ(store.Keys("Settings").size(), 13u);
}

TEST(EnsureDefaultSettings, PartialStoreOnlyFillsWhatIsEmpty) {
  MemorySettingsStore store;
  store.Set("Settings", "FontSize", "33");
  store.Set("Settings", "Font", "");  // empty counts as absent
  store.Set("Settings", "LastSection", "16");
  EnsureDefaultSettings(store);
  EXPECT_EQ(store.Get("Settings", "FontSize"), "33");
  EXPECT_EQ(store.Get("Settings", "Font"), "Arial");
  EXPECT_EQ(store.Get("Settings", "LastSection"), "16");
  for (const auto& w : store.writes) EXPECT_NE(w.key, "FontSize");
  // A second start writes nothing at all.
  store.writes.clear();
  EnsureDefaultSettings(store);
  EXPECT_TRUE(store.writes.empty());
}

TEST(EnsureDefaultSettings, TransparentBackgroundSurvivesStarts) {
  MemorySettingsStore store;
  store.Set("Settings", "ScreenColor", "1");
  for (int start = 0; start < 3; ++start) EnsureDefaultSettings(store);
  EXPECT_EQ(store.Get("Settings", "ScreenColor"), "1");
  EXPECT_EQ(store.Get("Settings", "screencolor"), "1");
}

TEST(LoadSettings, FirstStartValues) {
  MemorySettingsStore store;
  EnsureDefaultSettings(store);
  SettingsRecord r;
  LoadSettings(store, r);
  EXPECT_EQ(r.ChangeSec, 15);
  EXPECT_EQ(r.ChangeIntervalMs(), 15000);
  EXPECT_EQ(r.FontSize, 20);
  EXPECT_FALSE(r.FontBold);
  EXPECT_FALSE(r.FontItalic);
  EXPECT_FALSE(r.DropShadow);
  EXPECT_EQ(r.Font, "Arial");
  EXPECT_EQ(r.Color, 1);
  EXPECT_FALSE(r.ScreenColor);
  EXPECT_FALSE(r.ColorType);
  EXPECT_EQ(r.Display, 1);
  EXPECT_EQ(r.LastSection, 0);
  EXPECT_EQ(r.LastVerse, 1);
}

TEST(LoadSettings, StoredValuesAreConverted) {
  MemorySettingsStore store;
  EnsureDefaultSettings(store);
  store.Set("Settings", "ChangeSec", " 2.5 ");
  store.Set("Settings", "FontSize", "45");
  store.Set("Settings", "FontBold", "2");
  store.Set("Settings", "FontItalic", "1");
  store.Set("Settings", "DropShadow", "1");
  store.Set("Settings", "Font", "Times New Roman");
  store.Set("Settings", "Color", "7");
  store.Set("Settings", "SCREENCOLOR", "1");
  store.Set("Settings", "ColorType", "1");
  store.Set("Settings", "Display", "63");
  store.Set("Settings", "LastSection", "16");
  store.Set("Settings", "LastVerse", "3");
  SettingsRecord r;
  LoadSettings(store, r);
  EXPECT_EQ(r.ChangeSec, 2);
  EXPECT_EQ(r.FontSize, 45);
  EXPECT_TRUE(r.FontBold);
  EXPECT_TRUE(r.FontItalic);
  EXPECT_TRUE(r.DropShadow);
  EXPECT_EQ(r.Font, "Times New Roman");
  EXPECT_EQ(r.Color, 7);  // kept: the display draws such a colour black
  EXPECT_TRUE(r.ScreenColor);
  EXPECT_TRUE(r.ColorType);
  EXPECT_EQ(r.Display, 63);
  EXPECT_EQ(r.LastSection, 16);
  EXPECT_EQ(r.LastVerse, 3);
}

TEST(LoadSettings, HandEditedValuesFallBackToDefaultsWithoutWriting) {
  struct Case {
    const char* key;
    const char* stored;
  };
  const Case cases[] = {{"ChangeSec", "abc"},  {"ChangeSec", "0"},    {"ChangeSec", "-5"},
                        {"ChangeSec", "99999"}, {"FontSize", "abc"},  {"FontSize", "7"},
                        {"FontSize", "46"},    {"FontSize", "99999"}, {"FontBold", "x"},
                        {"Color", "99999"},    {"Display", "lots"},  {"LastVerse", "1e20"},
                        {"LastSection", "99999999999"}};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    EnsureDefaultSettings(store);
    store.Set("Settings", c.key, c.stored);
    store.writes.clear();
    SettingsRecord r;
    LoadSettings(store, r);
    EXPECT_EQ(r.ChangeSec, 15) << c.key << "=" << c.stored;
    EXPECT_EQ(r.FontSize, 20) << c.key << "=" << c.stored;
    EXPECT_FALSE(r.FontBold) << c.key << "=" << c.stored;
    EXPECT_EQ(r.Color, 1) << c.key << "=" << c.stored;
    EXPECT_EQ(r.Display, 1) << c.key << "=" << c.stored;
    EXPECT_EQ(r.LastVerse, 1) << c.key << "=" << c.stored;
    EXPECT_EQ(r.LastSection, 0) << c.key << "=" << c.stored;
    EXPECT_TRUE(store.writes.empty()) << c.key;
    EXPECT_EQ(store.Get("Settings", c.key), c.stored) << "the stored value is left alone";
  }
}

TEST(LoadSettings, IntervalsBeyondThirtyTwoSecondsDoNotOverflow) {
  MemorySettingsStore store;
  EnsureDefaultSettings(store);
  store.Set("Settings", "ChangeSec", "32");
  SettingsRecord r;
  LoadSettings(store, r);
  EXPECT_EQ(r.ChangeIntervalMs(), 32000);
  store.Set("Settings", "ChangeSec", "33");
  LoadSettings(store, r);
  EXPECT_EQ(r.ChangeIntervalMs(), 33000);
  store.Set("Settings", "ChangeSec", "32767");
  LoadSettings(store, r);
  EXPECT_EQ(r.ChangeIntervalMs(), 32767000);
}

TEST(LoadSettings, AbsentLastSectionAndFreeFormLastSection) {
  MemorySettingsStore store;
  EnsureDefaultSettings(store);
  SettingsRecord r;
  store.Set("Settings", "LastSection", "8 topics");
  LoadSettings(store, r);
  EXPECT_EQ(r.LastSection, 8);
}

}  // namespace
}  // namespace vw
