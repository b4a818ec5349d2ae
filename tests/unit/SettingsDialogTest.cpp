#include "settings_dialog/frmSettings.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/Settings.h"
#include "tests/support/FakeDialogControls.h"
#include "tests/support/MemorySettingsStore.h"

namespace vw {
namespace {

using test::FakeDialogControls;
using test::MemorySettingsStore;

// Passes everything to an in-memory store, but can refuse writes from the n-th one on.
class RefusingStore : public ISettingsStore {
 public:
  explicit RefusingStore(MemorySettingsStore& inner) : inner_(inner) {}
  std::string Read(const std::string& app, const std::string& section,
                   const std::string& key) const override {
    return inner_.Read(app, section, key);
  }
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
    if (refuseFrom >= 0 && attempts++ >= refuseFrom) return false;
    return inner_.Write(app, section, key, value);
  }
  int refuseFrom = -1;  // index of the first refused write; -1 refuses none
  int attempts = 0;

 private:
  MemorySettingsStore& inner_;
};

using Stored = std::vector<std::pair<std::string, std::string>>;
using Writes = std::vector<std::pair<std::string, std::string>>;

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() {
    ui.onClick = [this](ControlId id) { form.ControlClicked(id); };
    ui.fontFaces = {"Times New Roman", "Arial", "courier new", "Book Antiqua", "Symbol"};
  }

  // The store as a start leaves it (defaults for everything missing), then the dialog loads.
  void Load(const Stored& values = {}) {
    for (const auto& [key, value] : values) memory.Set("Settings", key, value);
    EnsureDefaultSettings(memory);
    memory.writes.clear();
    form.Form_Load();
  }

  std::string SelectedSize() const {
    return ui.ListItem(ControlId::cboMaxFontSize, ui.ListIndex(ControlId::cboMaxFontSize));
  }
  std::array<int, kSwatchCount> SwatchHeights() const {
    std::array<int, kSwatchCount> h{};
    for (int i = 0; i < kSwatchCount; ++i) h[i] = ui.HeightTwips(picColorSelect(i));
    return h;
  }
  std::array<bool, kTopicBoxCount> TopicBoxes() const {
    std::array<bool, kTopicBoxCount> t{};
    for (int i = 0; i < kTopicBoxCount; ++i) t[i] = ui.IsChecked(chkDisplay(i));
    return t;
  }
  Writes WritesMade() const {
    Writes out;
    for (const auto& w : memory.writes) {
      EXPECT_EQ(w.section, "Settings");
      out.emplace_back(w.key, w.value);
    }
    return out;
  }
  void PressOk() { ui.Click(ControlId::Command1); }

  MemorySettingsStore memory;
  RefusingStore store{memory};
  FakeDialogControls ui;
  frmSettings form{ui, store};
};

constexpr std::array<int, kSwatchCount> Marked(int index) {
  std::array<int, kSwatchCount> h{};
  for (int i = 0; i < kSwatchCount; ++i) h[i] = i == index ? 195 : 100;
  return h;
}

// --- loading ------------------------------------------------------------------------------

TEST_F(SettingsDialogTest, FirstStartShowsTheDefaults) {
  ui.AddListItem(ControlId::cmbFont, "Left over");  // the list is emptied first
  Load();
  EXPECT_EQ(ui.Text(ControlId::txtChangeSec), "15");
  EXPECT_EQ(SelectedSize(), "20");
  EXPECT_FALSE(ui.IsChecked(ControlId::chkBold));
  EXPECT_FALSE(ui.IsChecked(ControlId::chkItalic));
  EXPECT_FALSE(ui.IsChecked(ControlId::chkDropShadow));
  EXPECT_EQ(ui.Text(ControlId::cmbFont), "Arial");
  EXPECT_EQ(ui.sampleFace, "Arial");
  EXPECT_FALSE(ui.sampleBold);
  EXPECT_FALSE(ui.sampleItalic);
  EXPECT_EQ(SwatchHeights(), Marked(1));
  EXPECT_TRUE(ui.Shown(picColorSelect(1)));
  EXPECT_TRUE(ui.IsChecked(ControlId::optScreen0));
  EXPECT_FALSE(ui.IsChecked(ControlId::optScreen1));
  EXPECT_FALSE(ui.Shown(ControlId::chkDropShadow));
  EXPECT_TRUE(ui.IsChecked(ControlId::optColor0));
  EXPECT_FALSE(ui.IsChecked(ControlId::optColor1));
  EXPECT_EQ(TopicBoxes(), (std::array<bool, 6>{true, false, false, false, false, false}));
  EXPECT_TRUE(memory.writes.empty()) << "loading writes nothing";
  EXPECT_TRUE(ui.warnings.empty());
  EXPECT_FALSE(ui.closed);
}

