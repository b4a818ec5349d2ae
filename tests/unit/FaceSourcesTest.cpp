#include "app/FaceSources.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace vw {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(FaceSources, PrinterFirstScreenWhenItHasNoneOrDoesNotAnswer) {
  // A printer that does not answer while the dialog waits: released only after the checks.
  // The printers are copied into the reading thread, which may outlive the call.
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  const FaceSet printerFaces{"Courier New", "Line Printer"}, screenFaces{"Arial", "Tahoma"};
  struct Case {
    const char* name;
    FaceSource printer;
    const FaceSet& expected;
  } cases[] = {
      {"answers", [=] { return printerFaces; }, printerFaces},
      {"has no faces", [] { return FaceSet{}; }, screenFaces},
      {"answers just in time", [=] { std::this_thread::sleep_for(100ms); return printerFaces; },
       printerFaces},
      {"blocks", [=] { released.wait_for(10s); return printerFaces; }, screenFaces},
  };
  for (const Case& c : cases) {
    const auto start = Clock::now();
    EXPECT_EQ(FacesForList(c.printer, [&] { return screenFaces; }, 400ms), c.expected) << c.name;
    // The dialog opens at most a little after the deadline, whatever the printer does.
    EXPECT_LT(Clock::now() - start, 900ms) << c.name;
  }
  release.set_value();
}

}  // namespace
}  // namespace vw
