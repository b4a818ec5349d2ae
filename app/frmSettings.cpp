#include "app/frmSettings.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "core/Conversions.h"
#include "core/Settings.h"
#include "verses/TopicTable.h"

namespace vw {

namespace {

// Bit value of each topic box, by box index.
constexpr std::array<std::int32_t, kTopicBoxCount> kTopicBits = {
    kAllVerses, kTenCommandments, kNoahArk, kSamson, kSalvation, kProphecies};

constexpr int kFirstFontSize = 8;
constexpr int kLastFontSize = 45;
constexpr const char* kFallbackFontSize = "20";

std::string Stored(const ISettingsStore& store, const char* key) {
  return GetSetting(store, kSettingsSection, key);
}

// A stored flag, read as the display reads it: any number other than 0 is on, so the dialog
// shows what the display does. Text that is no number was edited by hand and counts as the
// key's default.
int StoredZeroOrOne(const ISettingsStore& store, const char* key, int fallback) {
  const auto flag = ToFlag(Stored(store, key));
  return flag ? (*flag ? 1 : 0) : fallback;
}

}  // namespace

void frmSettings::Form_Load() {
  // 1. The faces; the box keeps them in alphabetical order.
  controls_.ClearList(ControlId::cmbFont);
  for (const std::string& face : controls_.FontFaces()) {
    controls_.AddListItem(ControlId::cmbFont, face);
  }

  // 2. The sizes the verse may grow to.
  controls_.ClearList(ControlId::cboMaxFontSize);
  for (int size = kFirstFontSize; size <= kLastFontSize; ++size) {
    controls_.AddListItem(ControlId::cboMaxFontSize, DecimalText(size));
  }

  // 3. The interval exactly as stored, so that "OK" writes back what the user sees.
  controls_.SetText(ControlId::txtChangeSec, Stored(store_, "ChangeSec"));

  // 4. The stored size when it is one of the entries, otherwise "20".
  {
    const std::string wanted = Stored(store_, "FontSize");
    const int count = controls_.ListCount(ControlId::cboMaxFontSize);
    int found = -1, fallback = -1;
    for (int i = 0; i < count; ++i) {
      const std::string item = controls_.ListItem(ControlId::cboMaxFontSize, i);
      if (found < 0 && item == wanted) found = i;
      if (fallback < 0 && item == kFallbackFontSize) fallback = i;
    }
    controls_.SetListIndex(ControlId::cboMaxFontSize, found >= 0 ? found : fallback);
  }

  // 5.-7. The three boxes; changing "Bold" or "Italic" updates the sample.
  SetCheckBox(ControlId::chkDropShadow, StoredZeroOrOne(store_, "DropShadow", 0) == 1);
  SetCheckBox(ControlId::chkBold, StoredZeroOrOne(store_, "FontBold", 0) == 1);
  SetCheckBox(ControlId::chkItalic, StoredZeroOrOne(store_, "FontItalic", 0) == 1);

  // 8.-9. The face as stored, installed or not; setting the text is no choice from the list,
  // so the sample's face is set here.
  controls_.SetText(ControlId::cmbFont, Stored(store_, "Font"));
  controls_.SetSampleFace(controls_.Text(ControlId::cmbFont));

  // 10. A number outside 0 to 5 marks no swatch; text that is no number at all counts as the
  // default colour.
  picColorSelect_Click(ToInt16(Stored(store_, "Color")).value_or(1));

  // 11.-12. The handler first, then the selection, which runs it again when it changes.
  const int screen = StoredZeroOrOne(store_, "ScreenColor", 0);
  optScreen_Click(screen);
  SelectOptionByCode(optScreen(screen));

  const int colorType = StoredZeroOrOne(store_, "ColorType", 0);
  optColor_Click(colorType);
  SelectOptionByCode(optColor(colorType));

  // 13. Text that is not a number was edited by hand: all verses, as the display reads it.
  const std::string display = Stored(store_, "Display");
  SetDisplayMask(ToInt32(display) ? LeadingNumber(display).value_or(kAllVerses) : kAllVerses);
}

void frmSettings::ControlClicked(ControlId id) {
  switch (id) {
    case ControlId::cmbFont:
      cmbFont_Click();
      return;
    case ControlId::chkBold:
      chkBold_Click();
      return;
    case ControlId::chkItalic:
      chkItalic_Click();
      return;
    case ControlId::optScreen0:
    case ControlId::optScreen1:
      optScreen_Click(IndexIn(id, ControlId::optScreen0, 2));
      return;
    case ControlId::optColor0:
    case ControlId::optColor1:
      optColor_Click(IndexIn(id, ControlId::optColor0, 2));
      return;
    case ControlId::Command1:
      Command1_Click();
      return;
    case ControlId::Command2:
      Command2_Click();
      return;
    default:
      break;
  }
  const int swatch = IndexIn(id, ControlId::picColorSelect0, kSwatchCount);
  if (swatch >= 0) picColorSelect_Click(swatch);
}

void frmSettings::cmbFont_Click() {
  controls_.SetSampleFace(controls_.Text(ControlId::cmbFont));
}

void frmSettings::chkBold_Click() {
  controls_.SetSampleBold(controls_.IsChecked(ControlId::chkBold));
}

void frmSettings::chkItalic_Click() {
  controls_.SetSampleItalic(controls_.IsChecked(ControlId::chkItalic));
}

void frmSettings::optScreen_Click(int) {
  // The shadow only matters over the desktop image.
  controls_.SetVisible(ControlId::chkDropShadow, controls_.IsChecked(ControlId::optScreen1));
}

void frmSettings::optColor_Click(int) {
  // The swatches only matter for shades of one colour.
  controls_.SetVisible(ControlId::picColorColl, controls_.IsChecked(ControlId::optColor0));
}

void frmSettings::picColorSelect_Click(int index) {
  for (int i = 0; i < kSwatchCount; ++i) {
    controls_.SetHeightTwips(picColorSelect(i),
                             i == index ? kMarkedSwatchTwips : kUnmarkedSwatchTwips);
  }
}

std::int32_t frmSettings::GetDisplayMask() const {
  std::int32_t mask = 0;
  for (int i = 0; i < kTopicBoxCount; ++i) {
    if (controls_.IsChecked(chkDisplay(i))) mask += kTopicBits[i];
  }
  return mask;
}

void frmSettings::SetDisplayMask(std::int32_t mask) {
  for (int i = 0; i < kTopicBoxCount; ++i) {
    SetCheckBox(chkDisplay(i), (mask & kTopicBits[i]) != 0);
  }
}

void frmSettings::Command1_Click() {
  if (GetDisplayMask() == 0) {
    Warn("Must have at least one verse to display option selected");
    return;
  }

  const std::string interval = controls_.Text(ControlId::txtChangeSec);
  const std::optional<double> number = ParseWholeNumber(interval);
  if (!number) {
    Warn("Change Verse in seconds must be numeric");
    controls_.SetFocus(ControlId::txtChangeSec);
    return;
  }
  // Rounded as the display will round it when it reads the stored text back.
  const std::optional<std::int64_t> seconds = RoundHalfEven(*number);
  if (seconds ? *seconds < 1 : *number < 0) {
    Warn("Change Verse in seconds must be greater than 0");
    controls_.SetFocus(ControlId::txtChangeSec);
    return;
  }
  if (!seconds || *seconds > INT16_MAX) {
    Warn("Change Verse in seconds must be less than 32768");
    controls_.SetFocus(ControlId::txtChangeSec);
    return;
  }

  auto flag = [&](ControlId id) { return std::string(controls_.IsChecked(id) ? "1" : "0"); };
  std::vector<std::pair<const char*, std::string>> writes;
  writes.emplace_back("ChangeSec", interval);
  writes.emplace_back("FontSize",
                      controls_.ListItem(ControlId::cboMaxFontSize,
                                         controls_.ListIndex(ControlId::cboMaxFontSize)));
  writes.emplace_back("FontBold", flag(ControlId::chkBold));
  writes.emplace_back("FontItalic", flag(ControlId::chkItalic));
  writes.emplace_back("DropShadow", flag(ControlId::chkDropShadow));
  writes.emplace_back("Font", controls_.Text(ControlId::cmbFont));
  // With no swatch marked the stored colour stays as it is.
  for (int i = 0; i < kSwatchCount; ++i) {
    if (controls_.HeightTwips(picColorSelect(i)) == kMarkedSwatchTwips) {
      writes.emplace_back("Color", DecimalText(i));
      break;
    }
  }
  writes.emplace_back("ScreenColor", controls_.IsChecked(ControlId::optScreen0) ? "0" : "1");
  writes.emplace_back("ColorType", controls_.IsChecked(ControlId::optColor0) ? "0" : "1");
  writes.emplace_back("Display", DecimalText(GetDisplayMask()));

  for (const auto& [key, value] : writes) {
    if (!SaveSetting(store_, kSettingsSection, key, value)) {
      // The dialog stays open, so nothing suggests the options were stored.
      Warn(std::string("The settings could not be saved: the settings store refused \"") + key +
           "\", and the settings after it were not written. Press OK to try again.");
      return;
    }
  }
  controls_.CloseDialog();
}

void frmSettings::Command2_Click() {
  controls_.CloseDialog();
}

void frmSettings::SetCheckBox(ControlId id, bool checked) {
  if (controls_.IsChecked(id) == checked) return;
  controls_.SetChecked(id, checked);
  ControlClicked(id);
}

void frmSettings::SelectOptionByCode(ControlId id) {
  if (controls_.IsChecked(id)) return;
  controls_.SelectOption(id);
  ControlClicked(id);
}

void frmSettings::Warn(const std::string& text) {
  controls_.ShowWarning(text, kProgramTitle);
}

}  // namespace vw
