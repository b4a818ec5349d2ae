#include "app/Startup.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/MemorySettingsStore.h"

namespace vw {
namespace {

using test::MemorySettingsStore;

TEST(Startup, ReadsThePreviewHandle) {
  // An unsigned handle keeps its 32 bits; a tail outside them is no number.
  // clang-format off
  const std::pair<const char*, std::int32_t> handles[] = {
      {"/p 1234", 1234}, {"/p:1234", 1234}, {"/p", 0}, {"", 0}, {"/p   66070  ", 66070},
      {"/p -5", -5}, {"/p 2147483647", 2147483647}, {"/p 2147483648", INT32_MIN},
      {"/p 4294967295", -1}, {"/p 4294967296", 0}, {"/p -2147483649", 0},
      {"/p 99999999999999999999", 0}, {"/p 12ab", 0}, {"/p 12.5", 12}};
  // clang-format on
  for (const auto& [line, handle] : handles) EXPECT_EQ(ParsePreviewHandle(line), handle) << line;
}

TEST(Startup, DispatchesOnTheFirstTwoCharacters) {
  // Each command line with the "PrevInstance" it leaves: lower case, only spaces trimmed.
  using Lines = std::vector<std::pair<const char*, const char*>>;
  const std::pair<DisplayMode, Lines> cases[] = {
      {DisplayMode::FullScreen, {{"", ""}, {"/s", "/s"}, {"  /S  ", "/s"}, {"/sx", "/sx"}}},
      {DisplayMode::Preview, {{"/p 1234", "/p 1234"}, {"/P:77", "/p:77"}}},
      {DisplayMode::Configure, {{"/c", "/c"}, {"/c:1234", "/c:1234"}, {"/C", "/c"}}},
      {DisplayMode::End,
       {{"/a", "/a"}, {" XyZ", "xyz"}, {"/AZ", "/az"}, {"\t/c", "\t/c"}, {"/", "/"},
        {"/x", "/x"}}}};
  for (const auto& [mode, lines] : cases) {
    for (const auto& [raw, stored] : lines) {
      MemorySettingsStore store;
      EXPECT_EQ(DecideStartup(store, raw, false).mode, mode) << '"' << raw << '"';
      EXPECT_EQ(store.Get("Startup", "PrevInstance"), stored);
      EXPECT_EQ(store.Get("Settings", "ChangeSec"), "15") << "defaults come first";
    }
  }
  MemorySettingsStore store;
  EXPECT_EQ(DecideStartup(store, "/p 1234", false).previewParent, 1234);
}

TEST(Startup, SecondInstanceGuard) {
  // The "PrevInstance" stored (nullptr: none), the command line, whether another instance is
  // running, whether the start goes on.
  const struct { const char* previous; const char* raw; bool running, proceeds; } cases[] = {
      {"/s", "/s", true, false},     {"/s", "", true, false},       {nullptr, "/s", true, false},
      {"", "/c", true, false},       {"/s", "/p 1234", true, true}, {"/s", "/c", true, false},
      {"/p 1234", "/s", true, true}, {"/p", "/s", true, true},      {"/c", "/s", true, true},
      {"/c", "/c", true, true},      {"/x", "/s", true, true},      {"/s ", "/s", true, true},
      {"/s", "/s", false, true}};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    if (c.previous) store.Set("Startup", "PrevInstance", c.previous);
    SCOPED_TRACE(std::string(c.previous ? c.previous : "<none>") + " then " + c.raw +
                 (c.running ? " (running)" : ""));
    const StartupDecision d = DecideStartup(store, c.raw, c.running);
    EXPECT_EQ(d.stoppedByGuard, !c.proceeds);
    EXPECT_EQ(d.mode == DisplayMode::End, !c.proceeds);
    // A stopped start leaves the line of the run it found (the lines here are all normal).
    EXPECT_EQ(store.Get("Startup", "PrevInstance"), c.proceeds   ? c.raw
                                                    : c.previous ? c.previous
                                                                 : "");
  }
}

}  // namespace
}  // namespace vw
