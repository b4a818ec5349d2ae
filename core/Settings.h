#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

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

// One key of "Settings": its name, the text written when it is empty (nullptr: none), how it
// is read, the range a number must fall in and the field it loads into. A value that cannot
// be read or is out of range reads as the default. The display, the settings dialog and the
// saved place all read and write through this table, so the dialog shows what the display
// will do.
struct SettingKey {
  const char* Name;
  const char* Default;
  Conversion Convert;
  SettingField Field = {};
  std::int32_t Min = INT32_MIN;
  std::int32_t Max = INT32_MAX;
};

// clang-format off
inline constexpr SettingKey kChangeSec{"ChangeSec", "15", Conversion::Whole, &SettingsRecord::ChangeSec, 1, INT16_MAX};
inline constexpr SettingKey kFontSize{"FontSize", "20", Conversion::Whole, &SettingsRecord::FontSize, 8, 45};
inline constexpr SettingKey kFontBold{"FontBold", "0", Conversion::Flag, &SettingsRecord::FontBold};
inline constexpr SettingKey kFontItalic{"FontItalic", "0", Conversion::Flag, &SettingsRecord::FontItalic};
inline constexpr SettingKey kDropShadow{"DropShadow", "0", Conversion::Flag, &SettingsRecord::DropShadow};
inline constexpr SettingKey kFont{"Font", "Arial", Conversion::Text, &SettingsRecord::Font};
inline constexpr SettingKey kColor{"Color", "1", Conversion::Whole, &SettingsRecord::Color, INT16_MIN, INT16_MAX};
inline constexpr SettingKey kScreenColor{"ScreenColor", "0", Conversion::Flag, &SettingsRecord::ScreenColor};
inline constexpr SettingKey kColorType{"ColorType", "0", Conversion::Flag, &SettingsRecord::ColorType};
inline constexpr SettingKey kContent{"Content", "0", Conversion::Text};
inline constexpr SettingKey kFreeText{"FreeText", "Dadoduz Ivuzozuvodi", Conversion::Text};
inline constexpr SettingKey kDisplay{"Display", "1", Conversion::Whole, &SettingsRecord::Display};
inline constexpr SettingKey kLastSection{"LastSection", nullptr, Conversion::Leading, &SettingsRecord::LastSection};
inline constexpr SettingKey kLastVerse{"LastVerse", "1", Conversion::Whole, &SettingsRecord::LastVerse};
// clang-format on

// Every key, in the order their defaults are written at a first start.
inline constexpr std::array<SettingKey, 14> kSettingKeys = {
    kChangeSec,   kFontSize,  kFontBold, kFontItalic, kDropShadow, kFont,        kColor,
    kScreenColor, kColorType, kContent,  kFreeText,   kDisplay,    kLastSection, kLastVerse};

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
