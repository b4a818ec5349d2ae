#pragma once
#include <cstdint>
#include <string>

#include "core/SettingsStore.h"

namespace vw {

inline constexpr const char* kProgramTitle = "Vellumway Screen Saver";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kStartupSection = "Startup";

// Defaults that LoadSettings falls back to when a stored value cannot be used.
inline constexpr std::int16_t kDefaultChangeSec = 15;
inline constexpr std::int16_t kDefaultFontSize = 20;
inline constexpr std::int16_t kMinFontSize = 8;
inline constexpr std::int16_t kMaxFontSize = 45;

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

// Read and write one key under the program title. GetSetting gives "" for an absent key.
std::string GetSetting(const ISettingsStore& store, const std::string& section,
                       const std::string& key);
bool SaveSetting(ISettingsStore& store, const std::string& section, const std::string& key,
                 const std::string& value);

// Writes the default of every key of "Settings" whose stored value is empty. Runs first at
// every start.
void EnsureDefaultSettings(ISettingsStore& store);

// Fills `record` from "Settings". A value that cannot be converted or is out of its range
// loads as the key's default; nothing is written back.
void LoadSettings(const ISettingsStore& store, SettingsRecord& record);

}  // namespace vw