TEST_F(SettingsDialogTest, ListsAreFilled) {
  Load();
  std::vector<std::string> faces;
  for (int i = 0; i < ui.ListCount(ControlId::cmbFont); ++i)
    faces.push_back(ui.ListItem(ControlId::cmbFont, i));
  EXPECT_EQ(faces, (std::vector<std::string>{"Arial", "Book Antiqua", "courier new", "Symbol",
                                             "Times New Roman"}));
  ASSERT_EQ(ui.ListCount(ControlId::cboMaxFontSize), 38);
  for (int i = 0; i < 38; ++i)
    EXPECT_EQ(ui.ListItem(ControlId::cboMaxFontSize, i), std::to_string(8 + i));
}

TEST_F(SettingsDialogTest, StoredFontSizeSelectsItsEntryOrTwenty) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"12", "12"}, {"8", "8"},     {"45", "45"},  {"50", "20"},
      {"0", "20"},  {"12.5", "20"}, {" 12", "20"}, {"abc", "20"},
  };
  for (const auto& [stored, shown] : cases) {
    MemorySettingsStore m;
    FakeDialogControls u;
    m.Set("Settings", "FontSize", stored);
    EnsureDefaultSettings(m);
    frmSettings f(u, m);
    f.Form_Load();
    EXPECT_EQ(u.ListItem(ControlId::cboMaxFontSize, u.ListIndex(ControlId::cboMaxFontSize)), shown)
        << "stored FontSize \"" << stored << "\"";
    EXPECT_TRUE(u.warnings.empty());
  }
}

TEST_F(SettingsDialogTest, StoredDisplayTicksItsTopics) {
  using Boxes = std::array<bool, kTopicBoxCount>;
  const std::vector<std::pair<std::string, Boxes>> cases = {
      {"34", {false, true, false, false, false, true}},
      {"63", {true, true, true, true, true, true}},
      {"0", {false, false, false, false, false, false}},
      {"16", {false, false, false, false, true, false}},
      {"66", {false, true, false, false, false, false}},   // 64 is no topic
      {"2.5", {false, true, false, false, false, false}},  // rounds to the even 2
      {"abc", {true, false, false, false, false, false}},  // hand-edited: the default
  };
  for (const auto& [stored, boxes] : cases) {
    MemorySettingsStore m;
    FakeDialogControls u;
    m.Set("Settings", "Display", stored);
    EnsureDefaultSettings(m);
    frmSettings f(u, m);
    f.Form_Load();
    Boxes shown{};
    for (int i = 0; i < kTopicBoxCount; ++i) shown[i] = u.IsChecked(chkDisplay(i));
    EXPECT_EQ(shown, boxes) << "stored Display \"" << stored << "\"";
  }
}

TEST_F(SettingsDialogTest, DisplayMaskRoundTrip) {
  Load();
  for (std::int32_t mask : {1, 2, 34, 63, 0, 21}) {
    form.SetDisplayMask(mask);
    EXPECT_EQ(form.GetDisplayMask(), mask);
  }
  form.SetDisplayMask(-1);  // every bit set: all six boxes
  EXPECT_EQ(form.GetDisplayMask(), 63);
}

TEST_F(SettingsDialogTest, TransparentBackgroundShowsTheShadowBox) {
  Load({{"ScreenColor", "1"}, {"DropShadow", "1"}});
  EXPECT_TRUE(ui.IsChecked(ControlId::optScreen1));
  EXPECT_FALSE(ui.IsChecked(ControlId::optScreen0));
  EXPECT_TRUE(ui.Shown(ControlId::chkDropShadow));
  EXPECT_TRUE(ui.IsChecked(ControlId::chkDropShadow));

  // Choosing "Black" hides it, ticked as it is; "Transparent" shows it again.
  ui.Click(ControlId::optScreen0);
  EXPECT_FALSE(ui.Shown(ControlId::chkDropShadow));
  EXPECT_TRUE(ui.IsChecked(ControlId::chkDropShadow));
  ui.Click(ControlId::optScreen1);
  EXPECT_TRUE(ui.Shown(ControlId::chkDropShadow));
}

