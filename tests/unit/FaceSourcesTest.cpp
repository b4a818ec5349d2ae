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
  // What the printer does, the faces listed, the wait (0: the dialog's own, one second).
  struct Case { const char* name; FaceSource printer; const FaceSet& expected;
                std::chrono::milliseconds wait = 400ms; } cases[] = {
      {"answers", [=] { return printerFaces; }, printerFaces},
      {"has no faces", [] { return FaceSet{}; }, screenFaces},
      {"answers just in time", [=] { std::this_thread::sleep_for(100ms); return printerFaces; },
       printerFaces},
      {"blocks", [=] { released.wait_for(10s); return printerFaces; }, screenFaces},
      {"answers within the dialog's second",
       [=] { std::this_thread::sleep_for(300ms); return printerFaces; }, printerFaces, 0ms},
      {"blocks past the dialog's second", [=] { released.wait_for(10s); return printerFaces; },
       screenFaces, 0ms},
  };
  for (const Case& c : cases) {
    const auto start = Clock::now();
    const FaceSource screen = [&] { return screenFaces; };
    EXPECT_EQ(c.wait > 0ms ? FacesForList(c.printer, screen, c.wait)
                           : FacesForList(c.printer, screen), c.expected) << c.name;
    // The dialog opens at most a little after the deadline, whatever the printer does.
    EXPECT_LT(Clock::now() - start, (c.wait > 0ms ? c.wait : 1000ms) + 500ms) << c.name;
  }
  release.set_value();
}

}  // namespace
}  // namespace vw
