// Command lines of every shape: the start-up decision and the preview handle.
#include "app/Startup.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/MemorySettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vw;
  auto fields = fuzz::Fields(data, size, 2);
  test::MemorySettingsStore store;
  if (fields.size() > 1) store.Set("Startup", "PrevInstance", fields[1]);
  const StartupDecision d = DecideStartup(store, fields[0], size > 0 && (data[0] & 1));
  const std::string normalised = NormaliseCommandLine(fields[0]);
  if (d.commandLine != normalised) fuzz::Broken("command line not normalised");
  if (d.mode == StartMode::Preview && d.previewParent != ParsePreviewHandle(normalised))
    fuzz::Broken("preview parent differs");
  if (!d.stoppedByGuard && store.Get("Startup", "PrevInstance") != normalised)
    fuzz::Broken("PrevInstance not written");
  if (d.stoppedByGuard && d.mode != StartMode::End) fuzz::Broken("guard let a run through");
  return 0;
}
