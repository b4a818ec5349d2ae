// A full rotation pass over the real kjv.dat: every record, then every topic list, back to
// record 1, as a screen saver with all topics enabled would show them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/ProgramState.h"
#include "verses/VerseRotation.h"

namespace {

void BM_FullRotationPass(benchmark::State& state) {
  const std::filesystem::path kjv(VELLUMWAY_KJV_DAT);
  if (!std::filesystem::exists(kjv)) {
    state.SkipWithError("kjv.dat not built");
    return;
  }
  vw::ProgramState program;
  vw::BuildTopicTable(program.Topics);
  program.Settings.Display = 63;
  vw::VerseRotation rotation(program.Settings, program.Topics, program.VerseBuffer);
  rotation.BuildTopicLists();
  if (!rotation.OpenVerseFile(kjv.parent_path().generic_string() + "/")) {
    state.SkipWithError("kjv.dat cannot be opened");
    return;
  }

  // Record 1 is on show; each pass then runs records 2..31102, the 405 topic verses and
  // record 1 again.
  program.Settings.LastSection = vw::kAllVerses;
  program.Settings.LastVerse = 1;
  rotation.NextVerse();

  std::int64_t deliveries = 0;
  const auto readsBefore = rotation.VerseFile().ReadCount();
  const auto bytesBefore = rotation.VerseFile().BytesRead();
  for (auto _ : state) {
    do {
      const vw::Verse verse = rotation.NextVerse();
      ++deliveries;
      benchmark::DoNotOptimize(verse.Text.data());
    } while (!(program.Settings.LastSection == vw::kAllVerses && rotation.GetCurrentRecord() == 1));
  }
  const auto reads = rotation.VerseFile().ReadCount() - readsBefore;
  const auto bytes = rotation.VerseFile().BytesRead() - bytesBefore;
  state.counters["deliveries_per_s"] =
      benchmark::Counter(static_cast<double>(deliveries), benchmark::Counter::kIsRate);
  state.counters["reads_per_delivery"] =
      static_cast<double>(reads) / static_cast<double>(deliveries);
  state.counters["bytes_per_delivery"] =
      static_cast<double>(bytes) / static_cast<double>(deliveries);
  state.counters["deliveries_per_pass"] =
      static_cast<double>(deliveries) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FullRotationPass)->Unit(benchmark::kMillisecond);

}  // namespace
