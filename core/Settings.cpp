#include "core/Settings.h"

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

std::string StoredText(const ISettingsStore& store, const SettingKey& key) {
  return GetSetting(store, kSettingsSection, key.Name);
}

bool SaveSetting(ISettingsStore& store, const SettingKey& key, const std::string& value) {
  return SaveSetting(store, kSettingsSection, key.Name, value);
}

std::optional<std::int32_t> ConvertSetting(const SettingKey& key, std::string_view text) {
  switch (key.Convert) {
    case Conversion::Whole:
      return ToWholeInteger(text, key.Min, key.Max);
    case Conversion::Flag:
      if (auto flag = ToFlag(text)) return *flag ? 1 : 0;
      return std::nullopt;
    case Conversion::Leading:
      return LeadingNumber(text);
    case Conversion::Text:
      break;
  }
  return std::nullopt;
}

std::int32_t ReadNumber(const ISettingsStore& store, const SettingKey& key) {
  if (auto value = ConvertSetting(key, StoredText(store, key))) return *value;
  // A key without a default (the current topic) falls back to none.
  return key.Default ? ConvertSetting(key, key.Default).value_or(0) : 0;
}

std::string ReadText(const ISettingsStore& store, const SettingKey& key) {
  std::string text = StoredText(store, key);
  if (text.empty() && key.Default) text = key.Default;
  return text;
}

void EnsureDefaultSettings(ISettingsStore& store) {
  // The store matches names without regard to case, so a value written by hand under
  // another spelling counts as present.
  for (const SettingKey& key : kSettingKeys) {
    if (key.Default && StoredText(store, key).empty()) SaveSetting(store, key, key.Default);
  }
}

void LoadSettings(const ISettingsStore& store, SettingsRecord& r) {
  auto number16 = [&](const SettingKey& key) {
    return static_cast<std::int16_t>(ReadNumber(store, key));
  };
  auto flag = [&](const SettingKey& key) { return ReadNumber(store, key) != 0; };

  r.ChangeSec = number16(kChangeSec);
  r.FontSize = number16(kFontSize);
  r.FontBold = flag(kFontBold);
  r.FontItalic = flag(kFontItalic);
  r.DropShadow = flag(kDropShadow);
  r.Font = ReadText(store, kFont);
  r.Color = number16(kColor);
  r.ScreenColor = flag(kScreenColor);
  r.ColorType = flag(kColorType);
  r.Display = ReadNumber(store, kDisplay);
  r.LastSection = ReadNumber(store, kLastSection);
  r.LastVerse = ReadNumber(store, kLastVerse);
}

}  // namespace vw