TEST_F(SettingsDialogTest, RandomColourHidesTheSwatchesAndKeepsTheMark) {
  Load({{"ColorType", "1"}, {"Color", "3"}});
  EXPECT_TRUE(ui.IsChecked(ControlId::optColor1));
  EXPECT_FALSE(ui.Shown(ControlId::picColorColl));
  for (int i = 0; i < kSwatchCount; ++i) EXPECT_FALSE(ui.Shown(picColorSelect(i)));
  ui.Click(ControlId::optColor0);
  EXPECT_TRUE(ui.Shown(ControlId::picColorColl));
  EXPECT_EQ(SwatchHeights(), Marked(3));
}

TEST_F(SettingsDialogTest, StoredColourMarksItsSwatch) {
  const std::vector<std::pair<std::string, std::array<int, kSwatchCount>>> cases = {
      {"0", Marked(0)},   {"5", Marked(5)},   {"7", Marked(-1)},
      {"-1", Marked(-1)}, {"abc", Marked(1)},  // hand-edited text: the default swatch
      {"2.5", Marked(2)},
  };
  for (const auto& [stored, heights] : cases) {
    MemorySettingsStore m;
    FakeDialogControls u;
    m.Set("Settings", "Color", stored);
    EnsureDefaultSettings(m);
    frmSettings f(u, m);
    f.Form_Load();
    std::array<int, kSwatchCount> shown{};
    for (int i = 0; i < kSwatchCount; ++i) shown[i] = u.HeightTwips(picColorSelect(i));
    EXPECT_EQ(shown, heights) << "stored Color \"" << stored << "\"";
  }
}

// Values the program never writes were edited by hand: a number reads as the display reads it
// (not 0 is on), text as the key's default, never a failure.
TEST_F(SettingsDialogTest, HandEditedValuesLoadAsDefaults) {
  struct Case {
    Stored stored;
    bool transparent, random, bold, italic, shadow;
  };
  const std::vector<Case> cases = {
      {{{"ScreenColor", "abc"}}, false, false, false, false, false},
      {{{"ScreenColor", "7"}}, true, false, false, false, false},
      {{{"ScreenColor", "-1"}}, true, false, false, false, false},
      {{{"ScreenColor", " 1 "}}, true, false, false, false, false},
      {{{"ColorType", "2"}}, false, true, false, false, false},
      {{{"ColorType", "x1"}}, false, false, false, false, false},
      {{{"FontBold", "2"}, {"FontItalic", "yes"}}, false, false, true, false, false},
      {{{"FontBold", "1"}, {"FontItalic", "1"}}, false, false, true, true, false},
      {{{"DropShadow", "1.4"}, {"ScreenColor", "1"}}, true, false, false, false, true},
  };
  for (const auto& c : cases) {
    MemorySettingsStore m;
    FakeDialogControls u;
    for (const auto& [key, value] : c.stored) m.Set("Settings", key, value);
    EnsureDefaultSettings(m);
    frmSettings f(u, m);
    f.Form_Load();
    const std::string label = c.stored.front().first + "=" + c.stored.front().second;
    EXPECT_EQ(u.IsChecked(ControlId::optScreen1), c.transparent) << label;
    EXPECT_EQ(u.IsChecked(ControlId::optScreen0), !c.transparent) << label;
    EXPECT_EQ(u.Shown(ControlId::chkDropShadow), c.transparent) << label;
    EXPECT_EQ(u.IsChecked(ControlId::optColor1), c.random) << label;
    EXPECT_EQ(u.Shown(ControlId::picColorColl), !c.random) << label;
    EXPECT_EQ(u.IsChecked(ControlId::chkBold), c.bold) << label;
    EXPECT_EQ(u.sampleBold, c.bold) << label;
    EXPECT_EQ(u.IsChecked(ControlId::chkItalic), c.italic) << label;
    EXPECT_EQ(u.sampleItalic, c.italic) << label;
    EXPECT_EQ(u.IsChecked(ControlId::chkDropShadow), c.shadow) << label;
    EXPECT_TRUE(u.warnings.empty()) << label;
  }
}

