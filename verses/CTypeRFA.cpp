#include "verses/CTypeRFA.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "core/Conversions.h"
#include "verses/Windows1252.h"

namespace vw {
namespace {

namespace fs = std::filesystem;

// The path from UTF-8, so that a folder with non-ASCII characters opens the right file on
// Windows too (a narrow path would go through the ANSI code page there).
fs::path PathFromUtf8(const std::string& utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

using RecordBytes = std::array<char, kVerseRecordLength>;

}  // namespace

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  const fs::path p = PathFromUtf8(path);
  std::error_code ec;
  if (fs::is_directory(p, ec)) return false;
  std::ifstream probe(p, std::ios::in | std::ios::binary);
  return probe.is_open();
}

bool CTypeRFA::OpenStream(bool forWriting) {
  file_.close();
  file_.clear();
  // Unbuffered: each fetch is one seek and one read of the record, nothing more.
  file_.rdbuf()->pubsetbuf(nullptr, 0);
  auto mode = std::ios::in | std::ios::binary;
  if (forWriting) mode |= std::ios::out;
  file_.open(PathFromUtf8(fileName_), mode);
  writable_ = forWriting && file_.is_open();
  return file_.is_open();
}

void CTypeRFA::OpenFile(std::int32_t& recordLength) {
  recordLength_ = recordLength;
  CreateWhenMissing();
  OpenStream(false);
  currentRecord_ = 1;

  std::error_code ec;
  const auto length = file_.is_open() ? fs::file_size(PathFromUtf8(fileName_), ec) : 0;
  recordCount_ = 0;
  if (!ec && recordLength_ > 0) {
    // A trailing partial record counts when it is more than half a record; exactly half
    // counts only when that makes the count even.
    auto rounded = RoundHalfEven(static_cast<double>(length) / recordLength_);
    if (rounded && *rounded <= INT32_MAX) recordCount_ = static_cast<std::int32_t>(*rounded);
  }
}

void CTypeRFA::FetchRecord(std::int32_t& lRecord) {
  isNewRecord_ = false;
  found_ = false;
  if (lRecord > recordCount_) return;
  if (lRecord < 1 || !file_.is_open() || recordLength_ < kVerseRecordLength) return;

  const auto offset = static_cast<std::streamoff>(lRecord - 1) * recordLength_;
  RecordBytes bytes;
  file_.clear();
  file_.seekg(offset);
  ++readCount_;
  file_.read(bytes.data(), bytes.size());
  const auto got = file_.gcount();
  bytesRead_ += got;
  if (!file_ || got != static_cast<std::streamsize>(bytes.size())) {
    file_.clear();
    return;  // a short last record is no record
  }

  const VerseRecordFields fields = DecodeVerseRecord(std::string_view(bytes.data(), bytes.size()));
  buffer_.Book = fields.Book;
  buffer_.Chapter = fields.Chapter;
  buffer_.Verse = fields.Verse;
  buffer_.Text = Windows1252ToUtf8(fields.TextBytes);
  currentRecord_ = lRecord;
  found_ = true;
}

void CTypeRFA::MoveNext() {
  ++currentRecord_;
  FetchRecord(currentRecord_);
}

void CTypeRFA::MovePrevious() {
  const std::int32_t old = currentRecord_;
  currentRecord_ = old - 1;
  if (old == 1) {
    found_ = false;
    currentRecord_ = 1;
    return;
  }
  FetchRecord(currentRecord_);
}

void CTypeRFA::MoveFirst() {
  currentRecord_ = 1;
  FetchRecord(currentRecord_);
}

void CTypeRFA::MoveLast() {
  currentRecord_ = recordCount_;
  FetchRecord(currentRecord_);
}

void CTypeRFA::AddNew() {
  isNewRecord_ = true;
  currentRecord_ = recordCount_ + 1;
}

void CTypeRFA::Update() {
  if (!file_.is_open()) return;
  if (isNewRecord_) {
    ++recordCount_;
    currentRecord_ = recordCount_;
  }
  if (currentRecord_ < 1 || recordLength_ < kVerseRecordLength) return;
  if (!writable_ && !OpenStream(true)) {
    OpenStream(false);  // cannot write here: stay readable
    return;
  }

  const std::string bytes = EncodeVerseRecord(buffer_.Book, buffer_.Chapter, buffer_.Verse,
                                              Utf8ToWindows1252(buffer_.Text));

  file_.clear();
  file_.seekp(static_cast<std::streamoff>(currentRecord_ - 1) * recordLength_);
  file_.write(bytes.data(), bytes.size());
  file_.flush();
  file_.clear();
}

void CTypeRFA::CloseTable() {
  if (file_.is_open()) file_.close();
  file_.clear();
  writable_ = false;
}

void CTypeRFA::CreateWhenMissing() {
  if (FileExists(fileName_)) return;
  // A file that exists but cannot be read is left alone rather than emptied.
  std::error_code ec;
  if (fileName_.empty() || fs::exists(PathFromUtf8(fileName_), ec) || ec) return;
  std::ofstream created(PathFromUtf8(fileName_), std::ios::out | std::ios::binary);
}

}  // namespace vw
