#pragma once
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "verses/VerseRecord.h"

namespace vw::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vellumway-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // As the program holds paths: UTF-8, with '/' separators.
  std::string File(const std::string& name) const { return (path_ / name).generic_string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Record r of a synthetic verse file: book 1 + r / 1000, chapter r % 1000, verse r, and
// the text "Record r", so every delivery tells which record it came from.
inline std::string NumberedRecord(std::int32_t r) {
  return EncodeVerseRecord(static_cast<std::int16_t>(1 + r / 1000),
                           static_cast<std::int16_t>(r % 1000), static_cast<std::int16_t>(r),
                           "Record " + std::to_string(r));
}

// Records 1 to `count`, as a whole file holds them.
inline std::string NumberedRecords(std::int32_t count) {
  std::string bytes;
  for (std::int32_t r = 1; r <= count; ++r) bytes += NumberedRecord(r);
  return bytes;
}

}  // namespace vw::test