TEST_F(SettingsDialogTest, FaceNotInstalledIsShownAsStored) {
  Load({{"Font", "No Such Face"}});
  EXPECT_EQ(ui.Text(ControlId::cmbFont), "No Such Face");
  EXPECT_EQ(ui.sampleFace, "No Such Face");
}

// --- the live sample, the swatches ----------------------------------------------------------

TEST_F(SettingsDialogTest, SampleFollowsTheFontBoxOnlyOnAChoiceFromItsList) {
  Load();
  ui.Type(ControlId::cmbFont, "Times New Roman");
  EXPECT_EQ(ui.sampleFace, "Arial") << "typing is no choice";
  ui.ChooseListItem(ControlId::cmbFont, ui.FindListItem(ControlId::cmbFont, "Times New Roman"));
  EXPECT_EQ(ui.sampleFace, "Times New Roman");
  ui.ChooseListItem(ControlId::cmbFont, ui.FindListItem(ControlId::cmbFont, "Symbol"));
  EXPECT_EQ(ui.sampleFace, "Symbol");

  // Nothing else touches the sample.
  const int changes = ui.sampleChanges;
  ui.ChooseListItem(ControlId::cboMaxFontSize, 0);
  ui.Click(ControlId::optScreen1);
  ui.Click(ControlId::optColor1);
  ui.Click(picColorSelect(2));
  ui.Click(chkDisplay(3));
  ui.Click(ControlId::chkDropShadow);
  EXPECT_EQ(ui.sampleChanges, changes);
}

TEST_F(SettingsDialogTest, BoldAndItalicFollowTheirBoxes) {
  Load();
  ui.Click(ControlId::chkBold);
  EXPECT_TRUE(ui.sampleBold);
  EXPECT_FALSE(ui.sampleItalic);
  ui.Click(ControlId::chkItalic);
  EXPECT_TRUE(ui.sampleItalic);
  ui.Click(ControlId::chkBold);
  EXPECT_FALSE(ui.sampleBold);
  EXPECT_TRUE(ui.sampleItalic);
  EXPECT_EQ(ui.sampleFace, "Arial");
}

TEST_F(SettingsDialogTest, ClickingASwatchMarksOnlyIt) {
  Load();
  ui.Click(picColorSelect(4));
  EXPECT_EQ(SwatchHeights(), Marked(4));
  ui.Click(picColorSelect(4));
  EXPECT_EQ(SwatchHeights(), Marked(4));
  ui.Click(picColorSelect(0));
  EXPECT_EQ(SwatchHeights(), Marked(0));
  for (int outside : {-1, 6, 100}) {
    form.picColorSelect_Click(outside);
    EXPECT_EQ(SwatchHeights(), Marked(-1)) << outside;
  }
}

// --- "OK": the checks -----------------------------------------------------------------------

TEST_F(SettingsDialogTest, ChecksShowTheirMessageInOrderAndWriteNothing) {
  struct Case {
    bool anyTopic;
    std::string interval;
    std::string message;
    bool focusOnInterval;
  };
  const std::string none = "Must have at least one verse to display option selected";
  const std::string numeric = "Change Verse in seconds must be numeric";
  const std::string positive = "Change Verse in seconds must be greater than 0";
  const std::string fits = "Change Verse in seconds must be less than 32768";
  const std::vector<Case> cases = {
      {false, "15", none, false},       {false, "abc", none, false},
      {false, "0", none, false},        {true, "", numeric, true},
      {true, "   ", numeric, true},     {true, "abc", numeric, true},
      {true, "15s", numeric, true},     {true, "1,5", numeric, true},
      {true, "1e999", numeric, true},   {true, "0", positive, true},
      {true, "-4", positive, true},     {true, "0.5", positive, true},
      {true, "-40000", positive, true}, {true, "-1e30", positive, true},
      {true, "32768", fits, true},      {true, "32767.5", fits, true},
      {true, "1e10", fits, true},       {true, "1e30", fits, true},
  };
  for (const auto& c : cases) {
    MemorySettingsStore m;
    FakeDialogControls u;
    EnsureDefaultSettings(m);
    m.writes.clear();
    frmSettings f(u, m);
    u.onClick = [&f](ControlId id) { f.ControlClicked(id); };
    f.Form_Load();
    if (!c.anyTopic) u.Click(chkDisplay(0));
    u.Type(ControlId::txtChangeSec, c.interval);
    u.SetFocus(ControlId::Command1);
    u.Click(ControlId::Command1);

    const std::string label = (c.anyTopic ? "topic, " : "no topic, ") + c.interval;
    ASSERT_EQ(u.warnings.size(), 1u) << label;
    EXPECT_EQ(u.warnings[0].text, c.message) << label;
    EXPECT_EQ(u.warnings[0].title, "Vellumway Screen Saver") << label;
    EXPECT_EQ(u.focus, c.focusOnInterval ? ControlId::txtChangeSec : ControlId::Command1) << label;
    EXPECT_TRUE(m.writes.empty()) << label;
    EXPECT_FALSE(u.closed) << label;
    EXPECT_EQ(u.Text(ControlId::txtChangeSec), c.interval) << "no correction: " << label;
  }
}

