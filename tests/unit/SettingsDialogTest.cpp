#include "app/frmSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "app/FaceSources.h"
#include "core/Settings.h"
#include "tests/support/FakeDialogControls.h"
#include "tests/support/MemorySettingsStore.h"
#include "verses/Topics.h"

namespace vw {
namespace {

using Strings = std::vector<std::string>;

// What the dialog shows after a first start, field by field (see Dialog::Summary).
const std::string kFirstStart =
    "sec=15|size=20|bold=0|italic=0|shadow=0 hidden|font=Arial|sample=Arial|screen=0|color=0|"
    "swatches=-M----|topics=100000";

// kFirstStart with some "field=value|..." entries replaced.
std::string FirstStartWith(const std::string& changes) {
  std::string out = "|" + kFirstStart + "|";
  for (std::size_t at = 0; at < changes.size();) {
    const std::size_t end = std::min(changes.find('|', at), changes.size());
    const std::string change = changes.substr(at, end - at);
    const std::size_t field = out.find("|" + change.substr(0, change.find('=') + 1)) + 1;
    out.replace(field, out.find('|', field) - field, change);
    at = end + 1;
  }
  return out.substr(1, out.size() - 2);
}

// The dialog loaded from a store that a start has filled (defaults for everything missing)
// after "Key=value|..." was stored.
struct Dialog {
  explicit Dialog(const std::string& stored = "") {
    ui.form = &form;
    ui.fontFaces = {"Times New Roman", "Arial", "courier new", "Book Antiqua", "Symbol"};
    store.AfterAStart(stored);
    form.Form_Load();
  }

  // Everything the user sees, field by field; an option group lists its selected options.
  std::string Summary() {
    auto on = [&](ControlId id) { return std::string(ui.checked[id] ? "1" : "0"); };
    auto hidden = [&](ControlId id) { return std::string(ui.hidden[id] ? " hidden" : ""); };
    auto options = [&](ControlId a, ControlId b) {
      return std::string(ui.checked[a] ? "0" : "") + (ui.checked[b] ? "1" : "");
    };
    std::string topics, swatches;
    for (int i = 0; i < kTopicCount; ++i) topics += on(chkDisplay(i));
    for (int i = 0; i < kSwatchCount; ++i) swatches += ui.marked[picColorSelect(i)] ? 'M' : '-';
    return "sec=" + ui.texts[ControlId::txtChangeSec] +
           "|size=" + ui.texts[ControlId::cboMaxFontSize] + "|bold=" + on(ControlId::chkBold) +
           "|italic=" + on(ControlId::chkItalic) + "|shadow=" + on(ControlId::chkDropShadow) +
           hidden(ControlId::chkDropShadow) + "|font=" + ui.texts[ControlId::cmbFont] +
           "|sample=" + ui.sample + (ui.sampleBold ? "+b" : "") + (ui.sampleItalic ? "+i" : "") +
           "|screen=" + options(ControlId::optScreen0, ControlId::optScreen1) +
           "|color=" + options(ControlId::optColor0, ControlId::optColor1) +
           "|swatches=" + swatches + hidden(ControlId::picColorColl) + "|topics=" + topics;
  }

