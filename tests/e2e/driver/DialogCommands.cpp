// Commands that operate the settings dialog of another process, and its message boxes, the
// way a user would: read what the controls show, click, type, choose from lists.
#include <cstdio>
#include <string>
#include <vector>

#include "core/ControlIds.h"
#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

constexpr const wchar_t* kMessageBoxClass = L"#32770";
constexpr int kMessageBoxTextId = 0xFFFF;  // the static that holds a message box's text

HWND FindDialog(DWORD waitMs) {
  return WaitForTopLevel(vw::kSettingsWindowClass, waitMs);
}

// The dialog, or a "found=0" line and nullptr.
HWND DialogOrReport(DWORD waitMs = 5000) {
  HWND dialog = FindDialog(waitMs);
  if (!dialog) {
    std::printf("found=0\n");
    std::fflush(stdout);
  }
  return dialog;
}

struct FindChild {
  int id;
  HWND found;
};
BOOL CALLBACK FindChildProc(HWND hwnd, LPARAM param) {
  auto* find = reinterpret_cast<FindChild*>(param);
  if (GetDlgCtrlID(hwnd) == find->id) {
    find->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
// A control at any depth (the swatches sit inside their panel).
HWND Control(HWND dialog, int id) {
  FindChild find{id, nullptr};
  EnumChildWindows(dialog, FindChildProc, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

bool IsComboBox(HWND hwnd) {
  return _wcsicmp(ClassOf(hwnd).c_str(), L"ComboBox") == 0;
}
bool IsButton(HWND hwnd) {
  return _wcsicmp(ClassOf(hwnd).c_str(), L"Button") == 0;
}

std::wstring ListText(HWND combo, LRESULT index) {
  LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// The control that has the focus in the dialog: a combo box's edit field counts as the box.
int FocusId(HWND dialog) {
  HWND focus = FocusOf(dialog);
  if (!focus) return 0;
  HWND parent = GetParent(focus);
  if (parent && parent != dialog && IsComboBox(parent)) focus = parent;
  return GetDlgCtrlID(focus);
}

// Describes one control: "ID.key=value" lines. Places are in pixels of the dialog's client
// area; "visible" is the control's own state.
void PrintControl(HWND dialog, HWND control) {
  const int id = GetDlgCtrlID(control);
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  std::printf("%d.class=%s\n", id, Utf8(ClassOf(control)).c_str());
  std::printf("%d.place=%ld,%ld,%ld,%ld\n", id, r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::printf("%d.visible=%d\n", id, (style & WS_VISIBLE) ? 1 : 0);
  std::printf("%d.text=%s\n", id, Utf8(TextOf(control)).c_str());
  if (IsButton(control)) {
    const LONG kind = style & BS_TYPEMASK;
    if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX || kind == BS_AUTORADIOBUTTON ||
        kind == BS_RADIOBUTTON) {
      std::printf("%d.checked=%d\n", id,
                  SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    }
  }
  if (IsComboBox(control)) {
    const LRESULT selected = SendMessageW(control, CB_GETCURSEL, 0, 0);
    std::printf("%d.count=%ld\n", id, static_cast<long>(SendMessageW(control, CB_GETCOUNT, 0, 0)));
    std::printf("%d.selected=%ld\n", id, static_cast<long>(selected));
    std::printf("%d.selected_text=%s\n", id, Utf8(ListText(control, selected)).c_str());
    std::printf("%d.dropped=%d\n", id, SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) ? 1 : 0);
  }
}

// dialog-info [WAIT_MS]: the dialog window, its DPI and the control that has the focus.
int DialogInfo(const Args& args) {
  HWND dialog = DialogOrReport(args.empty() ? 5000 : ToLong(args[0]));
  if (!dialog) return 1;
  std::printf("found=1\n");
  PrintWindowInfo("", dialog);
  HDC screen = GetDC(nullptr);
  std::printf("dpi=%d\n", GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  std::printf("sysmenu=%d\n", (style & WS_SYSMENU) ? 1 : 0);
  std::printf("sizable=%d\n", (style & WS_THICKFRAME) ? 1 : 0);
  std::printf("minimizebox=%d\n", (style & WS_MINIMIZEBOX) ? 1 : 0);
  std::printf("maximizebox=%d\n", (style & WS_MAXIMIZEBOX) ? 1 : 0);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  std::printf("client_origin=%ld,%ld\n", origin.x, origin.y);
  std::printf("focus=%d\n", FocusId(dialog));
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"dialog-info", L"[WAIT_MS]", DialogInfo);

// dialog-get ID...: describes the controls (all of them when no id is given).
BOOL CALLBACK CollectProc(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}
int DialogGet(const Args& args) {
  HWND dialog = DialogOrReport();
  if (!dialog) return 1;
  std::vector<HWND> controls;
  if (args.empty()) {
    EnumChildWindows(dialog, CollectProc, reinterpret_cast<LPARAM>(&controls));
  } else {
    for (const auto& id : args) controls.push_back(Control(dialog, static_cast<int>(ToLong(id))));
  }
  for (HWND control : controls) {
    // A combo box's own edit and list windows are part of the box.
    if (!control || (GetParent(control) != dialog && IsComboBox(GetParent(control)))) continue;
    PrintControl(dialog, control);
  }
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"dialog-get", L"[ID...]", DialogGet);

// Sends a message and returns once the dialog has handled it, or after two seconds when its
// handler opened a message box (which the test then reads).
void Handled(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, 2000, &result);
}
// Posted keys go through the dialog's own message loop (where the dialog manager sees Tab,
// Enter and Esc), which tells nobody when it is done: a short pump.
void Settle() {
  PumpFor(300);
}

// dialog-click ID: presses a button, box, option or swatch (BM_CLICK, posted so that a message
// box it opens does not block the driver).
int DialogClick(const Args& args) {
  if (args.empty()) return 2;
  HWND dialog = DialogOrReport();
  if (!dialog) return 1;
  HWND control = Control(dialog, static_cast<int>(ToLong(args[0])));
  std::printf("control_found=%d\n", control ? 1 : 0);
  if (!control) return 1;
  Handled(control, BM_CLICK, 0, 0);
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"dialog-click", L"ID", DialogClick);

// dialog-set-text ID TEXT: replaces a text field's text, as typing would.
int DialogSetText(const Args& args) {
  if (args.size() < 2) return 2;
  HWND dialog = DialogOrReport();
  if (!dialog) return 1;
  HWND control = Control(dialog, static_cast<int>(ToLong(args[0])));
  std::printf("control_found=%d\n", control ? 1 : 0);
  if (!control) return 1;
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()));
  std::printf("text=%s\n", Utf8(TextOf(control)).c_str());
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"dialog-set-text", L"ID TEXT", DialogSetText);

// dialog-select ID TEXT|#N: chooses the entry TEXT (or the N-th) from a combo box's list, as a
// click in the list does: the selection, then the notification its parent acts on.
int DialogSelect(const Args& args) {
  if (args.size() < 2) return 2;
  HWND dialog = DialogOrReport();
  if (!dialog) return 1;
  const int id = static_cast<int>(ToLong(args[0]));
  HWND combo = Control(dialog, id);
  if (!combo) {
    std::printf("control_found=0\n");
    return 1;
  }
  LRESULT index = CB_ERR;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && index == CB_ERR; ++i)
    if (ListText(combo, i) == args[1] || L"#" + std::to_wstring(i) == args[1]) index = i;
  std::printf("index=%ld\n", static_cast<long>(index));
  if (index == CB_ERR) return 1;
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  Handled(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
          reinterpret_cast<LPARAM>(combo));
  std::printf("text=%s\n", Utf8(TextOf(combo)).c_str());
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"dialog-select", L"ID TEXT", DialogSelect);

// dialog-key VK: a key press and release at the control that has the focus, through the
// dialog's message queue (where the dialog manager sees Tab, Enter and Esc).
int DialogKey(const Args& args) {
  if (args.empty()) return 2;
  HWND dialog = DialogOrReport();
  if (!dialog) return 1;
  HWND focus = FocusOf(dialog);
  if (!focus) focus = dialog;
  const WPARAM key = static_cast<WPARAM>(ToLong(args[0]));
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(focus, WM_KEYDOWN, key, 1 | (scan << 16));
  if (key == VK_RETURN) PostMessageW(focus, WM_CHAR, L'\r', 1 | (scan << 16));
  if (key == VK_ESCAPE) PostMessageW(focus, WM_CHAR, 0x1B, 1 | (scan << 16));
  PostMessageW(focus, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
  Settle();
  std::printf("focus=%d\n", FocusId(dialog));
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"dialog-key", L"VK", DialogKey);

// dialog-close: the title bar's close box.
int DialogClose(const Args&) {
  HWND dialog = DialogOrReport();
  if (!dialog) return 1;
  Handled(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  std::printf("closed=1\n");
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"dialog-close", L"", DialogClose);

// A message box owned by the settings dialog's process.
HWND FindMessageBox(DWORD waitMs) {
  DWORD start = GetTickCount();
  do {
    HWND dialog = FindDialog(0);
    DWORD owner = 0;
    if (dialog) GetWindowThreadProcessId(dialog, &owner);
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, kMessageBoxClass, nullptr)) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(box, &pid);
      if (IsWindowVisible(box) && (owner == 0 || pid == owner)) return box;
    }
    PumpFor(50);
  } while (GetTickCount() - start < waitMs);
  return nullptr;
}

BOOL CALLBACK IconProc(HWND hwnd, LPARAM param) {
  if (IsWindowVisible(hwnd) && (GetWindowLongW(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      _wcsicmp(ClassOf(hwnd).c_str(), L"Static") == 0) {
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// msgbox [WAIT_MS]: the message box that is open: its title, text, icon and buttons.
int MsgBox(const Args& args) {
  HWND box = FindMessageBox(args.empty() ? 3000 : ToLong(args[0]));
  std::printf("found=%d\n", box ? 1 : 0);
  if (!box) {
    std::fflush(stdout);
    return 1;
  }
  std::printf("title=%s\n", Utf8(TextOf(box)).c_str());
  HWND text = GetDlgItem(box, kMessageBoxTextId);
  std::printf("text=%s\n", Utf8(text ? TextOf(text) : L"").c_str());
  HWND icon = nullptr;
  EnumChildWindows(box, IconProc, reinterpret_cast<LPARAM>(&icon));
  std::printf("icon=%d\n", icon ? 1 : 0);
  std::string buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsButton(child) || !IsWindowVisible(child)) continue;
    if (!buttons.empty()) buttons += ',';
    buttons += Utf8(TextOf(child));
  }
  std::printf("buttons=%s\n", buttons.c_str());
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"msgbox", L"[WAIT_MS]", MsgBox);

// msgbox-ok: presses the open message box's "OK" and waits until it is gone.
int MsgBoxOk(const Args&) {
  HWND box = FindMessageBox(3000);
  if (!box) {
    std::printf("found=0\n");
    return 1;
  }
  HWND ok = GetDlgItem(box, IDOK);
  if (ok) {
    PostMessageW(ok, BM_CLICK, 0, 0);
  } else {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  DWORD start = GetTickCount();
  while (IsWindow(box) && GetTickCount() - start < 3000) PumpFor(50);
  // Answered once the handler that opened the box has returned (and set the focus).
  if (HWND dialog = FindDialog(0)) Handled(dialog, WM_NULL, 0, 0);
  std::printf("found=1\ngone=%d\n", IsWindow(box) ? 0 : 1);
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"msgbox-ok", L"", MsgBoxOk);

}  // namespace
}  // namespace vwtest
