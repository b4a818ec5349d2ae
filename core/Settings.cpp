#include "core/Settings.h"

#include <array>
#include <utility>

#include "core/Conversions.h"

namespace vw {

std::string GetSetting(const ISettingsStore& store, const std::string& section,
                       const std::string& key) {
  return store.Read(kProgramTitle, section, key);
}

bool SaveSetting(ISettingsStore& store, const std::string& section, const std::string& key,
                 const std::string& value) {
  return store.Write(kProgramTitle, section, key, value);
}

void EnsureDefaultSettings(ISettingsStore& store) {
  // {name read, name written, default}. The background key is read as "Screencolor": the
  // store matches names without regard to case, so both address the user's choice.
  static const std::array<std::array<const char*, 3>, 13> kDefaults = {{
      {"ChangeSec", "ChangeSec", "15"},
      {"FontSize", "FontSize", "20"},
      {"FontBold", "FontBold", "0"},
      {"FontItalic", "FontItalic", "0"},
      {"DropShadow", "DropShadow", "0"},
      {"Font", "Font", "Arial"},
      {"Color", "Color", "1"},
      {"Screencolor", "ScreenColor", "0"},
      {"ColorType", "ColorType", "0"},
      {"Content", "Content", "0"},
      {"FreeText", "FreeText", "Dadoduz Ivuzozuvodi"},
      {"Display", "Display", "1"},
      {"LastVerse", "LastVerse", "1"},
  }};
  for (const auto& [readName, writeName, value] : kDefaults) {
    if (GetSetting(store, kSettingsSection, readName).empty()) {
      SaveSetting(store, kSettingsSection, writeName, value);
    }
  }
}

void LoadSettings(const ISettingsStore& store, SettingsRecord& r) {
  auto get = [&](const char* key) { return GetSetting(store, kSettingsSection, key); };

  auto changeSec = ToInt16(get("ChangeSec"));
  r.ChangeSec = (changeSec && *changeSec >= 1) ? *changeSec : kDefaultChangeSec;

  auto fontSize = ToInt16(get("FontSize"));
  r.FontSize = (fontSize && *fontSize >= kMinFontSize && *fontSize <= kMaxFontSize)
                   ? *fontSize
                   : kDefaultFontSize;

  r.FontBold = ToFlag(get("FontBold")).value_or(false);
  r.FontItalic = ToFlag(get("FontItalic")).value_or(false);
  r.DropShadow = ToFlag(get("DropShadow")).value_or(false);
  r.Font = get("Font");
  if (r.Font.empty()) r.Font = "Arial";
  r.Color = ToInt16(get("Color")).value_or(1);
  r.ScreenColor = ToFlag(get("ScreenColor")).value_or(false);
  r.ColorType = ToFlag(get("ColorType")).value_or(false);
  r.Display = ToInt32(get("Display")).value_or(1);
  r.LastSection = LeadingNumber(get("LastSection")).value_or(0);
  r.LastVerse = ToInt32(get("LastVerse")).value_or(1);
}

}  // namespace vw
