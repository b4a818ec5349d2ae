// The hack's logic that needs no X server: its command line against the settings table and
// the settings pane, the reading place file, the choice of monitor and the desktop image.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "verses/Topics.h"
#include "x11/HackOptions.h"
#include "x11/HackPlace.h"
#include "x11/HackScreens.h"

namespace vw::x11 {
namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string SettingsText(const HackOptions& o) {
  std::string text;
  for (const auto& [key, value] : o.settings) text += (text.empty() ? "" : " ") + key + "=" + value;
  return text;
}

TEST(X11Hack, ReadsItsCommandLine) {
  struct Row {
    const char* line;
    const char* settings;
    WindowChoice window;
    unsigned long id;
    std::size_t warnings;
  };
  // clang-format off
  const Row rows[] = {
      {"", "", WindowChoice::Own, 0, 0},
      {"--root", "", WindowChoice::Root, 0, 0},
      {"-root --window-id 0x2a", "", WindowChoice::WindowId, 42, 0},
      {"--window-id=77 --root", "", WindowChoice::WindowId, 77, 0},
      {"--window-id zz", "", WindowChoice::Own, 0, 1},
      {"--change-sec 30 -font-size 12", "ChangeSec=30 FontSize=12", WindowChoice::Own, 0, 0},
      {"--change-sec 0 --font-size 46 --font-size=7.4", "", WindowChoice::Own, 0, 3},
      {"--change-sec 32767 --font-size 45", "ChangeSec=32767 FontSize=45", WindowChoice::Own, 0, 0},
      {"--font-size 8.5", "FontSize=8.5", WindowChoice::Own, 0, 0},
      {"--font Liberation --font", "Font=Liberation", WindowChoice::Own, 0, 1},
      {"--bold -italic --drop-shadow --desktop-image",
       "DropShadow=1 FontBold=1 FontItalic=1 ScreenColor=1", WindowChoice::Own, 0, 0},
      {"--bold --no-bold", "FontBold=0", WindowChoice::Own, 0, 0},
      {"--color cyan", "Color=5 ColorType=0", WindowChoice::Own, 0, 0},
      {"--color random", "ColorType=1", WindowChoice::Own, 0, 0},
      {"--color purple --fps", "", WindowChoice::Own, 0, 2},
      {"--ten-commandments --prophecies", "Display=35", WindowChoice::Own, 0, 0},
      {"--no-all-verses --samson", "Display=8", WindowChoice::Own, 0, 0},
      {"--no-all-verses", "", WindowChoice::Own, 0, 1},
  };
  // clang-format on
  for (const Row& row : rows) {
    const HackOptions o = ParseHackOptions(Words(row.line));
    EXPECT_EQ(SettingsText(o), row.settings) << row.line;
    EXPECT_EQ(o.window, row.window) << row.line;
    EXPECT_EQ(o.windowId, row.id) << row.line;
    EXPECT_EQ(o.warnings.size(), row.warnings) << row.line;
  }
}

// Every control of the settings pane against the option it passes and the settings table
// behind it: same default, same range, and no option of the hack missing from the pane.
TEST(X11Hack, SettingsPaneMatchesTheSettingsTable) {
  std::ifstream in(VELLUMWAY_HACK_XML);
  ASSERT_TRUE(in) << VELLUMWAY_HACK_XML;
  std::stringstream xml;
  xml << in.rdbuf();
  const std::string text = xml.str();
  const std::regex element(R"(<(number|boolean|option|string)\b([^>]*)>)");
  const std::regex attribute(R"(([\w-]+)="([^"]*)\")");
  std::map<std::string, std::string> defaultsSeen;  // key name -> what the pane leaves alone
  std::set<std::string> passed;                      // every option word the pane can pass
  int colors = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), element); it != std::sregex_iterator(); ++it) {
    const std::string kind = (*it)[1];
    const std::string attrs = (*it)[2];
    std::map<std::string, std::string> a;
    for (auto m = std::sregex_iterator(attrs.begin(), attrs.end(), attribute); m != std::sregex_iterator(); ++m)
      a[(*m)[1]] = (*m)[2];
    const std::string arg = a.count("arg") ? a["arg"] : a.count("arg-set") ? a["arg-set"] : a["arg-unset"];
    const std::vector<std::string> words = Words(arg);
    if (kind == "option") ++colors;
    if (words.empty()) {
      // The default option passes nothing: it must be the table's default colour.
      ASSERT_EQ(kind, "option") << attrs;
      EXPECT_EQ(a["id"], kColorNames.at(std::stoul(kColor.Default))) << attrs;
      continue;
    }
    passed.insert(words[0]);
    if (kind == "number" || kind == "string") {
      const auto row = std::find_if(kOptionRows.begin(), kOptionRows.end(),
                                    [&](const OptionRow& r) { return words[0] == r.name; });
      ASSERT_NE(row, kOptionRows.end()) << arg;
      if (kind == "number") {
        EXPECT_EQ(a["default"], row->key->Default) << arg;
        EXPECT_EQ(std::stol(a["low"]), row->key->Min) << arg;
        EXPECT_EQ(std::stol(a["high"]), row->key->Max) << arg;
      }
      continue;
    }
    // A box or option passes what the hack knows, and it moves a key off its default (beside
    // one more topic, so that clearing a topic leaves one).
    std::vector<std::string> line;
    if (words[0].rfind("--no-", 0) == 0) line.push_back("--prophecies");
    const HackOptions base = ParseHackOptions(line);
    line.insert(line.end(), words.begin(), words.end());
    const HackOptions o = ParseHackOptions(line);
    EXPECT_TRUE(o.warnings.empty()) << arg;
    int moved = 0;
    for (const SettingKey& k : kSettingKeys) {
      const auto now = o.settings.find(k.Name), before = base.settings.find(k.Name);
      if (now == o.settings.end() || (before != base.settings.end() && before->second == now->second)) continue;
      // The topics move the sum off what it was without them; the others off the default.
      if (k.Name == std::string(kDisplay.Name) || ConvertSetting(k, now->second) != ConvertSetting(k, k.Default))
        ++moved;
    }
    EXPECT_GT(moved, 0) << arg;
  }
  EXPECT_EQ(colors, static_cast<int>(kColorNames.size()));
  for (const OptionRow& row : kOptionRows) {
    const bool changes = !row.value || std::string(row.value) != row.key->Default;
    if (changes) {
      EXPECT_TRUE(passed.count(row.name)) << row.name << " is not in the pane";
    }
  }
  for (const TopicRow& topic : kTopicRows) {
    const std::string on = TopicOption(topic.Key), off = "--no-" + on.substr(2);
    EXPECT_TRUE(passed.count(on) || passed.count(off)) << on << " is not in the pane";
  }
}

