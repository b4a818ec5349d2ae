#pragma once
#include <map>
#include <string>
#include <vector>

#include "core/Settings.h"

namespace vw::x11 {

// Where the hack draws: a window of its own (started from a terminal), the daemon's window
// ($XSCREENSAVER_WINDOW, else the root) or a window named by --window-id (the preview).
enum class WindowChoice { Own, Root, WindowId };

struct HackOptions {
  WindowChoice window = WindowChoice::Own;
  unsigned long windowId = 0;
  // Stored text of each "Settings" key an option set, by key name; a key left out reads as
  // its default, as in the settings store on Windows.
  std::map<std::string, std::string> settings;
  // One line each for stderr: unknown options and values the settings table refuses.
  std::vector<std::string> warnings;
};

// A command-line option that sets one key of the settings table: with `value` null it takes
// an argument, which becomes the key's stored text; otherwise it stores `value` itself.
struct OptionRow {
  const char* name;
  const SettingKey* key;
  const char* value;
};

// The options that match the settings dialog, each writing the key its control writes.
// --color and the topics (--ten-commandments, --no-all-verses, ...) are made from the
// colour names and the topic rows.
extern const std::vector<OptionRow> kOptionRows;
// The colour names --color takes, in swatch order, then "random" (Random Colour).
extern const std::vector<std::string> kColorNames;
// "--ten-commandments" for the topic key "TenCommandments".
std::string TopicOption(const char* topicKey);

// Reads the command line (without the program name). "-x" and "--x" are alike, and a value
// may follow as the next word or after "=". Never fails: what it cannot use it warns about.
HackOptions ParseHackOptions(const std::vector<std::string>& args);

}  // namespace vw::x11
