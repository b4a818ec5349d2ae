// The hack's logic that needs no X server: its command line against the settings table and
// the settings pane, the reading place file, the choice of monitor and the desktop image.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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
  return {std::istream_iterator<std::string>(in), {}};
}

// What a command line left: its settings, the window it asked for and how many warnings.
std::string Outcome(const HackOptions& o) {
  std::string text;
  for (const auto& [key, value] : o.settings) text += key + "=" + value + " ";
  if (o.window == WindowChoice::Root) text += "root ";
  if (o.window == WindowChoice::WindowId) text += "window=" + std::to_string(o.windowId) + " ";
  if (!o.warnings.empty()) text += "warnings=" + std::to_string(o.warnings.size()) + " ";
  return text.substr(0, text.empty() ? 0 : text.size() - 1);
}

TEST(X11Hack, ReadsItsCommandLine) {
  // clang-format off
  const std::pair<const char*, const char*> rows[] = {
      {"", ""}, {"--root", "root"}, {"-root --window-id 0x2a", "window=42"},
      {"--window-id=77 --root", "window=77"}, {"--window-id zz", "warnings=1"},
      {"--change-sec 30 -font-size 12", "ChangeSec=30 FontSize=12"},
      {"--change-sec 0 --font-size 46 --font-size=7.4", "warnings=3"},
      {"--change-sec 32767 --font-size 45", "ChangeSec=32767 FontSize=45"}, {"--font-size 8.5", "FontSize=8.5"},
      {"--font Liberation --font", "Font=Liberation warnings=1"},
      {"--bold -italic --drop-shadow --desktop-image", "DropShadow=1 FontBold=1 FontItalic=1 ScreenColor=1"},
      {"--bold --no-bold", "FontBold=0"}, {"--color cyan", "Color=5 ColorType=0"},
      {"--color random", "ColorType=1"}, {"--color purple --fps", "warnings=2"},
      {"--ten-commandments --prophecies", "Display=35"}, {"--no-all-verses --samson", "Display=8"},
      {"--no-all-verses", "warnings=1"},
  };
  // clang-format on
  for (const auto& [line, outcome] : rows) EXPECT_EQ(Outcome(ParseHackOptions(Words(line))), outcome) << line;
}

// Every control of the settings pane against the option it passes and the settings table
// behind it: same default, same range, and no option of the hack missing from the pane.
TEST(X11Hack, SettingsPaneMatchesTheSettingsTable) {
  std::ifstream in(VELLUMWAY_HACK_XML);
  ASSERT_TRUE(in) << VELLUMWAY_HACK_XML;
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  const std::regex element(R"(<(number|boolean|option|string)\b([^>]*)>)");
  const std::regex attribute(R"(([\w-]+)="([^"]*)\")");
  std::set<std::string> passed;  // every option word the pane can pass
  int colors = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), element); it != std::sregex_iterator(); ++it) {
    const std::string kind = (*it)[1], attrs = (*it)[2];
    std::map<std::string, std::string> a;
    for (auto m = std::sregex_iterator(attrs.begin(), attrs.end(), attribute); m != std::sregex_iterator(); ++m)
      a[(*m)[1]] = (*m)[2];
    const std::string arg = a.count("arg") ? a["arg"] : a.count("arg-set") ? a["arg-set"] : a["arg-unset"];
    const std::vector<std::string> words = Words(arg);
    colors += kind == "option";
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
        EXPECT_EQ(a["default"] + " " + a["low"] + "-" + a["high"],
                  std::string(row->key->Default) + " " + std::to_string(row->key->Min) + "-" +
                      std::to_string(row->key->Max)) << arg;
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
      moved += k.Name == std::string(kDisplay.Name) || ConvertSetting(k, now->second) != ConvertSetting(k, k.Default);
    }
    EXPECT_GT(moved, 0) << arg;
  }
  EXPECT_EQ(colors, static_cast<int>(kColorNames.size()));
  for (const OptionRow& row : kOptionRows)  // every option that changes something
    EXPECT_TRUE((row.value && std::string(row.value) == row.key->Default) || passed.count(row.name))
        << row.name << " is not in the pane";
  for (const TopicRow& topic : kTopicRows) {
    const std::string on = TopicOption(topic.Key), off = "--no-" + on.substr(2);
    EXPECT_TRUE(passed.count(on) || passed.count(off)) << on << " is not in the pane";
  }
}

