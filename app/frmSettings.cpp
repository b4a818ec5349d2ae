#include "app/frmSettings.h"

#include <utility>
#include <vector>

#include "core/Conversions.h"
#include "verses/Topics.h"

namespace vw {

namespace {

// How many controls show a row: a group's members follow its first control's id.
int MembersOf(const SettingKey& key) {
  switch (key.Show) {
    case Shown::Not:
      return 0;
    case Shown::OptionGroup:
      return 2;
    case Shown::Swatch:
      return kSwatchCount;
    case Shown::TopicBoxes:
      return kTopicCount;
    default:
      return 1;
  }
}

ControlId Member(const SettingKey& key, int index) {
  return static_cast<ControlId>(static_cast<int>(key.Control) + index);
}

std::size_t RowIndex(const SettingKey& key) {
  return static_cast<std::size_t>(&key - kSettingKeys.data());
}

// The entries of a list: the numbers Min to Max.
std::vector<std::string> Entries(const SettingKey& key) {
  std::vector<std::string> entries;
  for (std::int32_t n = key.Min; n <= key.Max; ++n) entries.push_back(DecimalText(n));
  return entries;
}

std::int32_t AllTopics() {
  std::int32_t all = 0;
  for (const TopicRow& row : kTopicRows) all |= row.Value;
  return all;
}

// What the dialog shows of a key at load. Every number is read through the settings table, as
// the display reads it, so the dialog shows what the display does; text edited by hand into a
// number key counts as its default.
std::optional<std::string> Loaded(const ISettingsStore& store, const SettingKey& key) {
  switch (key.Show) {
    case Shown::Not:
      return std::nullopt;
    case Shown::TextBox:
      // Exactly as stored, so that "OK" writes back what the user sees.
      return StoredText(store, key);
    case Shown::List: {
      const std::string stored = StoredText(store, key);
      for (const std::string& entry : Entries(key))
        if (entry == stored) return entry;
      return key.Default;
    }
    case Shown::Swatch: {
      const std::int32_t swatch = ReadNumber(store, key);
      if (swatch < 0 || swatch >= kSwatchCount) return std::nullopt;
      return DecimalText(swatch);
    }
    case Shown::TopicBoxes:
      return DecimalText(ReadNumber(store, key) & AllTopics());
    case Shown::CheckBox:
    case Shown::OptionGroup:
      break;
  }
  return DecimalText(ReadNumber(store, key));
}

}  // namespace

void frmSettings::Form_Load() {
  // The faces; the box keeps them in alphabetical order.
  controls_.SetList(ControlId::cmbFont, controls_.FontFaces());
  for (const SettingKey& key : kSettingKeys) {
    if (key.Show == Shown::List) controls_.SetList(key.Control, Entries(key));
    Take(RowIndex(key), Loaded(store_, key), true);
  }
  // Setting the font box's text is no choice from its list, so the sample's face is set here.
  controls_.SetSampleFace(draft_[RowIndex(kFont)].value_or(""));
}

std::optional<std::size_t> frmSettings::RowOf(ControlId id, int& member) {
  for (const SettingKey& key : kSettingKeys) {
    member = IndexIn(id, key.Control, MembersOf(key));
    if (member >= 0) return RowIndex(key);
  }
  return std::nullopt;
}

std::int32_t frmSettings::Number(std::size_t row) const {
  if (!draft_[row]) return 0;
  return ConvertSetting(kSettingKeys[row], *draft_[row]).value_or(0);
}

void frmSettings::Take(std::size_t row, std::optional<std::string> value, bool show) {
  draft_[row] = std::move(value);
  const SettingKey& key = kSettingKeys[row];
  const std::int32_t number = Number(row);
  if (show) {
    switch (key.Show) {
      case Shown::TextBox:
        controls_.SetText(key.Control, draft_[row].value_or(""));
        break;
      case Shown::List:
        controls_.SetListIndex(key.Control, number - key.Min);
        break;
      case Shown::CheckBox:
        controls_.SetChecked(key.Control, number == 1);
        break;
      case Shown::OptionGroup:
        controls_.SelectOption(Member(key, number));
        break;
      case Shown::Swatch:
        // One swatch marked at most: none while the draft holds no colour.
        for (int i = 0; i < kSwatchCount; ++i)
          controls_.ShowSwatchMarked(Member(key, i), draft_[row] && i == number);
        break;
      case Shown::TopicBoxes:
        for (int i = 0; i < kTopicCount; ++i)
          controls_.SetChecked(Member(key, i), (number & kTopicRows[i].Value) != 0);
        break;
      case Shown::Not:
        break;
    }
  }
  // What follows a choice, whether the user or the loading code made it.
  switch (key.Control) {
    case ControlId::chkBold:
      controls_.SetSampleBold(number == 1);
      break;
    case ControlId::chkItalic:
      controls_.SetSampleItalic(number == 1);
      break;
    case ControlId::optScreen0:
      // The shadow only matters over the desktop image.
      controls_.SetVisible(ControlId::chkDropShadow, number == 1);
      break;
    case ControlId::optColor0:
      // The swatches only matter for shades of one colour.
      controls_.SetVisible(ControlId::picColorColl, number == 0);
      break;
    default:
      break;
  }
}

void frmSettings::Clicked(ControlId id) {
  if (id == ControlId::Command1) return Command1_Click();
  if (id == ControlId::Command2) return Command2_Click();
  int member = -1;
  const std::optional<std::size_t> row = RowOf(id, member);
  if (!row) return;
  const Shown show = kSettingKeys[*row].Show;
  // The option button shows its selection itself; a swatch is marked by the dialog.
  if (show == Shown::OptionGroup || show == Shown::Swatch)
    Take(*row, DecimalText(member), show == Shown::Swatch);
}

void frmSettings::Checked(ControlId id, bool ticked) {
  int member = -1;
  const std::optional<std::size_t> row = RowOf(id, member);
  if (!row) return;
  const SettingKey& key = kSettingKeys[*row];
  if (key.Show == Shown::CheckBox) Take(*row, ticked ? "1" : "0", false);
  if (key.Show == Shown::TopicBoxes) {
    const std::int32_t bit = kTopicRows[member].Value;
    Take(*row, DecimalText(ticked ? Number(*row) | bit : Number(*row) & ~bit), false);
  }
}

void frmSettings::Typed(ControlId id, const std::string& text) {
  int member = -1;
  const std::optional<std::size_t> row = RowOf(id, member);
  if (row && kSettingKeys[*row].Show == Shown::TextBox) Take(*row, text, false);
}

void frmSettings::Chosen(ControlId id, const std::string& item) {
  int member = -1;
  const std::optional<std::size_t> row = RowOf(id, member);
  if (!row) return;
  Take(*row, item, false);
  // Only a face chosen from the list changes the sample; typing into the box does not.
  if (id == ControlId::cmbFont) controls_.SetSampleFace(item);
}

std::int32_t frmSettings::GetDisplayMask() const {
  return Number(RowIndex(kDisplay));
}

void frmSettings::Command1_Click() {
  if (GetDisplayMask() == 0) {
    Warn("Must have at least one verse to display option selected");
    return;
  }

  const std::string interval = draft_[RowIndex(kChangeSec)].value_or("");
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
    Warn("Change Verse in seconds must be less than " + DecimalText(kChangeSec.Max + 1));
    controls_.SetFocus(ControlId::txtChangeSec);
    return;
  }

  // The draft in the rows' order; with no swatch marked the stored colour stays as it is.
  for (std::size_t row = 0; row < kSettingKeys.size(); ++row) {
    if (!draft_[row]) continue;
    if (!SaveSetting(store_, kSettingKeys[row], *draft_[row])) {
      // The dialog stays open, so nothing suggests the options were stored.
      Warn(std::string("The settings could not be saved: the settings store refused \"") +
           kSettingKeys[row].Name +
           "\", and the settings after it were not written. Press OK to try again.");
      return;
    }
  }
  controls_.CloseDialog();
}

void frmSettings::Command2_Click() {
  controls_.CloseDialog();
}

void frmSettings::Warn(const std::string& text) {
  controls_.ShowWarning(text, kProgramTitle);
}

}  // namespace vw