TEST(X11Hack, KeepsTheReadingPlaceInItsFile) {
  EXPECT_EQ(PlaceFilePath("/x/state", "/home/u"), "/x/state/vellumway/place");
  EXPECT_EQ(PlaceFilePath(nullptr, "/home/u"), "/home/u/.local/state/vellumway/place");
  EXPECT_EQ(PlaceFilePath("relative", "/home/u"), "/home/u/.local/state/vellumway/place");
  EXPECT_EQ(PlaceFilePath(nullptr, nullptr), "");

  const auto dir = std::filesystem::temp_directory_path() / ("vw-place-" + std::to_string(getpid()));
  const std::string path = (dir / "vellumway" / "place").string();
  std::filesystem::remove_all(dir);
  struct Row {
    const char* file;  // nullptr: no file
    bool note;
    const char* section;
    const char* verse;
  };
  const Row rows[] = {
      {nullptr, true, "", ""},
      {"LastSection=16\nLastVerse=3\n", false, "16", "3"},
      {"LastVerse=3\n", true, "", ""},
      {"LastSection=1\nLastVerse=abc\n", true, "", ""},
      {"\x01\x02garbage", true, "", ""},
  };
  for (const Row& row : rows) {
    std::filesystem::create_directories(dir / "vellumway");
    if (row.file) std::ofstream(path, std::ios::trunc) << row.file;
    HackSettingsStore store({{"FontSize", "30"}}, path);
    EXPECT_EQ(!store.LoadPlace().empty(), row.note) << (row.file ? row.file : "missing");
    EXPECT_EQ(store.Read(kProgramTitle, kSettingsSection, "LastSection"), row.section);
    EXPECT_EQ(store.Read(kProgramTitle, kSettingsSection, "lastverse"), row.verse);
    // Only the place is written, and only to its file.
    EXPECT_FALSE(store.Write(kProgramTitle, kSettingsSection, "FontSize", "9"));
    EXPECT_EQ(store.Read(kProgramTitle, kSettingsSection, "FontSize"), "30");
    EXPECT_FALSE(store.SavePlace());  // nothing written yet
    ASSERT_TRUE(store.Write(kProgramTitle, kSettingsSection, "LastSection", "4"));
    ASSERT_TRUE(store.Write(kProgramTitle, kSettingsSection, "LastVerse", "97"));
    ASSERT_TRUE(store.SavePlace());
    std::stringstream saved;
    saved << std::ifstream(path).rdbuf();
    EXPECT_EQ(saved.str(), "LastSection=4\nLastVerse=97\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "vellumway"), {}), 1);
    std::filesystem::remove_all(dir);
  }
}

TEST(X11Hack, ChoosesThePrimaryMonitorAndItsPartOfTheDesktopImage) {
  const std::vector<ScreenRect> leftPrimary{{0, 0, 1024, 768}, {1024, 0, 1024, 768}};
  const std::vector<ScreenRect> rightPrimary{{1024, 0, 1024, 768}, {0, 0, 1024, 768}};
  const ScreenRect left{0, 0, 1024, 768}, right{1024, 0, 1024, 768}, both{0, 0, 2048, 768};
  struct Row {
    WindowChoice choice;
    const std::vector<ScreenRect>& heads;
    ScreenRect window;
    bool verse;
  };
  const std::vector<ScreenRect> one{{0, 0, 1024, 768}}, none;
  const Row rows[] = {
      {WindowChoice::Root, leftPrimary, left, true},   {WindowChoice::Root, leftPrimary, right, false},
      {WindowChoice::Root, rightPrimary, left, false}, {WindowChoice::Root, rightPrimary, right, true},
      {WindowChoice::Root, one, left, true},           {WindowChoice::Root, none, left, true},
      {WindowChoice::Root, leftPrimary, both, true},   {WindowChoice::WindowId, leftPrimary, right, true},
      {WindowChoice::Own, rightPrimary, left, true},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ShowsVerse(row.choice, row.heads, row.window), row.verse)
        << static_cast<int>(row.choice) << " at " << row.window.x << " of " << row.heads.size();

  // The verse in head 0's part of a window over both; a window on one head is all its own.
  const auto area = [](const std::vector<ScreenRect>& heads, ScreenRect window) {
    const ScreenRect a = VerseArea(heads, window);
    return std::vector<int>{a.x, a.y, a.width, a.height};
  };
  EXPECT_EQ(area(rightPrimary, both), (std::vector<int>{1024, 0, 1024, 768}));
  EXPECT_EQ(area(leftPrimary, both), (std::vector<int>{0, 0, 1024, 768}));
  EXPECT_EQ(area(rightPrimary, right), (std::vector<int>{0, 0, 1024, 768}));
  EXPECT_EQ(area(one, {0, 0, 700, 400}), (std::vector<int>{0, 0, 700, 400}));

  struct Crop {
    int imageW, imageH;
    ScreenRect window;
    int x, y, w, h;
  };
  const Crop crops[] = {
      {1024, 768, right, 0, 0, 1024, 768},           // the monitor's own image
      {2048, 768, right, 1024, 0, 1024, 768},        // the whole root: cut at the window
      {2048, 768, {0, 0, 700, 400}, 0, 0, 700, 400},  // a preview inside it
      {800, 600, right, 0, 0, 800, 600},             // anything else: from its corner
  };
  for (const Crop& c : crops) {
    const ImageCrop got = ScreenshotCrop(c.imageW, c.imageH, c.window, 2048, 768);
    EXPECT_EQ((std::vector<int>{got.x, got.y, got.width, got.height}),
              (std::vector<int>{c.x, c.y, c.w, c.h})) << c.imageW << " at " << c.window.x;
  }

  EXPECT_TRUE(DesktopImagesAllowed(""));
  EXPECT_TRUE(DesktopImagesAllowed("grabDesktopImages:   True\n"));
  EXPECT_FALSE(DesktopImagesAllowed("mode: one\ngrabDesktopImages:\tFalse\nlock: True\n"));
}

TEST(X11Hack, FindsKjvDatBesideItselfThenInTheDataFolders) {
  struct Row {
    const char* dataDirs;
    std::set<std::string> files;
    const char* found;
  };
  const Row rows[] = {
      {nullptr, {"/opt/bin/kjv.dat", "/usr/share/vellumway/kjv.dat"}, "/opt/bin/"},
      {nullptr, {"/usr/share/vellumway/kjv.dat"}, "/usr/share/vellumway/"},
      {"", {"/usr/local/share/vellumway/kjv.dat", "/usr/share/vellumway/kjv.dat"}, "/usr/local/share/vellumway/"},
      {"/a:/b/", {"/b/vellumway/kjv.dat", "/usr/share/vellumway/kjv.dat"}, "/b/vellumway/"},
      {"/a:/b", {"/usr/share/vellumway/kjv.dat"}, ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FindVerseFolder("/opt/bin", row.dataDirs,
                              [&](const std::string& p) { return row.files.count(p) > 0; }),
              row.found) << (row.dataDirs ? row.dataDirs : "unset");
  }
}

}  // namespace
}  // namespace vw::x11
