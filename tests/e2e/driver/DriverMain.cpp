#include <cstdio>
#include <map>

#include "win32/WinText.h"
#include "tests/e2e/driver/Driver.h"

namespace vwtest {

namespace {
struct Entry {
  std::wstring usage;
  CommandFn fn;
};
std::map<std::wstring, Entry>& Registry() {
  static std::map<std::wstring, Entry> commands;
  return commands;
}
}  // namespace

CommandRegistration::CommandRegistration(const wchar_t* name, const wchar_t* usage, CommandFn fn) {
  Registry()[name] = {usage, fn};
}

std::string Utf8(const std::wstring& text) {
  return vw::win32::Narrow(text);
}

long ToLong(const std::wstring& text) {
  return std::wcstol(text.c_str(), nullptr, 10);
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(copied);
  return text;
}

HWND WaitForTopLevel(const std::wstring& className, DWORD ms) {
  DWORD start = GetTickCount();
  do {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, className.c_str(), nullptr)) != nullptr) {
      if (IsWindowVisible(found)) return found;
    }
    PumpFor(50);
  } while (GetTickCount() - start < ms);
  return nullptr;
}

void PrintWindowInfo(const char* prefix, HWND hwnd) {
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  std::printf("%shwnd=%ld\n", prefix, static_cast<long>(HandleToLong(hwnd)));
  std::printf("%sclass=%s\n", prefix, Utf8(ClassOf(hwnd)).c_str());
  std::printf("%srect=%ld,%ld,%ld,%ld\n", prefix, window.left, window.top, window.right,
              window.bottom);
  std::printf("%sclient=%ld,%ld\n", prefix, client.right, client.bottom);
  std::printf("%stopmost=%d\n", prefix, (exStyle & WS_EX_TOPMOST) ? 1 : 0);
  std::printf("%schild=%d\n", prefix, (style & WS_CHILD) ? 1 : 0);
  std::printf("%spopup=%d\n", prefix, (style & WS_POPUP) ? 1 : 0);
  std::printf("%scaption=%d\n", prefix, (style & WS_CAPTION) == WS_CAPTION ? 1 : 0);
  std::printf("%sparent=%ld\n", prefix, static_cast<long>(HandleToLong(GetParent(hwnd))));
  std::printf("%stitle=%s\n", prefix, Utf8(TextOf(hwnd)).c_str());
  std::fflush(stdout);
}

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

namespace {
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(reinterpret_cast<HDC>(wp), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

HWND MakePreviewHost(const wchar_t* title, long width, long height, int x, int y) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VwPreviewHost";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);  // a second registration fails harmlessly
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND host = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x,
                              y, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ShowWindow(host, SW_SHOW);
  return host;
}

bool Launch(const std::wstring& program, const std::wstring& arguments, PROCESS_INFORMATION& pi) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi) != 0;
}

}  // namespace vwtest

int wmain(int argc, wchar_t** argv) {
  auto& commands = vwtest::Registry();
  if (argc < 2 || commands.find(argv[1]) == commands.end()) {
    std::fprintf(stderr, "usage: vwdriver COMMAND ARGS...\n");
    for (const auto& [name, entry] : commands)
      std::fprintf(stderr, "  %s %s\n", vwtest::Utf8(name).c_str(),
                   vwtest::Utf8(entry.usage).c_str());
    return 2;
  }
  vwtest::Args args(argv + 2, argv + argc);
  return commands[argv[1]].fn(args);
}
