#include "settings_dialog/frmSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/Settings.h"
#include "tests/support/FakeDialogControls.h"
#include "tests/support/MemorySettingsStore.h"

namespace vw {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// An in-memory store that refuses every write from the n-th attempt on.
class RefusingStore : public test::MemorySettingsStore {
 public:
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
    if (refuseFrom >= 0 && attempts++ >= refuseFrom) return false;
    return MemorySettingsStore::Write(app, section, key, value);
  }
  int refuseFrom = -1;
  int attempts = 0;
};

// The dialog loaded from a store that a start has filled (defaults for everything missing).
struct Dialog {
  explicit Dialog(const Pairs& stored = {}) {
    ui.onClick = [this](ControlId id) { form.ControlClicked(id); };
    ui.fontFaces = {"Times New Roman", "Arial", "courier new", "Book Antiqua", "Symbol"};
    for (const auto& [key, value] : stored) store.Set("Settings", key, value);
    EnsureDefaultSettings(store);
    store.writes.clear();
    form.Form_Load();
  }

  std::string Item(ControlId list, int index) const { return ui.ListItem(list, index); }
  int Find(ControlId list, const std::string& item) const { return ui.FindListItem(list, item); }
  // The marked swatch as "M", the others as "-", anything else as "?".
  std::string Swatches() const {
    std::string s;
    for (int i = 0; i < kSwatchCount; ++i) {
      const int h = ui.HeightTwips(picColorSelect(i));
      s += h == 195 ? 'M' : h == 100 ? '-' : '?';
    }
    return s;
  }
  // Everything the user sees, in one line: "h" after a hidden control; an option group
  // lists its selected options.
  std::string Summary() const {
    auto on = [&](ControlId id) { return std::string(ui.IsChecked(id) ? "1" : "0"); };
    auto options = [&](ControlId a, ControlId b) {
      return std::string(ui.IsChecked(a) ? "0" : "") + (ui.IsChecked(b) ? "1" : "");
    };
    std::string topics;
    for (int i = 0; i < kTopicBoxCount; ++i) topics += on(chkDisplay(i));
    return "sec=" + ui.Text(ControlId::txtChangeSec) +
           " size=" + Item(ControlId::cboMaxFontSize, ui.ListIndex(ControlId::cboMaxFontSize)) +
           " b" + on(ControlId::chkBold) + " i" + on(ControlId::chkItalic) + " shadow" +
           on(ControlId::chkDropShadow) + (ui.Shown(ControlId::chkDropShadow) ? "" : "h") +
           " font=" + ui.Text(ControlId::cmbFont) + " sample=" + ui.sampleFace +
           (ui.sampleBold ? "+b" : "") + (ui.sampleItalic ? "+i" : "") + " screen" +
           options(ControlId::optScreen0, ControlId::optScreen1) + " color" +
           options(ControlId::optColor0, ControlId::optColor1) +
           (ui.Shown(ControlId::picColorColl) ? "" : "h") + " " + Swatches() + " " + topics;
  }
  Pairs Writes() const {
    Pairs out;
    for (const auto& w : store.writes) out.emplace_back(w.section + "\\" + w.key, w.value);
    return out;
  }
  void PressOk() { ui.Click(ControlId::Command1); }

  RefusingStore store;
  test::FakeDialogControls ui;
  frmSettings form{ui, store};
};

TEST(SettingsDialog, ListsAreFilledAfresh) {
  Dialog d;
  d.ui.AddListItem(ControlId::cmbFont, "Left over");
  d.form.Form_Load();
  std::vector<std::string> faces, sizes;
  for (int i = 0; i < d.ui.ListCount(ControlId::cmbFont); ++i)
    faces.push_back(d.Item(ControlId::cmbFont, i));
  for (int i = 0; i < d.ui.ListCount(ControlId::cboMaxFontSize); ++i)
    sizes.push_back(d.Item(ControlId::cboMaxFontSize, i));
  EXPECT_EQ(faces, (std::vector<std::string>{"Arial", "Book Antiqua", "courier new", "Symbol",
                                             "Times New Roman"}));
  ASSERT_EQ(sizes.size(), 38u);
  EXPECT_EQ(sizes.front(), "8");
  EXPECT_EQ(sizes[12], "20");
  EXPECT_EQ(sizes.back(), "45");
}

