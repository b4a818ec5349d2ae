#pragma once
#include <cstdint>
#include <fstream>
#include <string>

#include "verses/VerseRecord.h"

namespace vw {

// False for "", for a folder, and for any path that cannot be opened for reading.
bool FileExists(const std::string& path);

// A file of fixed-length records numbered from 1, read and written one record at a time
// through the VerseRecord it was given (the program's VerseBuffer). Opening only reads:
// the file is shared with other readers (a preview and a full-screen run read kjv.dat at
// the same time) and is opened for writing only when Update needs it.
class CTypeRFA {
 public:
  explicit CTypeRFA(VerseRecord& buffer) : buffer_(buffer) {}
  ~CTypeRFA() { CloseTable(); }
  CTypeRFA(const CTypeRFA&) = delete;
  CTypeRFA& operator=(const CTypeRFA&) = delete;

  // Creates the file empty when it is missing, opens it and counts its records from the
  // file length. Does not fetch.
  void OpenFile(std::int32_t& recordLength);
  void FileName(const std::string& sFile) { fileName_ = sFile; }
  const std::string& FileName() const { return fileName_; }

  // Reads record lRecord into the buffer. Any failure (out of range, short or unreadable
  // record) leaves the buffer and CurrentRecord as they were and only sets NoMatch.
  void FetchRecord(std::int32_t& lRecord);
  void MoveNext();
  void MovePrevious();
  void MoveFirst();
  void MoveLast();
  bool cEOF() const { return currentRecord_ > recordCount_; }
  bool NoMatch() const { return !found_; }

  void AddNew();
  void Edit() { isNewRecord_ = false; }
  // Writes the buffer as the current record, or appends it after AddNew.
  void Update();

  void CloseTable();
  // Creates the file empty when it is missing; a file that exists is left as it is.
  void CreateWhenMissing();

  std::int32_t GetRecordCount() const { return recordCount_; }
  std::int32_t GetCurrentRecord() const { return currentRecord_; }
  std::int32_t GetRecordLength() const { return recordLength_; }

  // Positioned reads issued so far and the bytes they delivered; kept for measuring.
  std::int64_t ReadCount() const { return readCount_; }
  std::int64_t BytesRead() const { return bytesRead_; }

 private:
  bool OpenStream(bool forWriting);

  VerseRecord& buffer_;
  std::string fileName_;
  std::int32_t currentRecord_ = 0;
  std::int32_t recordCount_ = 0;
  std::int32_t recordLength_ = 0;
  bool found_ = false;
  bool isNewRecord_ = false;

  std::fstream file_;
  bool writable_ = false;
  std::int64_t readCount_ = 0;
  std::int64_t bytesRead_ = 0;
};

}  // namespace vw