TEST_F(SettingsDialogTest, AFailedCheckLeavesTheDialogUsable) {
  Load();
  ui.Type(ControlId::txtChangeSec, "0");
  PressOk();
  ASSERT_EQ(ui.warnings.size(), 1u);
  ui.Type(ControlId::txtChangeSec, "9");
  PressOk();
  EXPECT_EQ(ui.warnings.size(), 1u);
  EXPECT_TRUE(ui.closed);
  EXPECT_EQ(memory.Get("Settings", "ChangeSec"), "9");
}

// --- "OK": the writes -----------------------------------------------------------------------

TEST_F(SettingsDialogTest, TheTenValuesAreWrittenInOrder) {
  Load();
  ui.Type(ControlId::txtChangeSec, "0.6");
  ui.ChooseListItem(ControlId::cboMaxFontSize, ui.FindListItem(ControlId::cboMaxFontSize, "12"));
  ui.Click(ControlId::chkBold);
  ui.Click(ControlId::chkItalic);
  ui.Click(ControlId::optScreen1);
  ui.Click(ControlId::chkDropShadow);
  ui.Click(ControlId::optScreen0);  // hides the ticked shadow box
  ui.ChooseListItem(ControlId::cmbFont, ui.FindListItem(ControlId::cmbFont, "Book Antiqua"));
  ui.Click(picColorSelect(3));
  ui.Click(ControlId::optColor1);  // hides the swatches
  ui.Click(chkDisplay(0));
  ui.Click(chkDisplay(1));
  ui.Click(chkDisplay(5));
  PressOk();

  EXPECT_TRUE(ui.warnings.empty());
  EXPECT_EQ(WritesMade(), (Writes{{"ChangeSec", "0.6"},
                                  {"FontSize", "12"},
                                  {"FontBold", "1"},
                                  {"FontItalic", "1"},
                                  {"DropShadow", "1"},
                                  {"Font", "Book Antiqua"},
                                  {"Color", "3"},
                                  {"ScreenColor", "0"},
                                  {"ColorType", "1"},
                                  {"Display", "34"}}));
  EXPECT_TRUE(ui.closed);
}

TEST_F(SettingsDialogTest, IntervalIsWrittenAsTyped) {
  for (const std::string typed : {"2.5", "0.6", " 7 ", "32767", "+3", "1e1"}) {
    MemorySettingsStore m;
    FakeDialogControls u;
    EnsureDefaultSettings(m);
    m.writes.clear();
    frmSettings f(u, m);
    f.Form_Load();
    u.Type(ControlId::txtChangeSec, typed);
    f.Command1_Click();
    EXPECT_TRUE(u.warnings.empty()) << typed;
    ASSERT_FALSE(m.writes.empty()) << typed;
    EXPECT_EQ(m.writes[0].key, "ChangeSec");
    EXPECT_EQ(m.writes[0].value, typed);
    EXPECT_TRUE(u.closed) << typed;
  }
}

TEST_F(SettingsDialogTest, UnchangedFirstStartWritesTheDefaultsBack) {
  Load();
  PressOk();
  EXPECT_EQ(WritesMade(), (Writes{{"ChangeSec", "15"},
                                  {"FontSize", "20"},
                                  {"FontBold", "0"},
                                  {"FontItalic", "0"},
                                  {"DropShadow", "0"},
                                  {"Font", "Arial"},
                                  {"Color", "1"},
                                  {"ScreenColor", "0"},
                                  {"ColorType", "0"},
                                  {"Display", "1"}}));
}

