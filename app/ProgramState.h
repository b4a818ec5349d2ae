#pragma once
#include <cstdint>
#include <string>

#include "core/Random.h"
#include "core/Settings.h"
#include "verses/TopicTable.h"
#include "verses/VerseRecord.h"

namespace vw {

// Everything that lives for the whole process. The entry point (wWinMain) owns one and hands
// it down by reference, so each test can build a fresh program.
struct ProgramState {
  SettingsRecord Settings;
  TopicTable Topics;
  VerseRecord VerseBuffer;
  RandomGenerator Random;
};

}  // namespace vw
