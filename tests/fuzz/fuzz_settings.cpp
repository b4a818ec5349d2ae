// Hand-edited registry values of every key: the conversions and LoadSettings must never
// crash, and what they load must stay inside the ranges the display relies on.
#include "core/Conversions.h"
#include "core/Settings.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/MemorySettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vw;
  // Every key of the table, in order, gets one field.
  auto fields = fuzz::Fields(data, size, kSettingKeys.size());
  test::MemorySettingsStore store;
  for (std::size_t i = 0; i < fields.size(); ++i)
    store.Set("Settings", kSettingKeys[i].Name, fields[i]);
  EnsureDefaultSettings(store);
  SettingsRecord r;
  LoadSettings(store, r);
  if (r.ChangeSec < 1) fuzz::Broken("ChangeSec below 1");
  if (r.ChangeIntervalMs() < 1000) fuzz::Broken("interval below a second");
  if (r.FontSize < kFontSize.Min || r.FontSize > kFontSize.Max) fuzz::Broken("FontSize");
  if (r.Font.empty()) fuzz::Broken("empty face");

  const std::string& text = fields[0];
  if (!ParseWholeNumber(text) && ToInt32(text).has_value()) fuzz::Broken("a non-number converted");
  (void)LeadingNumber(text);
  (void)ToFlag(text);
  return 0;
}
