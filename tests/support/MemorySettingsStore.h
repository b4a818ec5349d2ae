#pragma once
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/SettingsStore.h"

namespace vw::test {

// An in-memory store with case-insensitive names, that also records every write in order and
// refuses every write from the `refuseFrom`-th attempt on (counted from 0; -1: none).
class MemorySettingsStore : public ISettingsStore {
 public:
  std::string Read(const std::string& app, const std::string& section,
                   const std::string& key) const override {
    auto it = values_.find(Name(app, section, key));
    return it == values_.end() ? std::string() : it->second;
  }

  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
    if (refuseFrom >= 0 && attempts++ >= refuseFrom) return false;
    writes.push_back(section + "\\" + key + "=" + value);
    values_[Name(app, section, key)] = value;
    return true;
  }

  // Stores a value without recording it as a write, as if an earlier run had left it.
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values_[Name("Vellumway Screen Saver", section, key)] = value;
  }
  std::string Get(const std::string& section, const std::string& key) const {
    return Read("Vellumway Screen Saver", section, key);
  }
  // "Key=value|..." stored in "Settings" as an earlier run left them, then the defaults a
  // start adds for what is missing; the writes start empty after that.
  void AfterAStart(const std::string& entries) {
    std::istringstream in(entries);
    for (std::string e; std::getline(in, e, '|');)
      Set("Settings", e.substr(0, e.find('=')), e.substr(e.find('=') + 1));
    EnsureDefaultSettings(*this);
    writes.clear();
  }

  std::vector<std::string> writes;  // "Section\\Key=value", in order
  int refuseFrom = -1, attempts = 0;

 private:
  static std::string Lower(std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  }
  static std::string Name(const std::string& app, const std::string& section,
                          const std::string& key) {
    return Lower(app) + "\\" + Lower(section) + "\\" + Lower(key);
  }
  std::map<std::string, std::string> values_;
};

}  // namespace vw::test
