#pragma once
#include <map>
#include <string>
#include <vector>

#include "core/SettingsStore.h"

namespace vw::test {

// An in-memory store with case-insensitive names, that also records every write in order.
class MemorySettingsStore : public ISettingsStore {
 public:
  struct WriteRecord {
    std::string section, key, value;
  };

  std::string Read(const std::string& app, const std::string& section,
                   const std::string& key) const override {
    auto it = values_.find(Name(app, section, key));
    return it == values_.end() ? std::string() : it->second;
  }

  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
    writes.push_back({section, key, value});
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

  std::vector<WriteRecord> writes;

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
