// Commands about the running program as a process: memory and GDI objects.
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

// GetGuiResources answers 0 under Wine, so the GDI objects of a process are also counted in
// the handle table that both Windows and Wine map into every process (PEB
// GdiSharedHandleTable): 24-byte entries whose type is non-zero while in use.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;  // low 16 bits: owning process id (as Windows and Wine store it)
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

using QueryInformationProcess = LONG(NTAPI*)(HANDLE, int, PVOID, ULONG, PULONG);

long CountGdiObjects(HANDLE process, DWORD pid) {
  struct BasicInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinity, basePriority, uniqueProcessId, parentProcessId;
  } info{};
  auto query = reinterpret_cast<QueryInformationProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (!query || query(process, 0, &info, sizeof(info), nullptr) != 0) return -1;
  void* table = nullptr;
  SIZE_T got = 0;
  const auto* peb = static_cast<const char*>(info.pebBaseAddress);
  if (!ReadProcessMemory(process, peb + 0xF8, &table, sizeof(table), &got) || !table) return -1;
  constexpr std::size_t kEntries = 16384;
  std::vector<GdiHandleEntry> entries(kEntries);
  if (!ReadProcessMemory(process, table, entries.data(), kEntries * sizeof(GdiHandleEntry), &got))
    return -1;
  // Windows shares one table among all processes and records each entry's owner; Wine gives
  // every process a table of its own and leaves the owner 0. Stock objects are not counted.
  const std::size_t n = got / sizeof(GdiHandleEntry);
  bool owners = false;
  for (std::size_t i = 0; i < n && !owners; ++i) owners = entries[i].type && entries[i].owner;
  long count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const GdiHandleEntry& e = entries[i];
    if (e.type == 0 || (e.unique & 0x80)) continue;
    if (!owners || (e.owner & 0xFFFF) == (pid & 0xFFFF)) ++count;
  }
  return count;
}

void PrintProcessStats(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof(counters));
  std::printf("working_set_kb=%llu\n",
              static_cast<unsigned long long>(counters.WorkingSetSize / 1024));
  std::printf("peak_working_set_kb=%llu\n",
              static_cast<unsigned long long>(counters.PeakWorkingSetSize / 1024));
  std::printf("gdi_objects=%lu\n", GetGuiResources(process, GR_GDIOBJECTS));
  std::printf("gdi_table_objects=%ld\n", CountGdiObjects(process, GetProcessId(process)));
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

}  // namespace
}  // namespace vwtest