// Values the program never writes were edited by hand: a number reads as the display reads
// it (not 0 is on), text as the key's default, never a failure.
TEST(SettingsDialog, LoadsTheStoredValues) {
  const std::string cyrillic = "\xD0\xA8\xD1\x80\xD0\xB8\xD1\x84\xD1\x82";
  const std::pair<Pairs, std::string> cases[] = {
      {{}, "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 100000"},
      {{{"FontSize", "12"}, {"ChangeSec", "2.5"}},
       "sec=2.5 size=12 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 100000"},
      {{{"FontSize", "50"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 100000"},
      {{{"FontSize", "12.5"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 100000"},
      {{{"Display", "34"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 010001"},
      {{{"Display", "63"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 111111"},
      {{{"Display", "0"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 000000"},
      {{{"Display", "66"}},  // 64 is no topic
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 010000"},
      {{{"Display", "2.5"}},  // the even 2
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 010000"},
      {{{"Display", "-1"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 111111"},
      {{{"Display", "abc"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 100000"},
      {{{"ScreenColor", "1"}, {"DropShadow", "1"}},
       "sec=15 size=20 b0 i0 shadow1 font=Arial sample=Arial screen1 color0 -M---- 100000"},
      {{{"ScreenColor", "7"}, {"DropShadow", "1.4"}},
       "sec=15 size=20 b0 i0 shadow1 font=Arial sample=Arial screen1 color0 -M---- 100000"},
      {{{"ScreenColor", "abc"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 100000"},
      {{{"ColorType", "1"}, {"Color", "3"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color1h ---M-- 100000"},
      {{{"ColorType", "x1"}, {"Color", "0"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 M----- 100000"},
      {{{"Color", "7"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 ------ 100000"},
      {{{"Color", "2.5"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 --M--- 100000"},
      {{{"Color", "abc"}},
       "sec=15 size=20 b0 i0 shadow0h font=Arial sample=Arial screen0 color0 -M---- 100000"},
      {{{"FontBold", "2"}, {"FontItalic", "yes"}},
       "sec=15 size=20 b1 i0 shadow0h font=Arial sample=Arial+b screen0 color0 -M---- 100000"},
      {{{"FontItalic", "1"}, {"Font", "No Such Face"}},
       "sec=15 size=20 b0 i1 shadow0h font=No Such Face sample=No Such Face+i screen0 color0 "
       "-M---- 100000"},
      {{{"Font", cyrillic}},
       "sec=15 size=20 b0 i0 shadow0h font=" + cyrillic + " sample=" + cyrillic +
           " screen0 color0 -M---- 100000"},
  };
  for (const auto& [stored, shown] : cases) {
    Dialog d(stored);
    const std::string label =
        stored.empty() ? "first start" : stored[0].first + "=" + stored[0].second;
    EXPECT_EQ(d.Summary(), shown) << label;
    EXPECT_TRUE(d.store.writes.empty()) << label;
    EXPECT_TRUE(d.ui.warnings.empty()) << label;
    EXPECT_FALSE(d.ui.closed) << label;
  }
}

TEST(SettingsDialog, OptionsShowAndHideTheirDependentControls) {
  Dialog d({{"ScreenColor", "1"}, {"DropShadow", "1"}, {"ColorType", "1"}, {"Color", "3"}});
  d.ui.Click(ControlId::optScreen0);  // hides the shadow box, ticked as it is
  d.ui.Click(ControlId::optColor0);   // shows the swatches with their mark
  EXPECT_EQ(d.Summary(),
            "sec=15 size=20 b0 i0 shadow1h font=Arial sample=Arial screen0 color0 ---M-- 100000");
  d.ui.Click(ControlId::optScreen1);
  EXPECT_TRUE(d.ui.Shown(ControlId::chkDropShadow));
}

TEST(SettingsDialog, SampleFollowsTheFontBoxOnlyOnAChoiceFromItsList) {
  Dialog d;
  d.ui.Type(ControlId::cmbFont, "Times New Roman");
  EXPECT_EQ(d.ui.sampleFace, "Arial") << "typing is no choice";
  d.ui.ChooseListItem(ControlId::cmbFont, d.Find(ControlId::cmbFont, "Symbol"));
  EXPECT_EQ(d.ui.sampleFace, "Symbol");
  d.ui.Click(ControlId::chkBold);
  d.ui.Click(ControlId::chkItalic);
  d.ui.Click(ControlId::chkBold);
  EXPECT_FALSE(d.ui.sampleBold);
  EXPECT_TRUE(d.ui.sampleItalic);

  // Nothing else touches the sample.
  const int changes = d.ui.sampleChanges;
  d.ui.ChooseListItem(ControlId::cboMaxFontSize, 0);
  for (ControlId id : {ControlId::optScreen1, ControlId::optColor1, picColorSelect(2),
                       chkDisplay(3), ControlId::chkDropShadow})
    d.ui.Click(id);
  EXPECT_EQ(d.ui.sampleChanges, changes);
}

TEST(SettingsDialog, ClickingASwatchMarksOnlyIt) {
  Dialog d;
  d.ui.Click(picColorSelect(4));
  d.ui.Click(picColorSelect(4));
  EXPECT_EQ(d.Swatches(), "----M-");
  d.ui.Click(picColorSelect(0));
  EXPECT_EQ(d.Swatches(), "M-----");
  for (int outside : {-1, 6}) {
    d.form.picColorSelect_Click(outside);
    EXPECT_EQ(d.Swatches(), "------") << outside;
  }
}

TEST(SettingsDialog, ChecksShowTheirMessageInOrderAndWriteNothing) {
  struct Case {
    bool anyTopic;
    std::string interval;
    std::string message;
  };
  const std::string none = "Must have at least one verse to display option selected";
  const std::string numeric = "Change Verse in seconds must be numeric";
  const std::string positive = "Change Verse in seconds must be greater than 0";
  const std::string fits = "Change Verse in seconds must be less than 32768";
  const Case cases[] = {
      {false, "15", none},        {false, "abc", none},      {false, "0", none},
      {true, "", numeric},        {true, "   ", numeric},    {true, "abc", numeric},
      {true, "15s", numeric},     {true, "1,5", numeric},    {true, "1e999", numeric},
      {true, "0", positive},      {true, "-4", positive},    {true, "0.5", positive},
      {true, "-40000", positive}, {true, "-1e30", positive}, {true, "32768", fits},
      {true, "32767.5", fits},    {true, "1e10", fits},      {true, "1e30", fits},
  };
  for (const Case& c : cases) {
    Dialog d;
    if (!c.anyTopic) d.ui.Click(chkDisplay(0));
    d.ui.Type(ControlId::txtChangeSec, c.interval);
    d.ui.SetFocus(ControlId::Command1);
    d.PressOk();
    const std::string label = (c.anyTopic ? "topic, " : "no topic, ") + c.interval;
    ASSERT_EQ(d.ui.warnings.size(), 1u) << label;
    EXPECT_EQ(d.ui.warnings[0].text, c.message) << label;
    EXPECT_EQ(d.ui.warnings[0].title, "Vellumway Screen Saver") << label;
    EXPECT_EQ(d.ui.focus, c.anyTopic ? ControlId::txtChangeSec : ControlId::Command1) << label;
    EXPECT_TRUE(d.store.writes.empty()) << label;
    EXPECT_FALSE(d.ui.closed) << label;
    EXPECT_EQ(d.ui.Text(ControlId::txtChangeSec), c.interval) << "no correction: " << label;
  }

  // After a failed check the dialog stays usable.
  Dialog d;
  d.ui.Type(ControlId::txtChangeSec, "0");
  d.PressOk();
  d.ui.Type(ControlId::txtChangeSec, "9");
  d.PressOk();
  EXPECT_EQ(d.ui.warnings.size(), 1u);
  EXPECT_TRUE(d.ui.closed);
  EXPECT_EQ(d.store.Get("Settings", "ChangeSec"), "9");
}

TEST(SettingsDialog, TheTenValuesAreWrittenInOrder) {
  Dialog d;
  d.ui.Type(ControlId::txtChangeSec, "0.6");
  d.ui.ChooseListItem(ControlId::cboMaxFontSize, d.Find(ControlId::cboMaxFontSize, "12"));
  d.ui.Click(ControlId::chkBold);
  d.ui.Click(ControlId::chkItalic);
  d.ui.Click(ControlId::optScreen1);
  d.ui.Click(ControlId::chkDropShadow);
  d.ui.Click(ControlId::optScreen0);  // hides the ticked shadow box
  d.ui.ChooseListItem(ControlId::cmbFont, d.Find(ControlId::cmbFont, "Book Antiqua"));
  d.ui.Click(picColorSelect(3));
  d.ui.Click(ControlId::optColor1);  // hides the swatches
  for (int box : {0, 1, 5}) d.ui.Click(chkDisplay(box));
  d.PressOk();
  EXPECT_TRUE(d.ui.warnings.empty());
  EXPECT_EQ(d.Writes(), (Pairs{{"Settings\\ChangeSec", "0.6"},
                               {"Settings\\FontSize", "12"},
                               {"Settings\\FontBold", "1"},
                               {"Settings\\FontItalic", "1"},
                               {"Settings\\DropShadow", "1"},
                               {"Settings\\Font", "Book Antiqua"},
                               {"Settings\\Color", "3"},
                               {"Settings\\ScreenColor", "0"},
                               {"Settings\\ColorType", "1"},
                               {"Settings\\Display", "34"}}));
  EXPECT_TRUE(d.ui.closed);
}

TEST(SettingsDialog, TypedTextIsWrittenAsTyped) {
  const std::string face = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D";  // not installed
  for (const std::string typed : {"2.5", " 7 ", "32767", "+3", "1e1"}) {
    Dialog d;
    d.ui.Type(ControlId::txtChangeSec, typed);
    d.ui.Type(ControlId::cmbFont, face);
    d.PressOk();
    EXPECT_TRUE(d.ui.warnings.empty()) << typed;
    ASSERT_EQ(d.store.writes.size(), 10u) << typed;
    EXPECT_EQ(d.store.writes[0].value, typed);
    EXPECT_EQ(d.store.Get("Settings", "Font"), face);
    EXPECT_EQ(d.ui.sampleFace, "Arial");
    EXPECT_TRUE(d.ui.closed) << typed;
  }
}

TEST(SettingsDialog, NoMarkedSwatchLeavesColorAlone) {
  Dialog d({{"Color", "7"}, {"ScreenColor", "1"}});
  d.PressOk();
  const Pairs writes = d.Writes();
  ASSERT_EQ(writes.size(), 9u);
  EXPECT_EQ(writes[5].first, "Settings\\Font");
  EXPECT_EQ(writes[6], (std::pair<std::string, std::string>{"Settings\\ScreenColor", "1"}));
  EXPECT_EQ(d.store.Get("Settings", "Color"), "7");
  EXPECT_TRUE(d.ui.closed);
}

TEST(SettingsDialog, RefusedWriteIsReportedAndTheDialogStays) {
  Dialog d;
  d.ui.Click(ControlId::chkBold);
  d.store.refuseFrom = 3;  // "FontItalic" and everything after it
  d.PressOk();
  ASSERT_EQ(d.ui.warnings.size(), 1u);
  EXPECT_EQ(d.ui.warnings[0].title, "Vellumway Screen Saver");
  EXPECT_NE(d.ui.warnings[0].text.find("could not be saved"), std::string::npos);
  EXPECT_NE(d.ui.warnings[0].text.find("\"FontItalic\""), std::string::npos);
  EXPECT_EQ(d.store.writes.size(), 3u);
  EXPECT_EQ(d.store.Get("Settings", "FontBold"), "1");
  d.PressOk();  // everything refused now
  ASSERT_EQ(d.ui.warnings.size(), 2u);
  EXPECT_NE(d.ui.warnings[1].text.find("\"ChangeSec\""), std::string::npos);
  EXPECT_FALSE(d.ui.closed);

  // The store recovers; "OK" again stores everything and closes.
  d.store.refuseFrom = -1;
  d.store.writes.clear();
  d.PressOk();
  EXPECT_EQ(d.ui.warnings.size(), 2u);
  EXPECT_EQ(d.store.writes.size(), 10u);
  EXPECT_TRUE(d.ui.closed);
}

TEST(SettingsDialog, CancelWritesNothing) {
  Dialog d;
  d.ui.Type(ControlId::txtChangeSec, "99");
  for (ControlId id : {ControlId::chkBold, ControlId::optScreen1, ControlId::optColor1,
                       picColorSelect(5), chkDisplay(2), ControlId::Command2})
    d.ui.Click(id);
  EXPECT_TRUE(d.ui.closed);
  EXPECT_TRUE(d.store.writes.empty());
  EXPECT_TRUE(d.ui.warnings.empty());
}

}  // namespace
}  // namespace vw
