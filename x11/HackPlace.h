#pragma once
#include <map>
#include <string>

#include "core/SettingsStore.h"

namespace vw::x11 {

// The hack's settings store: the options from the command line, and the reading place
// ("LastSection", "LastVerse") kept in a file of its own. Only the place is ever written,
// and only to memory until Save().
class HackSettingsStore : public ISettingsStore {
 public:
  // `options`: stored text by key name; `placePath`: the place file, "" for none.
  HackSettingsStore(const std::map<std::string, std::string>& options, std::string placePath);

  std::string Read(const std::string& app, const std::string& section,
                   const std::string& key) const override;
  // Accepts "LastSection" and "LastVerse" of "Settings"; refuses everything else.
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;

  // Reads the place file. "" when it held a place; otherwise the line for stderr saying that
  // the place starts at the beginning, and why.
  std::string LoadPlace();
  // Writes the place, when one was written to the store, through a temporary file renamed
  // over the old one: a crash mid-write leaves the old file or the new, never half of one.
  bool SavePlace() const;
  const std::string& PlacePath() const { return placePath_; }

 private:
  std::map<std::string, std::string> values_;  // by lower-case key name
  std::string placePath_;
  bool placeWritten_ = false;
};

// $XDG_STATE_HOME/vellumway/place, or $HOME/.local/state/vellumway/place when it is unset or
// not absolute; "" when neither is usable. Either argument may be null.
std::string PlaceFilePath(const char* xdgStateHome, const char* home);

}  // namespace vw::x11
