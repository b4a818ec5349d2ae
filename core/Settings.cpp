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
  struct Load {
    const ISettingsStore& store;
    const SettingKey& key;
    SettingsRecord& r;
    void operator()(std::monostate) const {}
    void operator()(std::int16_t SettingsRecord::*field) const {
      r.*field = static_cast<std::int16_t>(ReadNumber(store, key));
    }
    void operator()(std::int32_t SettingsRecord::*field) const {
      r.*field = ReadNumber(store, key);
    }
    void operator()(bool SettingsRecord::*field) const { r.*field = ReadNumber(store, key) != 0; }
    void operator()(std::string SettingsRecord::*field) const { r.*field = ReadText(store, key); }
  };
  for (const SettingKey& key : kSettingKeys) std::visit(Load{store, key, r}, key.Field);
}

}  // namespace vw
