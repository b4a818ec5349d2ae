#include "x11/HackOptions.h"

#include <cstdlib>

#include "core/Conversions.h"
#include "verses/Topics.h"

namespace vw::x11 {

const std::vector<OptionRow> kOptionRows = {
    {"--change-sec", &kChangeSec, nullptr},
    {"--font", &kFont, nullptr},
    {"--font-size", &kFontSize, nullptr},
    {"--bold", &kFontBold, "1"},
    {"--no-bold", &kFontBold, "0"},
    {"--italic", &kFontItalic, "1"},
    {"--no-italic", &kFontItalic, "0"},
    {"--drop-shadow", &kDropShadow, "1"},
    {"--no-drop-shadow", &kDropShadow, "0"},
    {"--desktop-image", &kScreenColor, "1"},
    {"--no-desktop-image", &kScreenColor, "0"},
};

const std::vector<std::string> kColorNames = {"grey", "green",  "red",   "blue",
                                              "yellow", "cyan", "random"};

std::string TopicOption(const char* topicKey) {
  std::string name = "--";
  for (const char* p = topicKey; *p; ++p) {
    if (*p >= 'A' && *p <= 'Z') {
      if (p != topicKey) name += '-';
      name += static_cast<char>(*p - 'A' + 'a');
    } else {
      name += *p;
    }
  }
  return name;
}

namespace {

// The text of a key, through the table's conversion, or a warning.
void Store(HackOptions& o, const std::string& option, const SettingKey& key,
           const std::string& text) {
  if (key.Convert == Conversion::Text ? !text.empty() : ConvertSetting(key, text).has_value()) {
    o.settings[key.Name] = text;
  } else {
    o.warnings.push_back(option + " " + text + ": not a value " + key.Name + " takes (" +
                         DecimalText(key.Min) + " to " + DecimalText(key.Max) +
                         "); keeping " + key.Default);
  }
}

bool SetColor(HackOptions& o, const std::string& name) {
  for (std::size_t i = 0; i < kColorNames.size(); ++i) {
    if (kColorNames[i] != name) continue;
    const bool random = i + 1 == kColorNames.size();
    o.settings[kColorType.Name] = random ? "1" : "0";
    if (!random) o.settings[kColor.Name] = DecimalText(static_cast<std::int64_t>(i));
    return true;
  }
  return false;
}

}  // namespace

HackOptions ParseHackOptions(const std::vector<std::string>& args) {
  HackOptions o;
  std::int32_t display = ConvertSetting(kDisplay, kDisplay.Default).value_or(1);
  bool topicsGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string word = args[i];
    if (word.size() > 1 && word[0] == '-' && word[1] != '-') word = "-" + word;
    std::string value;
    bool hasValue = false;
    if (const auto eq = word.find('='); eq != std::string::npos) {
      value = word.substr(eq + 1);
      word = word.substr(0, eq);
      hasValue = true;
    }
    // The value of an option that takes one: after "=", or the next word.
    auto takeValue = [&]() -> bool {
      if (hasValue) return true;
      if (i + 1 >= args.size()) {
        o.warnings.push_back(word + ": a value is missing");
        return false;
      }
      value = args[++i];
      return true;
    };

    if (word == "--root") {
      if (o.window != WindowChoice::WindowId) o.window = WindowChoice::Root;
      continue;
    }
    if (word == "--window-id") {
      if (!takeValue()) continue;
      char* end = nullptr;
      const unsigned long id = std::strtoul(value.c_str(), &end, 0);
      if (id == 0 || !end || *end) {
        o.warnings.push_back("--window-id " + value + ": not a window id");
        continue;
      }
      o.window = WindowChoice::WindowId;
      o.windowId = id;
      continue;
    }
    if (word == "--color") {
      if (takeValue() && !SetColor(o, value))
        o.warnings.push_back("--color " + value + ": not one of grey, green, red, blue, "
                             "yellow, cyan, random");
      continue;
    }
    bool known = false;
    for (const OptionRow& row : kOptionRows) {
      if (word != row.name) continue;
      known = true;
      if (row.value) {
        o.settings[row.key->Name] = row.value;
      } else if (takeValue()) {
        Store(o, word, *row.key, value);
      }
    }
    for (const TopicRow& topic : kTopicRows) {
      const std::string on = TopicOption(topic.Key);
      if (word != on && word != "--no-" + on.substr(2)) continue;
      known = topicsGiven = true;
      display = word == on ? (display | topic.Value) : (display & ~topic.Value);
    }
    if (!known) o.warnings.push_back(word + ": unknown option, ignored");
  }
  if (topicsGiven) {
    if (display == 0) {
      o.warnings.push_back("no topic chosen; showing " + std::string(kDisplay.Default));
    } else {
      o.settings[kDisplay.Name] = DecimalText(display);
    }
  }
  return o;
}

}  // namespace vw::x11
