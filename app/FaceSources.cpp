#include "app/FaceSources.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace vw {

FaceSet FacesForList(FaceSource printer, const FaceSource& screen,
                     std::chrono::milliseconds wait) {
  // Shared with the reading thread, which may outlive this call.
  struct Answer {
    std::mutex lock;
    std::condition_variable ready;
    std::optional<FaceSet> faces;
  };
  auto answer = std::make_shared<Answer>();
  std::thread([answer, printer = std::move(printer)] {
    FaceSet faces = printer();
    std::lock_guard<std::mutex> hold(answer->lock);
    answer->faces = std::move(faces);
    answer->ready.notify_all();
  }).detach();
  std::unique_lock<std::mutex> hold(answer->lock);
  answer->ready.wait_for(hold, wait, [&] { return answer->faces.has_value(); });
  if (answer->faces && !answer->faces->empty()) return *answer->faces;
  hold.unlock();
  // No printer, one without fonts of its own, or one that did not answer in time.
  return screen();
}

}  // namespace vw
