#include "app/frmSettings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/Settings.h"
#include "tests/support/FakeDialogControls.h"
#include "tests/support/MemorySettingsStore.h"
#include "verses/Topics.h"

namespace vw {
namespace {

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

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

// What the dialog shows after a first start, field by field (see Dialog::Summary).
const std::string kFirstStart =
    "sec=15|size=20|bold=0|italic=0|shadow=0 hidden|font=Arial|sample=Arial|screen=0|color=0|"
    "swatches=-M----|topics=100000";

// kFirstStart with some "field=value" entries replaced.
std::string FirstStartWith(const std::string& changes) {
  std::vector<std::string> fields = Split(kFirstStart, '|');
  for (const std::string& change : Split(changes, '|'))
    for (std::string& field : fields)
      if (field.substr(0, field.find('=')) == change.substr(0, change.find('='))) field = change;
  std::string out;
  for (const std::string& field : fields) out += (out.empty() ? "" : "|") + field;
  return out;
}

// The dialog loaded from a store that a start has filled (defaults for everything missing)
// after "Key=value|..." was stored.
struct Dialog {
  explicit Dialog(const std::string& stored = "") {
    ui.onClick = [this](ControlId id) { form.ControlClicked(id); };
    ui.fontFaces = {"Times New Roman", "Arial", "courier new", "Book Antiqua", "Symbol"};
    store.AfterAStart(stored);
    form.Form_Load();
  }

  int Find(ControlId list, const std::string& item) const {
    for (int i = 0; i < ui.ListCount(list); ++i)
      if (ui.ListItem(list, i) == item) return i;
    return -1;
  }
  // A swatch shown marked as "M", the others as "-".
  std::string Swatches() const {
    std::string s;
    for (int i = 0; i < kSwatchCount; ++i) s += ui.SwatchShownMarked(picColorSelect(i)) ? 'M' : '-';
    return s;
  }
  // Everything the user sees, field by field; an option group lists its selected options.
  std::string Summary() const {
    auto on = [&](ControlId id) { return std::string(ui.IsChecked(id) ? "1" : "0"); };
    auto hidden = [&](ControlId id) { return std::string(ui.Shown(id) ? "" : " hidden"); };
    auto options = [&](ControlId a, ControlId b) {
      return std::string(ui.IsChecked(a) ? "0" : "") + (ui.IsChecked(b) ? "1" : "");
    };
    std::string topics;
    for (int i = 0; i < kTopicCount; ++i) topics += on(chkDisplay(i));
    return "sec=" + ui.Text(ControlId::txtChangeSec) + "|size=" +
           ui.ListItem(ControlId::cboMaxFontSize, ui.ListIndex(ControlId::cboMaxFontSize)) +
           "|bold=" + on(ControlId::chkBold) + "|italic=" + on(ControlId::chkItalic) +
           "|shadow=" + on(ControlId::chkDropShadow) + hidden(ControlId::chkDropShadow) +
           "|font=" + ui.Text(ControlId::cmbFont) + "|sample=" + ui.sampleFace +
           (ui.sampleBold ? "+b" : "") + (ui.sampleItalic ? "+i" : "") +
           "|screen=" + options(ControlId::optScreen0, ControlId::optScreen1) +
           "|color=" + options(ControlId::optColor0, ControlId::optColor1) +
           "|swatches=" + Swatches() + hidden(ControlId::picColorColl) + "|topics=" + topics;
  }
  void PressOk() { ui.Click(ControlId::Command1); }

