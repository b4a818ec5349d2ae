#pragma once
#include <string>

namespace vw {

// The per-user string store (the registry on Windows). Names are matched without regard to
// case. All strings are UTF-8.
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  // The stored string, or "" when the value does not exist (or is not a string value).
  virtual std::string Read(const std::string& app, const std::string& section,
                           const std::string& key) const = 0;
  // Creates or replaces the value; false when the store refused the write.
  virtual bool Write(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

}  // namespace vw