TEST(X11Hack, KeepsTheReadingPlaceInItsFile) {
  const std::tuple<const char*, const char*, const char*> paths[] = {
      {"/x/state", "/home/u", "/x/state/vellumway/place"}, {nullptr, nullptr, ""},
      {nullptr, "/home/u", "/home/u/.local/state/vellumway/place"},
      {"relative", "/home/u", "/home/u/.local/state/vellumway/place"}};
  for (const auto& [state, home, path] : paths) EXPECT_EQ(PlaceFilePath(state, home), path) << home;

  const auto dir = std::filesystem::temp_directory_path() / ("vw-place-" + std::to_string(getpid()));
  const std::string path = (dir / "vellumway" / "place").string();
  std::filesystem::remove_all(dir);
  // The file (nullptr: none), whether loading it has a note for stderr, the place it gives.
  const std::tuple<const char*, bool, const char*> rows[] = {
      {nullptr, true, "/"}, {"LastSection=16\nLastVerse=3\n", false, "16/3"}, {"LastVerse=3\n", true, "/"},
      {"LastSection=1\nLastVerse=abc\n", true, "/"}, {"\x01\x02garbage", true, "/"}};
  for (const auto& [file, note, place] : rows) {
    std::filesystem::create_directories(dir / "vellumway");
    if (file) std::ofstream(path, std::ios::trunc) << file;
    HackSettingsStore store({{"FontSize", "30"}}, path);
    EXPECT_EQ(!store.LoadPlace().empty(), note) << (file ? file : "missing");
    EXPECT_EQ(store.Read(kProgramTitle, kSettingsSection, "LastSection") + "/" +
                  store.Read(kProgramTitle, kSettingsSection, "lastverse"), place);
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "vellumway"), {}), 1);  // no temporary left
    std::filesystem::remove_all(dir);
  }
}

TEST(X11Hack, ChoosesThePrimaryMonitorAndItsPartOfTheDesktopImage) {
  const ScreenRect left{0, 0, 1024, 768}, right{1024, 0, 1024, 768}, both{0, 0, 2048, 768};
  const ScreenRect preview{0, 0, 700, 400};
  const std::vector<ScreenRect> leftPrimary{left, right}, rightPrimary{right, left}, one{left}, none;
  const auto root = WindowChoice::Root;
  // The verse only on the primary monitor's window (or one over all of them).
  const std::tuple<WindowChoice, const std::vector<ScreenRect>&, ScreenRect, bool> rows[] = {
      {root, leftPrimary, left, true},  {root, leftPrimary, right, false}, {root, rightPrimary, left, false},
      {root, rightPrimary, right, true}, {root, one, left, true},          {root, none, left, true},
      {root, leftPrimary, both, true},  {WindowChoice::WindowId, leftPrimary, right, true},
      {WindowChoice::Own, rightPrimary, left, true}};
  for (const auto& [choice, heads, window, verse] : rows)
    EXPECT_EQ(ShowsVerse(choice, heads, window), verse)
        << static_cast<int>(choice) << " at " << window.x << " of " << heads.size();

  // The verse in head 0's part of a window over both; a window on one head is all its own.
  // The desktop image cut for the window: a monitor's own image whole, the whole root's at
  // the window (a preview inside it too), anything else from its corner. imageW 0: the area.
  const std::tuple<const std::vector<ScreenRect>&, int, int, ScreenRect, ScreenRect> cuts[] = {
      {rightPrimary, 0, 0, both, right}, {leftPrimary, 0, 0, both, left}, {rightPrimary, 0, 0, right, left},
      {one, 0, 0, preview, preview},     {one, 1024, 768, right, left},   {one, 2048, 768, right, right},
      {one, 2048, 768, preview, preview}, {one, 800, 600, right, {0, 0, 800, 600}}};
  for (const auto& [heads, imageW, imageH, window, want] : cuts) {
    ScreenRect got = VerseArea(heads, window);
    if (imageW) {
      const ImageCrop crop = ScreenshotCrop(imageW, imageH, window, 2048, 768);
      got = {crop.x, crop.y, crop.width, crop.height};
    }
    EXPECT_EQ((std::vector<int>{got.x, got.y, got.width, got.height}),
              (std::vector<int>{want.x, want.y, want.width, want.height}))
        << imageW << " at " << window.x << " of " << heads.size();
  }
  EXPECT_TRUE(DesktopImagesAllowed(""));
  EXPECT_TRUE(DesktopImagesAllowed("grabDesktopImages:   True\n"));
  EXPECT_FALSE(DesktopImagesAllowed("mode: one\ngrabDesktopImages:\tFalse\nlock: True\n"));
}

TEST(X11Hack, FindsKjvDatBesideItselfThenInTheDataFolders) {
  const std::tuple<const char*, std::set<std::string>, const char*> rows[] = {
      {nullptr, {"/opt/bin/kjv.dat", "/usr/share/vellumway/kjv.dat"}, "/opt/bin/"},
      {nullptr, {"/usr/share/vellumway/kjv.dat"}, "/usr/share/vellumway/"},
      {"", {"/usr/local/share/vellumway/kjv.dat", "/usr/share/vellumway/kjv.dat"}, "/usr/local/share/vellumway/"},
      {"/a:/b/", {"/b/vellumway/kjv.dat", "/usr/share/vellumway/kjv.dat"}, "/b/vellumway/"},
      {"/a:/b", {"/usr/share/vellumway/kjv.dat"}, ""}};
  for (const auto& [dataDirs, files, found] : rows)
    EXPECT_EQ(FindVerseFolder("/opt/bin", dataDirs, [&](const std::string& p) { return files.count(p) > 0; }), found)
        << (dataDirs ? dataDirs : "unset");
}

}  // namespace
}  // namespace vw::x11
