// Opening and reading arbitrary record files: no read may run past a record or the buffer.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/ProgramState.h"
#include "tests/fuzz/FuzzInput.h"
#include "verses/CTypeRFA.h"
#include "verses/VerseRotation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vw;
  static const std::string folder = "/tmp/vellumway-fuzz-" + std::to_string(getpid()) + "/";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "kjv.dat", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  VerseRecord buffer;
  CTypeRFA file(buffer);
  file.FileName(folder + "kjv.dat");
  std::int32_t length = kVerseRecordLength;
  file.OpenFile(length);
  const std::int32_t count = file.GetRecordCount();
  for (std::int32_t r : {-5, 0, 1, 2, count - 1, count, count + 1}) {
    file.FetchRecord(r);
    if (!file.NoMatch() && buffer.Text.empty()) fuzz::Broken("a record without text");
  }
  file.MoveFirst();
  for (int i = 0; i < 40 && !file.cEOF(); ++i) file.MoveNext();
  file.MovePrevious();
  // The rotation over the same file, all topics, a few deliveries.
  ProgramState program;
  BuildTopicTable(program.Topics);
  program.Settings.Display = size > 0 ? (data[0] & 63) : 63;
  program.Settings.LastSection = size > 1 ? (1 << (data[1] % 7)) : 1;
  program.Settings.LastVerse = size > 2 ? data[2] : 1;
  VerseRotation rotation(program.Settings, program.Topics, program.VerseBuffer);
  rotation.RestorePosition();
  rotation.BuildTopicLists();
  const bool opened = rotation.OpenVerseFile(folder);
  for (int i = 0; opened && i < 12; ++i) rotation.NextVerse();
  return 0;
}
