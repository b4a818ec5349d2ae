#include "app/frmSettings.h"

#include <optional>
#include <utility>
#include <vector>

#include "core/Conversions.h"
#include "core/Settings.h"
#include "verses/Topics.h"

namespace vw {

void frmSettings::Form_Load() {
  // Every value is read through the settings table, as the display reads it, so the dialog
  // shows what the display does; text edited by hand into a number key counts as its default.

  // The faces; the box keeps them in alphabetical order.
  controls_.ClearList(ControlId::cmbFont);
  for (const std::string& face : controls_.FontFaces()) {
    controls_.AddListItem(ControlId::cmbFont, face);
  }

  // The sizes the verse may grow to.
  controls_.ClearList(ControlId::cboMaxFontSize);
  for (int size = kFontSize.Min; size <= kFontSize.Max; ++size) {
    controls_.AddListItem(ControlId::cboMaxFontSize, DecimalText(size));
  }

  // The interval exactly as stored, so that "OK" writes back what the user sees.
  controls_.SetText(ControlId::txtChangeSec, StoredText(store_, kChangeSec));

  // The stored size when it is one of the entries, otherwise the default.
  {
    const std::string wanted = StoredText(store_, kFontSize);
    const int count = controls_.ListCount(ControlId::cboMaxFontSize);
    int found = -1, fallback = -1;
    for (int i = 0; i < count; ++i) {
      const std::string item = controls_.ListItem(ControlId::cboMaxFontSize, i);
      if (found < 0 && item == wanted) found = i;
      if (fallback < 0 && item == kFontSize.Default) fallback = i;
    }
    controls_.SetListIndex(ControlId::cboMaxFontSize, found >= 0 ? found : fallback);
  }

  // The three boxes; changing "Bold" or "Italic" updates the sample.
  SetCheckBox(ControlId::chkDropShadow, ReadNumber(store_, kDropShadow) == 1);
  SetCheckBox(ControlId::chkBold, ReadNumber(store_, kFontBold) == 1);
  SetCheckBox(ControlId::chkItalic, ReadNumber(store_, kFontItalic) == 1);

  // The face as stored, installed or not; setting the text is no choice from the list, so
  // the sample's face is set here.
  controls_.SetText(ControlId::cmbFont, StoredText(store_, kFont));
  controls_.SetSampleFace(controls_.Text(ControlId::cmbFont));

  // A number outside 0 to 5 marks no swatch.
  picColorSelect_Click(ReadNumber(store_, kColor));

  // The handler first, then the selection, which runs it again when it changes.
  const int screen = ReadNumber(store_, kScreenColor);
  optScreen_Click(screen);
  SelectOptionByCode(optScreen(screen));

  const int colorType = ReadNumber(store_, kColorType);
  optColor_Click(colorType);
  SelectOptionByCode(optColor(colorType));

  SetDisplayMask(ReadNumber(store_, kDisplay));
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
  markedSwatch_ = index >= 0 && index < kSwatchCount ? index : -1;
  for (int i = 0; i < kSwatchCount; ++i) {
    controls_.ShowSwatchMarked(picColorSelect(i), i == markedSwatch_);
  }
}

std::int32_t frmSettings::GetDisplayMask() const {
  std::int32_t mask = 0;
  for (int i = 0; i < kTopicCount; ++i) {
    if (controls_.IsChecked(chkDisplay(i))) mask += kTopicRows[i].Value;
  }
  return mask;
}

void frmSettings::SetDisplayMask(std::int32_t mask) {
  for (int i = 0; i < kTopicCount; ++i) {
    SetCheckBox(chkDisplay(i), (mask & kTopicRows[i].Value) != 0);
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
  if (seconds ? *seconds < kChangeSec.Min : *number < 0) {
    Warn("Change Verse in seconds must be greater than 0");
    controls_.SetFocus(ControlId::txtChangeSec);
    return;
  }
  if (!seconds || *seconds > kChangeSec.Max) {
    Warn("Change Verse in seconds must be less than 32768");
    controls_.SetFocus(ControlId::txtChangeSec);
    return;
  }

  auto flag = [&](ControlId id) { return std::string(controls_.IsChecked(id) ? "1" : "0"); };
  std::vector<std::pair<const SettingKey*, std::string>> writes;
  writes.emplace_back(&kChangeSec, interval);
  writes.emplace_back(&kFontSize,
                      controls_.ListItem(ControlId::cboMaxFontSize,
                                         controls_.ListIndex(ControlId::cboMaxFontSize)));
  writes.emplace_back(&kFontBold, flag(ControlId::chkBold));
  writes.emplace_back(&kFontItalic, flag(ControlId::chkItalic));
  writes.emplace_back(&kDropShadow, flag(ControlId::chkDropShadow));
  writes.emplace_back(&kFont, controls_.Text(ControlId::cmbFont));
  // With no swatch marked the stored colour stays as it is.
  if (markedSwatch_ >= 0) writes.emplace_back(&kColor, DecimalText(markedSwatch_));
  writes.emplace_back(&kScreenColor, controls_.IsChecked(ControlId::optScreen0) ? "0" : "1");
  writes.emplace_back(&kColorType, controls_.IsChecked(ControlId::optColor0) ? "0" : "1");
  writes.emplace_back(&kDisplay, DecimalText(GetDisplayMask()));

  for (const auto& [key, value] : writes) {
    if (!SaveSetting(store_, *key, value)) {
      // The dialog stays open, so nothing suggests the options were stored.
      Warn(std::string("The settings could not be saved: the settings store refused \"") +
           key->Name + "\", and the settings after it were not written. Press OK to try again.");
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
