// Commands about the running program as a process: memory and GDI objects.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

void PrintProcessStats(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof(counters));
  std::printf("working_set_kb=%llu\n",
              static_cast<unsigned long long>(counters.WorkingSetSize / 1024));
  std::printf("peak_working_set_kb=%llu\n",
              static_cast<unsigned long long>(counters.PeakWorkingSetSize / 1024));
  std::printf("private_kb=%llu\n", static_cast<unsigned long long>(counters.PrivateUsage / 1024));
  std::printf("gdi_objects=%lu\n", GetGuiResources(process, GR_GDIOBJECTS));
  std::printf("user_objects=%lu\n", GetGuiResources(process, GR_USEROBJECTS));
  std::fflush(stdout);
}

// window-stats CLASS: memory and GDI figures of the process that owns the window.
int WindowStats(const Args& args) {
  if (args.empty()) return 2;
  HWND hwnd = WaitForTopLevel(args[0], 5000);
  if (!hwnd) {
    std::printf("found=0\n");
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  std::printf("found=1\npid=%lu\n", pid);
  PrintProcessStats(process);
  CloseHandle(process);
  return 0;
}
VW_DRIVER_COMMAND(L"window-stats", L"CLASS", WindowStats);

// self-stats [N]: creates and frees N GDI objects, then reports this process (a check that the
// GDI count of this Wine is meaningful).
int SelfStats(const Args& args) {
  const long n = args.empty() ? 0 : ToLong(args[0]);
  std::vector<HGDIOBJ> objects;
  for (long i = 0; i < n; ++i) objects.push_back(CreateSolidBrush(RGB(i, 0, 0)));
  PrintProcessStats(GetCurrentProcess());
  for (HGDIOBJ o : objects) DeleteObject(o);
  return 0;
}
VW_DRIVER_COMMAND(L"self-stats", L"[N]", SelfStats);

}  // namespace
}  // namespace vwtest
