#include "app/Startup.h"

#include "core/Conversions.h"
#include "core/Settings.h"

namespace vw {

std::string NormaliseCommandLine(std::string_view raw) {
  std::string s = TrimSpaces(raw);
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

std::int32_t ParsePreviewHandle(std::string_view text) {
  std::string s = TrimSpaces(text);
  for (std::size_t n = s.size(); n >= 1; --n) {
    std::string_view tail = std::string_view(s).substr(s.size() - n);
    if (auto number = ParseWholeNumber(tail)) {
      auto rounded = RoundHalfEven(*number);
      // Handles come as unsigned decimals of which only the low 32 bits count: 2^31 to
      // 2^32 - 1 keep their bits (4294967295 is -1), and the window sign-extends them.
      if (!rounded || *rounded < INT32_MIN || *rounded > UINT32_MAX) return 0;
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(*rounded));
    }
  }
  return 0;
}

StartupDecision DecideStartup(ISettingsStore& store, std::string_view rawArguments,
                              bool anotherInstanceRunning) {
  EnsureDefaultSettings(store);

  StartupDecision d;
  d.commandLine = NormaliseCommandLine(rawArguments);
  const std::string modeWord = d.commandLine.substr(0, 2);

  if (anotherInstanceRunning) {
    const std::string previous = GetSetting(store, kStartupSection, "PrevInstance");
    if ((previous.empty() || previous == "/s") && modeWord != "/p") {
      d.mode = DisplayMode::End;
      d.stoppedByGuard = true;
      return d;
    }
  }

  SaveSetting(store, kStartupSection, "PrevInstance", d.commandLine);

  if (modeWord.empty() || modeWord == "/s") {
    d.mode = DisplayMode::FullScreen;
  } else if (modeWord == "/p") {
    d.mode = DisplayMode::Preview;
    d.previewParent = ParsePreviewHandle(d.commandLine);
  } else if (modeWord == "/c") {
    d.mode = DisplayMode::Configure;
  } else {
    d.mode = DisplayMode::End;
  }
  return d;
}

}  // namespace vw
