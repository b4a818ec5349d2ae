#pragma once
#include "core/SettingsStore.h"

namespace vw::win32 {

// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, REG_SZ values,
// through the wide-character calls so that any name round-trips.
class RegistrySettingsStore : public ISettingsStore {
 public:
  std::string Read(const std::string& app, const std::string& section,
                   const std::string& key) const override;
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
};

}  // namespace vw::win32
