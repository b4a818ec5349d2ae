#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/ControlIds.h"
#include "core/SettingsStore.h"

namespace vw {

inline constexpr const char* kProgramTitle = "Vellumway Screen Saver";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kStartupSection = "Startup";

// How a key's stored text becomes its value.
enum class Conversion {
  Whole,    // the whole text a number, rounded half to even, within [Min, Max]
  Flag,     // a 16-bit whole number: 0 is off, anything else on
  Leading,  // the number the text starts with, 0 when none
  Text,     // the text itself; empty counts as absent
};

// The user's options and the place reached, as loaded from the store.
struct SettingsRecord {
  std::int16_t ChangeSec = 0;
  std::int16_t FontSize = 0;
  bool FontBold = false;
  bool FontItalic = false;
  bool DropShadow = false;
  std::string Font;
  std::int16_t Color = 0;
  bool ScreenColor = false;
  bool ColorType = false;
  std::int32_t Display = 0;
  std::int32_t LastSection = 0;
  std::int32_t LastVerse = 0;

  // The verse interval, held in 32 bits so that any ChangeSec works.
  std::int32_t ChangeIntervalMs() const { return static_cast<std::int32_t>(ChangeSec) * 1000; }
};

// Where a key's value goes in SettingsRecord; none for the keys the display does not read.
using SettingField =
    std::variant<std::monostate, std::int16_t SettingsRecord::*, std::int32_t SettingsRecord::*,
                 bool SettingsRecord::*, std::string SettingsRecord::*>;

// How the settings dialog shows a key; what the user chooses there is written back on "OK".
enum class Shown {
  Not,          // the dialog does not show it
  TextBox,      // the stored text as it is; written back as typed (or chosen from the box's list)
  List,         // the entry Min..Max equal to the stored text, else the default's
  CheckBox,     // ticked for 1
  OptionGroup,  // the option of the stored number: Control is option 0, the next id option 1
  Swatch,       // the swatch of the stored number marked; outside them none, and nothing written
  TopicBoxes,   // the box of each topic whose bit is in the stored sum; written as the new sum
};

// One key of "Settings": its name, the text written when it is empty (nullptr: none), how it
// is read, the field it loads into, the control of the settings dialog that shows it and the
// range a number must fall in. A value that cannot be read or is out of range reads as the
// default. The display, the settings dialog and the saved place all read and write through
// this table, so the dialog shows what the display will do.
struct SettingKey {
  const char* Name;
  const char* Default;
  Conversion Convert;
  SettingField Field = {};
  Shown Show = Shown::Not;
  ControlId Control = {};
  std::int32_t Min = INT32_MIN;
  std::int32_t Max = INT32_MAX;
};

// Every key, in the order their defaults are written at a first start; the keys the dialog
// shows are also written by "OK" in this order. A new option is its SettingsRecord field, its
// row here and its control's place in the dialog's layout.
// clang-format off
inline constexpr auto kSettingKeys = std::to_array<SettingKey>({
  {"ChangeSec", "15", Conversion::Whole, &SettingsRecord::ChangeSec, Shown::TextBox, ControlId::txtChangeSec, 1, INT16_MAX},
  {"FontSize", "20", Conversion::Whole, &SettingsRecord::FontSize, Shown::List, ControlId::cboMaxFontSize, 8, 45},
  {"FontBold", "0", Conversion::Flag, &SettingsRecord::FontBold, Shown::CheckBox, ControlId::chkBold},
  {"FontItalic", "0", Conversion::Flag, &SettingsRecord::FontItalic, Shown::CheckBox, ControlId::chkItalic},
  {"DropShadow", "0", Conversion::Flag, &SettingsRecord::DropShadow, Shown::CheckBox, ControlId::chkDropShadow},
  {"Font", "Arial", Conversion::Text, &SettingsRecord::Font, Shown::TextBox, ControlId::cmbFont},
  {"Color", "1", Conversion::Whole, &SettingsRecord::Color, Shown::Swatch, ControlId::picColorSelect0, INT16_MIN, INT16_MAX},
  {"ScreenColor", "0", Conversion::Flag, &SettingsRecord::ScreenColor, Shown::OptionGroup, ControlId::optScreen0},
  {"ColorType", "0", Conversion::Flag, &SettingsRecord::ColorType, Shown::OptionGroup, ControlId::optColor0},
  {"Content", "0", Conversion::Text},
  {"FreeText", "Dadoduz Ivuzozuvodi", Conversion::Text},
  {"Display", "1", Conversion::Whole, &SettingsRecord::Display, Shown::TopicBoxes, ControlId::chkDisplay0},
  {"LastSection", nullptr, Conversion::Leading, &SettingsRecord::LastSection},
  {"LastVerse", "1", Conversion::Whole, &SettingsRecord::LastVerse},
});
// clang-format on

// A row by its key's name; a name that is in no row does not compile.
consteval const SettingKey& SettingKeyNamed(std::string_view name) {
  for (const SettingKey& key : kSettingKeys)
    if (name == key.Name) return key;
  throw "no setting has this name";
}

inline constexpr const SettingKey& kChangeSec = SettingKeyNamed("ChangeSec");
inline constexpr const SettingKey& kFontSize = SettingKeyNamed("FontSize");
inline constexpr const SettingKey& kFontBold = SettingKeyNamed("FontBold");
inline constexpr const SettingKey& kFontItalic = SettingKeyNamed("FontItalic");
inline constexpr const SettingKey& kDropShadow = SettingKeyNamed("DropShadow");
inline constexpr const SettingKey& kFont = SettingKeyNamed("Font");
inline constexpr const SettingKey& kColor = SettingKeyNamed("Color");
inline constexpr const SettingKey& kScreenColor = SettingKeyNamed("ScreenColor");
inline constexpr const SettingKey& kColorType = SettingKeyNamed("ColorType");
inline constexpr const SettingKey& kDisplay = SettingKeyNamed("Display");
inline constexpr const SettingKey& kLastSection = SettingKeyNamed("LastSection");
inline constexpr const SettingKey& kLastVerse = SettingKeyNamed("LastVerse");

// Read and write one key under the program title. GetSetting gives "" for an absent key.
std::string GetSetting(const ISettingsStore& store, const std::string& section,
                       const std::string& key);
bool SaveSetting(ISettingsStore& store, const std::string& section, const std::string& key,
                 const std::string& value);

// One key of "Settings": the stored text as it is, and its writing.
std::string StoredText(const ISettingsStore& store, const SettingKey& key);
bool SaveSetting(ISettingsStore& store, const SettingKey& key, const std::string& value);

// The stored text converted as `key` says, nullopt when it cannot be or is out of range.
std::optional<std::int32_t> ConvertSetting(const SettingKey& key, std::string_view text);
// The number (or flag, as 0 or 1) a key holds, its default when the stored text does not do.
std::int32_t ReadNumber(const ISettingsStore& store, const SettingKey& key);
// The text a key holds, its default when it is empty.
std::string ReadText(const ISettingsStore& store, const SettingKey& key);

// Writes the default of every key of "Settings" whose stored value is empty. Runs first at
// every start.
void EnsureDefaultSettings(ISettingsStore& store);

// Fills `record` from "Settings", key by key through the table. A value that cannot be
// converted or is out of its range loads as the key's default; nothing is written back.
void LoadSettings(const ISettingsStore& store, SettingsRecord& record);

}  // namespace vw
