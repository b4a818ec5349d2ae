// One libFuzzer target for everything that reads outside data: the first byte of an input
// picks the part that reads the rest, as hand-edited registry values, as a command line, as
// verse text to lay out or as a kjv.dat. None of them may crash, and what they produce must
// stay inside the ranges the program relies on. The executions of each part are printed at
// the end ("part NAME: N executions").
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "app/Startup.h"
#include "core/Conversions.h"
#include "core/Settings.h"
#include "display/TextLayout.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/VerseFiles.h"
#include "verses/CTypeRFA.h"
#include "verses/VerseRotation.h"

namespace vw {
namespace {

using Bytes = std::string;

// Stops the run the way libFuzzer reports a crash, with the reason.
[[noreturn]] void Broken(const char* why) {
  __builtin_printf("invariant broken: %s\n", why);
  __builtin_trap();
}

// Splits the input into fields at every NUL, so that one input feeds several strings.
std::vector<std::string> Fields(const Bytes& data, std::size_t atMost) {
  std::vector<std::string> out(1);
  for (char c : data)
    if (c == 0 && out.size() < atMost)
      out.emplace_back();
    else
      out.back().push_back(c);
  return out;
}

// Every key of the settings table gets one field.
void HandEditedSettings(const Bytes& data) {
  const auto fields = Fields(data, kSettingKeys.size());
  test::MemorySettingsStore store;
  for (std::size_t i = 0; i < fields.size(); ++i)
    store.Set("Settings", kSettingKeys[i].Name, fields[i]);
  EnsureDefaultSettings(store);
  SettingsRecord r;
  LoadSettings(store, r);
  if (r.ChangeSec < 1 || r.ChangeIntervalMs() < 1000) Broken("an interval below a second");
  if (r.FontSize < kFontSize.Min || r.FontSize > kFontSize.Max) Broken("FontSize");
  if (r.Font.empty()) Broken("empty face");
  if (!ParseWholeNumber(fields[0]) && ToInt32(fields[0])) Broken("a non-number converted");
  (void)LeadingNumber(fields[0]);
  (void)ToFlag(fields[0]);
}

// A command line, and the line a run before it left.
void CommandLine(const Bytes& data) {
  const auto fields = Fields(data, 2);
  test::MemorySettingsStore store;
  if (fields.size() > 1) store.Set("Startup", "PrevInstance", fields[1]);
  const StartupDecision d = DecideStartup(store, fields[0], !data.empty() && (data[0] & 1));
  const std::string normalised = NormaliseCommandLine(fields[0]);
  if (d.commandLine != normalised) Broken("command line not normalised");
  if (d.mode == DisplayMode::Preview && d.previewParent != ParsePreviewHandle(normalised))
    Broken("preview parent differs");
  if (!d.stoppedByGuard && store.Get("Startup", "PrevInstance") != normalised)
    Broken("PrevInstance not written");
  if (d.stoppedByGuard && d.mode != DisplayMode::End) Broken("guard let a run through");
}

// Verse text of any bytes at any width (0 to 8192 pixels) and size.
void Layout(const Bytes& data) {
  if (data.size() < 3) return;
  const auto* u = reinterpret_cast<const unsigned char*>(data.data());
  const float width = static_cast<float>(u[0] | (u[1] << 8)) / 8.0f;
  const float points = 1.0f + u[2] % 60;
  // A verse holds at most 528 characters; WrapText measures after every character, so much
  // longer texts would only slow the other parts down.
  const std::string text = data.substr(3, 3 * kVerseTextLength);
  test::RecordingSurface surface(static_cast<int>(width), 600);
  surface.SetFontSize(points);
  const std::vector<std::string> lines = WrapText(surface, text, width);
  std::size_t kept = 0;
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) Broken("a line holds a break");
    kept += CountCharacters(line);
  }
  if (kept > CountCharacters(text)) Broken("lines hold more than the text");
  if (surface.FontSize() != points) Broken("WrapText changed the font");
  const BlockPlacement block = PlaceLines(surface, lines, static_cast<int>(width), 600);
  if (block.lines.size() != lines.size()) Broken("a line without a place");
  (void)PlaceReference(surface, text, static_cast<int>(width), block.nextY);
  (void)PlaceTitle(surface, text, static_cast<int>(width));
}

// The input as kjv.dat: no read may run past a record or the buffer, and the rotation over
// it, from a place the input picks, delivers without failing.
void VerseFile(const Bytes& data) {
  // Written for every input of this part: in memory (tmpfs) where there is one, which runs
  // eight times faster than a disk's folder.
  static const test::TempDir dir = [] {
    if (std::filesystem::is_directory("/dev/shm")) setenv("TMPDIR", "/dev/shm", 0);
    return test::TempDir();
  }();
  static const std::string folder = dir.Path().generic_string() + "/";
  test::WriteBytes(dir.Path() / "kjv.dat", data);
  VerseRecord buffer;
  CTypeRFA file(buffer);
  file.FileName(folder + "kjv.dat");
  std::int32_t length = kVerseRecordLength;
  file.OpenFile(length);
  const std::int32_t count = file.GetRecordCount();
  for (std::int32_t r : {-5, 0, 1, 2, count - 1, count, count + 1}) {
    file.FetchRecord(r);
    if (!file.NoMatch() && buffer.Text.empty()) Broken("a record without text");
  }

  // The topic table and lists do not depend on the input: built once.
  static ProgramState program;
  static VerseRotation& rotation = *[] {
    BuildTopicTable(program.Topics);
    auto* built = new VerseRotation(program.Settings, program.Topics, program.VerseBuffer);
    built->BuildTopicLists();
    return built;
  }();
  const auto* u = reinterpret_cast<const unsigned char*>(data.data());
  program.Settings.Display = data.size() > 0 ? (u[0] & 63) : 63;
  program.Settings.LastSection = data.size() > 1 ? (1 << (u[1] % 7)) : 1;
  program.Settings.LastVerse = data.size() > 2 ? u[2] : 1;
  rotation.RestorePosition();
  const bool opened = rotation.OpenVerseFile(folder);
  for (int i = 0; opened && i < 12; ++i) rotation.NextVerse();
  rotation.CloseVerseFile();
}

struct Part { const char* name; void (*run)(const Bytes&); long executions; };
Part parts[] = {{"settings", HandEditedSettings, 0}, {"command-line", CommandLine, 0},
                {"layout", Layout, 0}, {"verse-file", VerseFile, 0}};

}  // namespace
}  // namespace vw

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int counted = std::atexit([] {
    for (const vw::Part& p : vw::parts)
      std::fprintf(stderr, "part %s: %ld executions\n", p.name, p.executions);
  });
  (void)counted;
  if (size == 0) return 0;
  vw::Part& part = vw::parts[data[0] % std::size(vw::parts)];
  ++part.executions;
  part.run(vw::Bytes(reinterpret_cast<const char*>(data) + 1, size - 1));
  return 0;
}