  test::MemorySettingsStore store;
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
    EXPECT_EQ(d.ui.lists[ControlId::cmbFont], d.ui.fontFaces) << stored;
    EXPECT_TRUE(d.store.writes.empty() && d.ui.warnings.empty() && !d.ui.closed) << stored;
  }
  Dialog d;
  ASSERT_EQ(d.ui.lists[ControlId::cboMaxFontSize].size(), 38u);
  EXPECT_EQ(d.ui.lists[ControlId::cboMaxFontSize].front() + " " +
                d.ui.lists[ControlId::cboMaxFontSize].back(), "8 45");
}

TEST(SettingsDialog, ChecksShowTheirMessageInOrderAndWriteNothing) {
  const std::string none = "Must have at least one verse to display option selected";
  const std::string numeric = "Change Verse in seconds must be numeric";
  const std::string positive = "Change Verse in seconds must be greater than 0";
  const std::string fits = "Change Verse in seconds must be less than 32768";
  // Whether any topic stays ticked, the interval typed, the message shown.
  const struct { bool anyTopic; std::string interval, message; } cases[] = {
      {false, "15", none},     {false, "abc", none},     {true, "", numeric},
      {true, "abc", numeric},  {true, "15s", numeric},   {true, "1,5", numeric},
      {true, "1e999", numeric}, {true, "0", positive},   {true, "0.5", positive},
      {true, "-4", positive},  {true, "-1e30", positive}, {true, "32768", fits},
      {true, "32767.5", fits}, {true, "1e30", fits}};
  for (const auto& c : cases) {
    Dialog d;
    if (!c.anyTopic) d.ui.Click(chkDisplay(0));
    d.ui.Type(ControlId::txtChangeSec, c.interval);
    d.ui.SetFocus(ControlId::Command1);
    d.ui.Click(ControlId::Command1);
    const std::string label = (c.anyTopic ? "topic, " : "no topic, ") + c.interval;
    EXPECT_EQ(d.ui.warnings, Strings{"Vellumway Screen Saver: " + c.message}) << label;
    EXPECT_EQ(d.ui.focus, c.anyTopic ? ControlId::txtChangeSec : ControlId::Command1) << label;
    EXPECT_TRUE(d.store.writes.empty() && !d.ui.closed) << label;
    EXPECT_EQ(d.ui.texts[ControlId::txtChangeSec], c.interval) << "no correction: " << label;
  }
}

TEST(SettingsDialog, TheShownValuesAreWrittenInOrder) {
  Dialog d;
  d.ui.Type(ControlId::txtChangeSec, "0.6");
  d.ui.Choose(ControlId::cboMaxFontSize, "12");
  for (ControlId id : {ControlId::chkBold, ControlId::chkItalic, ControlId::optScreen1,
                       ControlId::chkDropShadow, picColorSelect(3)})
    d.ui.Click(id);
  EXPECT_EQ(d.Summary(), FirstStartWith("size=12|bold=1|italic=1|shadow=1|sample=Arial+b+i|"
                                        "screen=1|sec=0.6|swatches=---M--"));
  // Black hides the ticked shadow box, Random Colour the swatches; typing a face leaves the
  // sample as it is, a face chosen from the list changes it.
  for (ControlId id : {ControlId::optScreen0, ControlId::optColor1, ControlId::chkBold,
                       chkDisplay(0), chkDisplay(1), chkDisplay(5)})
    d.ui.Click(id);
  d.ui.Type(ControlId::cmbFont, "Symbol");
  EXPECT_EQ(d.ui.sample, "Arial");
  d.ui.Choose(ControlId::cmbFont, "Book Antiqua");
  EXPECT_EQ(d.Summary(), FirstStartWith("sec=0.6|size=12|italic=1|shadow=1 hidden|"
                                        "font=Book Antiqua|sample=Book Antiqua+i|color=1|"
                                        "swatches=---M-- hidden|topics=010001"));
  d.ui.Click(ControlId::Command1);
  EXPECT_TRUE(d.ui.warnings.empty());
  EXPECT_EQ(d.store.writes,
            (Strings{"Settings\\ChangeSec=0.6", "Settings\\FontSize=12", "Settings\\FontBold=0",
                     "Settings\\FontItalic=1", "Settings\\DropShadow=1",
                     "Settings\\Font=Book Antiqua", "Settings\\Color=3",
                     "Settings\\ScreenColor=0", "Settings\\ColorType=1", "Settings\\Display=34"}));
  EXPECT_TRUE(d.ui.closed);
}

// "OK" saves the swatch the dialog marked, the first as well as any other, and leaves a stored
// colour that marks none as it is (nine writes).
TEST(SettingsDialog, TheMarkedSwatchIsSaved) {
  // What was stored, the swatch clicked (-1: none), the "Color" written ("": none).
  const struct { const char* stored; int click; const char* written; } cases[] = {
      {"Color=4", 0, "Settings\\Color=0"}, {"Color=0", -1, "Settings\\Color=0"},
      {"Color=7", -1, ""}, {"Color=7", 5, "Settings\\Color=5"}};
  for (const auto& c : cases) {
    Dialog d(c.stored);
    if (c.click >= 0) d.ui.Click(picColorSelect(c.click));
    d.ui.Click(ControlId::Command1);
    std::string written;
    for (const std::string& w : d.store.writes)
      if (w.rfind("Settings\\Color=", 0) == 0) written = w;
    EXPECT_EQ(written, c.written) << c.stored << " click " << c.click;
    EXPECT_EQ(d.store.writes.size(), *c.written ? 10u : 9u) << c.stored;
    EXPECT_EQ(d.store.Get("Settings", "Color"), *c.written ? c.written + 15 : "7");
  }
}

TEST(SettingsDialog, RefusedWriteIsReportedAndTheDialogStaysUntilCancel) {
  Dialog d;
  d.store.refuseFrom = 3;  // "FontItalic" and everything after it
  d.ui.Click(ControlId::Command1);
  EXPECT_EQ(d.ui.warnings, Strings{"Vellumway Screen Saver: The settings could not be saved: the "
                                   "settings store refused \"FontItalic\", and the settings "
                                   "after it were not written. Press OK to try again."});
  EXPECT_FALSE(d.ui.closed);

  // Cancel writes nothing more.
  d.store.refuseFrom = -1;
  d.store.writes.clear();
  d.ui.Type(ControlId::txtChangeSec, "99");
  for (ControlId id : {ControlId::chkBold, ControlId::optScreen1, picColorSelect(5), chkDisplay(2),
                       ControlId::Command2})
    d.ui.Click(id);
  EXPECT_EQ(std::make_tuple(d.ui.closed, d.store.writes.size(), d.ui.warnings.size()),
            std::make_tuple(true, 0u, 1u));
}

// The faces the dialog lists: the printer's, or the screen's when the printer has none or does
// not answer in time.
TEST(FaceSources, PrinterFirstScreenWhenItHasNoneOrDoesNotAnswer) {
  using namespace std::chrono_literals;
  using Clock = std::chrono::steady_clock;
  // A printer that does not answer while the dialog waits: released only after the checks.
  // The printers are copied into the reading thread, which may outlive the call.
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  const FaceSet printerFaces{"Courier New", "Line Printer"}, screenFaces{"Arial", "Tahoma"};
  // What the printer does, the faces listed, the wait (0: the dialog's own, one second).
  struct Case { const char* name; FaceSource printer; const FaceSet& expected;
                std::chrono::milliseconds wait = 400ms; } cases[] = {
      {"answers", [=] { return printerFaces; }, printerFaces},
      {"has no faces", [] { return FaceSet{}; }, screenFaces},
      {"answers just in time", [=] { std::this_thread::sleep_for(100ms); return printerFaces; },
       printerFaces},
      {"blocks", [=] { released.wait_for(10s); return printerFaces; }, screenFaces},
      {"answers within the dialog's second",
       [=] { std::this_thread::sleep_for(300ms); return printerFaces; }, printerFaces, 0ms},
      {"blocks past the dialog's second", [=] { released.wait_for(10s); return printerFaces; },
       screenFaces, 0ms},
  };
  for (const Case& c : cases) {
    const auto start = Clock::now();
    const FaceSource screen = [&] { return screenFaces; };
    EXPECT_EQ(c.wait > 0ms ? FacesForList(c.printer, screen, c.wait)
                           : FacesForList(c.printer, screen), c.expected) << c.name;
    // The dialog opens at most a little after the deadline, whatever the printer does.
    EXPECT_LT(Clock::now() - start, (c.wait > 0ms ? c.wait : 1000ms) + 500ms) << c.name;
  }
  release.set_value();
}

}  // namespace
}  // namespace vw
