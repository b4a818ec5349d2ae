#include "app/Startup.h"

#include <gtest/gtest.h>

#include "tests/support/MemorySettingsStore.h"

namespace vw {
namespace {

using test::MemorySettingsStore;

TEST(Startup, NormalisesTheCommandLine) {
  EXPECT_EQ(NormaliseCommandLine("  /S  "), "/s");
  EXPECT_EQ(NormaliseCommandLine("/P 1234"), "/p 1234");
  EXPECT_EQ(NormaliseCommandLine(""), "");
  EXPECT_EQ(NormaliseCommandLine("\t/c"), "\t/c") << "only spaces are trimmed";
}

TEST(Startup, ParsePreviewHandle) {
  EXPECT_EQ(ParsePreviewHandle("/p 1234"), 1234);
  EXPECT_EQ(ParsePreviewHandle("/p:1234"), 1234);
  EXPECT_EQ(ParsePreviewHandle("/p"), 0);
  EXPECT_EQ(ParsePreviewHandle(""), 0);
  EXPECT_EQ(ParsePreviewHandle("/p   66070  "), 66070);
  EXPECT_EQ(ParsePreviewHandle("/p -5"), -5);
  EXPECT_EQ(ParsePreviewHandle("/p 2147483647"), 2147483647);
  EXPECT_EQ(ParsePreviewHandle("/p 2147483648"), 0) << "a tail that does not fit is no number";
  EXPECT_EQ(ParsePreviewHandle("/p 99999999999999999999"), 0);
  EXPECT_EQ(ParsePreviewHandle("/p 12ab"), 0);
  EXPECT_EQ(ParsePreviewHandle("/p 12.5"), 12);
}

struct DispatchCase {
  const char* raw;
  StartMode mode;
};

TEST(Startup, DispatchesOnTheFirstTwoCharacters) {
  const DispatchCase cases[] = {
      {"", StartMode::FullScreen},        {"/s", StartMode::FullScreen},
      {"  /S  ", StartMode::FullScreen},  {"/sx", StartMode::FullScreen},
      {"/p 1234", StartMode::Preview},    {"/P:77", StartMode::Preview},
      {"/c", StartMode::Configure},       {"/c:1234", StartMode::Configure},
      {"/C", StartMode::Configure},       {"/a", StartMode::End},
      {"xyz", StartMode::End},            {"/", StartMode::End},
      {"/x", StartMode::End},
  };
  for (const auto& c : cases) {
    MemorySettingsStore store;
    auto d = DecideStartup(store, c.raw, false);
    EXPECT_EQ(d.mode, c.mode) << '"' << c.raw << '"';
    EXPECT_EQ(store.Get("Startup", "PrevInstance"), NormaliseCommandLine(c.raw));
    EXPECT_EQ(store.Get("Settings", "ChangeSec"), "15") << "defaults come first";
  }
  MemorySettingsStore store;
  EXPECT_EQ(DecideStartup(store, "/p 1234", false).previewParent, 1234);
}

struct GuardCase {
  const char* previous;  // nullptr: never stored
  const char* raw;
  bool proceeds;
};

TEST(Startup, SecondInstanceGuard) {
  const GuardCase cases[] = {
      {"/s", "/s", false},      {"/s", "", false},        {nullptr, "/s", false},
      {"", "/c", false},        {"/s", "/p 1234", true},  {"/s", "/c", false},
      {"/p 1234", "/s", true},  {"/p", "/s", true},       {"/c", "/s", true},
      {"/c", "/c", true},       {"/x", "/s", true},       {"/s ", "/s", true},
  };
  for (const auto& c : cases) {
    MemorySettingsStore store;
    if (c.previous) store.Set("Startup", "PrevInstance", c.previous);
    auto d = DecideStartup(store, c.raw, true);
    const std::string label = std::string(c.previous ? c.previous : "<none>") + " then " + c.raw;
    EXPECT_EQ(d.stoppedByGuard, !c.proceeds) << label;
    if (c.proceeds) {
      EXPECT_EQ(store.Get("Startup", "PrevInstance"), NormaliseCommandLine(c.raw)) << label;
    } else {
      EXPECT_EQ(d.mode, StartMode::End) << label;
      EXPECT_EQ(store.Get("Startup", "PrevInstance"), c.previous ? c.previous : "") << label;
    }
  }
}

TEST(Startup, NoOtherInstanceMeansNoGuard) {
  MemorySettingsStore store;
  store.Set("Startup", "PrevInstance", "/s");
  auto d = DecideStartup(store, "/s", false);
  EXPECT_EQ(d.mode, StartMode::FullScreen);
  EXPECT_FALSE(d.stoppedByGuard);
}

}  // namespace
}  // namespace vw
