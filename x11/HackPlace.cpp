#include "x11/HackPlace.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Settings.h"

namespace vw::x11 {

namespace {

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

constexpr const SettingKey* kPlaceKeys[] = {&kLastSection, &kLastVerse};

bool IsPlaceKey(const std::string& key) {
  for (const SettingKey* k : kPlaceKeys)
    if (Lower(key) == Lower(k->Name)) return true;
  return false;
}

}  // namespace

HackSettingsStore::HackSettingsStore(const std::map<std::string, std::string>& options,
                                     std::string placePath)
    : placePath_(std::move(placePath)) {
  for (const auto& [key, text] : options) values_[Lower(key)] = text;
}

std::string HackSettingsStore::Read(const std::string& app, const std::string& section,
                                    const std::string& key) const {
  if (Lower(app) != Lower(kProgramTitle) || Lower(section) != Lower(kSettingsSection)) return {};
  const auto it = values_.find(Lower(key));
  return it == values_.end() ? std::string() : it->second;
}

bool HackSettingsStore::Write(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& value) {
  if (Lower(app) != Lower(kProgramTitle) || Lower(section) != Lower(kSettingsSection) ||
      !IsPlaceKey(key))
    return false;
  values_[Lower(key)] = value;
  placeWritten_ = true;
  return true;
}

std::string HackSettingsStore::LoadPlace() {
  if (placePath_.empty()) return "no HOME nor XDG_STATE_HOME: starting at the beginning";
  std::ifstream in(placePath_);
  if (!in) return placePath_ + ": no reading place yet, starting at the beginning";
  // "Key=value" lines; both keys must be there and convert as the settings table says.
  std::map<std::string, std::string> found;
  for (std::string line; std::getline(in, line);) {
    const auto eq = line.find('=');
    if (eq != std::string::npos) found[Lower(line.substr(0, eq))] = line.substr(eq + 1);
  }
  for (const SettingKey* k : kPlaceKeys) {
    const auto it = found.find(Lower(k->Name));
    if (it == found.end() || !ConvertSetting(*k, it->second))
      return placePath_ + ": broken reading place, starting at the beginning";
  }
  for (const SettingKey* k : kPlaceKeys) values_[Lower(k->Name)] = found[Lower(k->Name)];
  return {};
}

bool HackSettingsStore::SavePlace() const {
  if (!placeWritten_ || placePath_.empty()) return false;
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(fs::path(placePath_).parent_path(), ec);
  const std::string temp = placePath_ + ".new";
  {
    std::ofstream out(temp, std::ios::trunc);
    for (const SettingKey* k : kPlaceKeys) out << k->Name << '=' << Read(kProgramTitle, kSettingsSection, k->Name) << '\n';
    out.flush();
    if (!out) return false;
  }
  return std::rename(temp.c_str(), placePath_.c_str()) == 0;
}

std::string PlaceFilePath(const char* xdgStateHome, const char* home) {
  // XDG base directories: a relative path is invalid and is ignored.
  std::string base;
  if (xdgStateHome && xdgStateHome[0] == '/') {
    base = xdgStateHome;
  } else if (home && home[0] == '/') {
    base = std::string(home) + "/.local/state";
  } else {
    return {};
  }
  return base + "/vellumway/place";
}

}  // namespace vw::x11
