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

}  // namespace
}  // namespace vwtest
