// Line breaking and placement of the longest verse, as every frame of the growth does them.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/LongestVerse.h"
#include "display/TextLayout.h"
#include "tests/support/RecordingSurface.h"

namespace {

using vw::test::RecordingSurface;

void BM_WrapAndPlaceLongestVerse(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = width * 9 / 16;
  const std::string text = vw::bench::kLongestVerse;
  const std::string reference = vw::bench::kLongestReference;
  RecordingSurface measure;  // the target size, for line breaking
  measure.SetFontSize(45);
  RecordingSurface frame;  // the current size, for placement
  frame.SetFontSize(45);
  std::size_t lines = 0;
  for (auto _ : state) {
    const std::vector<std::string> wrapped = vw::WrapText(measure, text, width);
    const vw::BlockPlacement block = vw::PlaceLines(frame, wrapped, width, height);
    const vw::TextPlacement ref = vw::PlaceReference(frame, reference, width, block.nextY);
    benchmark::DoNotOptimize(ref);
    lines = wrapped.size();
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["measured"] = benchmark::Counter(static_cast<double>(measure.measureCount),
                                                  benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WrapAndPlaceLongestVerse)->Arg(3840)->Arg(1920)->Unit(benchmark::kMicrosecond);

}  // namespace