  RefusingStore store;
  test::FakeDialogControls ui;
  frmSettings form{ui, store};
};

// Values the program never writes were edited by hand: a number reads as the display reads
// it (not 0 is on), text as the key's default, never a failure.
TEST(SettingsDialog, LoadsTheStoredValues) {
  const std::string cyrillic = "\xD0\xA8\xD1\x80\xD0\xB8\xD1\x84\xD1\x82";
  // Display 64 is no topic, 2.5 the even 2.
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"FontSize=12|ChangeSec=2.5", "size=12|sec=2.5"}, {"FontSize=50", ""},
      {"FontSize=8", "size=8"}, {"FontSize=45", "size=45"},
      {"FontSize=12.5", ""}, {"Display=34", "topics=010001"}, {"Display=63", "topics=111111"},
      {"Display=0", "topics=000000"}, {"Display=66", "topics=010000"},
      {"Display=2.5", "topics=010000"}, {"Display=-1", "topics=111111"}, {"Display=abc", ""},
      {"ScreenColor=1|DropShadow=1", "screen=1|shadow=1"},
      {"ScreenColor=7|DropShadow=1.4", "screen=1|shadow=1"}, {"ScreenColor=abc", ""},
      {"ColorType=1|Color=3", "color=1|swatches=---M-- hidden"},
      {"ColorType=x1|Color=0", "swatches=M-----"}, {"Color=7", "swatches=------"},
      {"Color=2.5", "swatches=--M---"}, {"Color=abc", ""},
      {"FontBold=2|FontItalic=yes", "bold=1|sample=Arial+b"},
      {"FontItalic=1|Font=No Such Face", "italic=1|font=No Such Face|sample=No Such Face+i"},
      {"Font=" + cyrillic, "font=" + cyrillic + "|sample=" + cyrillic}};
  // clang-format on
  for (const auto& [stored, changes] : cases) {
    Dialog d(stored);
    EXPECT_EQ(d.Summary(), FirstStartWith(changes)) << stored;
    EXPECT_TRUE(d.store.writes.empty()) << stored;
    EXPECT_TRUE(d.ui.warnings.empty()) << stored;
    EXPECT_FALSE(d.ui.closed) << stored;
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
      {false, "15", none},      {false, "abc", none},      {true, "", numeric},
      {true, "abc", numeric},   {true, "15s", numeric},    {true, "1,5", numeric},
      {true, "1e999", numeric}, {true, "0", positive},     {true, "0.5", positive},
      {true, "-4", positive},   {true, "-1e30", positive}, {true, "32768", fits},
      {true, "32767.5", fits},  {true, "1e30", fits}};
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
  EXPECT_EQ(d.store.writes,
            (std::vector<std::string>{"Settings\\ChangeSec=0.6", "Settings\\FontSize=12",
                                      "Settings\\FontBold=1", "Settings\\FontItalic=1",
                                      "Settings\\DropShadow=1", "Settings\\Font=Book Antiqua",
                                      "Settings\\Color=3", "Settings\\ScreenColor=0",
                                      "Settings\\ColorType=1", "Settings\\Display=34"}));
  EXPECT_TRUE(d.ui.closed);

  // No swatch marked (a colour outside 0 to 5): "OK" keeps the stored colour.
  Dialog kept("Color=7");
  kept.PressOk();
  EXPECT_EQ(kept.store.writes.size(), 9u);
  EXPECT_EQ(kept.store.Get("Settings", "Color"), "7");
}

// "OK" saves the swatch the dialog marked, the first as well as any other, and leaves a stored
// colour that marks none as it is.
TEST(SettingsDialog, TheMarkedSwatchIsSaved) {
  const struct {
    const char* stored;
    int click;            // -1: none
    const char* written;  // "": no "Color" written
  } cases[] = {{"Color=4", 0, "Settings\\Color=0"},
               {"Color=0", -1, "Settings\\Color=0"},
               {"Color=7", -1, ""},
               {"Color=7", 5, "Settings\\Color=5"}};
  for (const auto& c : cases) {
    Dialog d(c.stored);
    if (c.click >= 0) d.ui.Click(picColorSelect(c.click));
    d.PressOk();
    std::string written;
    for (const std::string& w : d.store.writes)
      if (w.rfind("Settings\\Color=", 0) == 0) written = w;
    EXPECT_EQ(written, c.written) << c.stored << " click " << c.click;
  }
}

TEST(SettingsDialog, RefusedWriteIsReportedAndTheDialogStaysUntilCancel) {
  Dialog d;
  d.store.refuseFrom = 3;  // "FontItalic" and everything after it
  d.PressOk();
  ASSERT_EQ(d.ui.warnings.size(), 1u);
  EXPECT_EQ(d.ui.warnings[0].title, "Vellumway Screen Saver");
  EXPECT_NE(d.ui.warnings[0].text.find("could not be saved"), std::string::npos);
  EXPECT_NE(d.ui.warnings[0].text.find("\"FontItalic\""), std::string::npos);
  EXPECT_FALSE(d.ui.closed);

  // Cancel writes nothing more.
  d.store.refuseFrom = -1;
  d.store.writes.clear();
  d.ui.Type(ControlId::txtChangeSec, "99");
  for (ControlId id : {ControlId::chkBold, ControlId::optScreen1, picColorSelect(5), chkDisplay(2),
                       ControlId::Command2})
    d.ui.Click(id);
  EXPECT_TRUE(d.ui.closed);
  EXPECT_TRUE(d.store.writes.empty());
  EXPECT_EQ(d.ui.warnings.size(), 1u);
}

}  // namespace
}  // namespace vw
