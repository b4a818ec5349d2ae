// Commands about files held by another process: what a second program does to kjv.dat while
// the screen saver reads it.
#include <cstdio>

#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

// hold-file PATH deny-write|deny-all|range-lock [MS]: opens PATH and keeps it open for MS
// milliseconds (default ten minutes) or until killed.
//   deny-write  opened for reading and writing, shared for reading only: nobody else may write
//   deny-all    opened for reading, shared with nobody
//   range-lock  opened shared, with an exclusive byte-range lock over the whole file
int HoldFile(const Args& args) {
  if (args.size() < 2) return 2;
  const std::wstring& mode = args[1];
  DWORD access = GENERIC_READ, share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (mode == L"deny-write") {
    access = GENERIC_READ | GENERIC_WRITE;
    share = FILE_SHARE_READ;
  } else if (mode == L"deny-all") {
    share = 0;
  } else if (mode == L"range-lock") {
    access = GENERIC_READ | GENERIC_WRITE;
  } else {
    return 2;
  }
  HANDLE file = CreateFileW(args[0].c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("held=0\nerror=%lu\n", GetLastError());
    std::fflush(stdout);
    return 1;
  }
  bool locked = true;
  if (mode == L"range-lock") {
    OVERLAPPED whole{};
    locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                        MAXDWORD, &whole) != 0;
  }
  std::printf("held=1\nlocked=%d\n", locked ? 1 : 0);
  std::fflush(stdout);
  Sleep(args.size() > 2 ? static_cast<DWORD>(ToLong(args[2])) : 600000);
  CloseHandle(file);
  return 0;
}
VW_DRIVER_COMMAND(L"hold-file", L"PATH deny-write|deny-all|range-lock [MS]", HoldFile);

// read-file PATH: whether another process may open PATH for reading now (as the screen saver
// does), and how many bytes a read of the first record delivers.
int ReadFileCommand(const Args& args) {
  if (args.empty()) return 2;
  HANDLE file = CreateFileW(args[0].c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("opened=0\nerror=%lu\n", GetLastError());
    return 0;
  }
  char buffer[534];
  DWORD got = 0;
  const BOOL ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr);
  std::printf("opened=1\nread_ok=%d\nread_bytes=%lu\n", ok ? 1 : 0, got);
  CloseHandle(file);
  return 0;
}
VW_DRIVER_COMMAND(L"read-file", L"PATH", ReadFileCommand);

}  // namespace
}  // namespace vwtest