TEST_F(SettingsDialogTest, NoMarkedSwatchLeavesColorAlone) {
  Load({{"Color", "7"}, {"ScreenColor", "1"}});
  PressOk();
  const Writes writes = WritesMade();
  ASSERT_EQ(writes.size(), 9u);
  for (const auto& [key, value] : writes) EXPECT_NE(key, "Color");
  EXPECT_EQ(writes[5].first, "Font");
  EXPECT_EQ(writes[6], (std::pair<std::string, std::string>{"ScreenColor", "1"}));
  EXPECT_EQ(memory.Get("Settings", "Color"), "7");
  EXPECT_TRUE(ui.closed);
}

TEST_F(SettingsDialogTest, TypedFaceIsWrittenUnchecked) {
  Load();
  ui.Type(ControlId::cmbFont, "Not A Real Face");
  PressOk();
  EXPECT_EQ(memory.Get("Settings", "Font"), "Not A Real Face");
  EXPECT_EQ(ui.sampleFace, "Arial");
}

TEST_F(SettingsDialogTest, FaceNamesOutsideTheAnsiCodePageRoundTrip) {
  const std::string faces[] = {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D",  // ＭＳ 明朝
                               "\xD0\xA8\xD1\x80\xD0\xB8\xD1\x84\xD1\x82"};          // Шрифт
  for (const std::string& face : faces) {
    MemorySettingsStore m;
    FakeDialogControls u;
    u.fontFaces = {"Arial", face};
    m.Set("Settings", "Font", face);
    EnsureDefaultSettings(m);
    m.writes.clear();
    frmSettings f(u, m);
    f.Form_Load();
    EXPECT_EQ(u.Text(ControlId::cmbFont), face);
    EXPECT_EQ(u.sampleFace, face);
    f.Command1_Click();
    EXPECT_EQ(m.Get("Settings", "Font"), face);
  }
}

TEST_F(SettingsDialogTest, RefusedWriteIsReportedAndTheDialogStays) {
  Load();
  ui.Click(ControlId::chkBold);
  store.refuseFrom = 3;  // "FontItalic" and everything after it
  PressOk();
  ASSERT_EQ(ui.warnings.size(), 1u);
  EXPECT_EQ(ui.warnings[0].title, "Vellumway Screen Saver");
  EXPECT_NE(ui.warnings[0].text.find("could not be saved"), std::string::npos);
  EXPECT_NE(ui.warnings[0].text.find("\"FontItalic\""), std::string::npos);
  EXPECT_FALSE(ui.closed);
  EXPECT_EQ(memory.writes.size(), 3u);
  EXPECT_EQ(memory.Get("Settings", "FontBold"), "1");

  // The store recovers; "OK" again stores everything and closes.
  store.refuseFrom = -1;
  memory.writes.clear();
  PressOk();
  EXPECT_EQ(ui.warnings.size(), 1u);
  EXPECT_EQ(memory.writes.size(), 10u);
  EXPECT_TRUE(ui.closed);
}

TEST_F(SettingsDialogTest, StoreRefusingEverythingNeverCloses) {
  Load();
  memory.failWrites = true;
  PressOk();
  PressOk();
  ASSERT_EQ(ui.warnings.size(), 2u);
  EXPECT_NE(ui.warnings[1].text.find("\"ChangeSec\""), std::string::npos);
  EXPECT_FALSE(ui.closed);
}

// --- "Cancel" -------------------------------------------------------------------------------

TEST_F(SettingsDialogTest, CancelWritesNothing) {
  Load();
  ui.Type(ControlId::txtChangeSec, "99");
  ui.Click(ControlId::chkBold);
  ui.Click(ControlId::optScreen1);
  ui.Click(ControlId::optColor1);
  ui.Click(picColorSelect(5));
  ui.Click(chkDisplay(2));
  ui.Click(ControlId::Command2);
  EXPECT_TRUE(ui.closed);
  EXPECT_TRUE(memory.writes.empty());
  EXPECT_TRUE(ui.warnings.empty());
}

}  // namespace
}  // namespace vw
