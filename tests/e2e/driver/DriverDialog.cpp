// The settings dialog from outside, as a user and a screen reader meet it: its controls by
// their names (core/ControlIds.h), clicks, typing, keys, a change of scale, its message box.
#include "tests/e2e/driver/Driver.h"

namespace vwdriver {
namespace {

const char* NameOf(int id) {
  for (const vw::ControlName& c : vw::kControlNames)
    if (static_cast<int>(c.id) == id) return c.name;
  return id ? "unknown" : "none";
}
int IdOf(const std::wstring& name) {
  for (const vw::ControlName& c : vw::kControlNames)
    if (Narrow(name) == c.name) return static_cast<int>(c.id);
  return 0;
}
// The control named (the swatches sit in their panel).
HWND Control(const std::wstring& name) {
  HWND dialog = Dialog(), c = GetDlgItem(dialog, IdOf(name));
  return c ? c : GetDlgItem(GetDlgItem(dialog, static_cast<int>(vw::ControlId::picColorColl)),
                            IdOf(name));
}
// The window that has the focus in the dialog's thread.
HWND FocusWindow(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}
// The name of the control that has the focus: a combo box's edit field counts as the box.
const char* FocusOf(HWND dialog) {
  HWND focus = IsWindow(dialog) ? FocusWindow(dialog) : nullptr;
  if (focus && GetParent(focus) != dialog && IsClass(GetParent(focus), L"ComboBox"))
    focus = GetParent(focus);
  return NameOf(focus ? GetDlgCtrlID(focus) : 0);
}

// The name a screen reader gives a control that takes the focus ("Providing the Name
// Property"): a box to type or choose in takes the static text before it in z-order, the
// search stopping at a control that starts a tab group; any other control, its own text.
std::wstring ReaderName(HWND c) {
  if (!IsClass(c, L"Edit") && !IsClass(c, L"ComboBox")) return TextOf(c);
  for (HWND p = GetWindow(c, GW_HWNDPREV); p; p = GetWindow(p, GW_HWNDPREV)) {
    if (IsClass(p, L"Static")) return TextOf(p);
    if ((GetWindowLongW(p, GWL_STYLE) & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) break;
  }
  return L"";
}
struct DialogFont {
  HWND hwnd;
  HDC dc;  // with the dialog's font
  LONG box;
};
BOOL CALLBACK PrintControl(HWND c, LPARAM dialogParam) {
  const DialogFont& dialog = *reinterpret_cast<DialogFont*>(dialogParam);
  if (GetParent(c) != dialog.hwnd && IsClass(GetParent(c), L"ComboBox")) return TRUE;  // its parts
  const char* n = NameOf(GetDlgCtrlID(c));
  RECT r{};
  GetWindowRect(c, &r);
  MapWindowPoints(nullptr, dialog.hwnd, reinterpret_cast<POINT*>(&r), 2);
  const std::wstring text = TextOf(c);
  const LONG style = GetWindowLongW(c, GWL_STYLE), type = style & BS_TYPEMASK;
  std::printf("%s.class=%s\n%s.place=%ld,%ld,%ld,%ld\n%s.visible=%d\n%s.text=%s\n", n,
              Narrow(ClassOf(c)).c_str(), n, r.left, r.top, r.right - r.left, r.bottom - r.top, n,
              !!(style & WS_VISIBLE), n, Narrow(text).c_str());
  const bool boxed =
      IsClass(c, L"Button") && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
  const bool label =
      IsClass(c, L"Static") && !(style & WS_BORDER) && (style & SS_TYPEMASK) <= SS_RIGHT;
  if (boxed) std::printf("%s.checked=%d\n", n, SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED);
  if (style & WS_TABSTOP) std::printf("%s.name=%s\n", n, Narrow(ReaderName(c)).c_str());
  if ((boxed || label) && !text.empty() && IsWindowVisible(c)) {
    SIZE need{};
    GetTextExtentPoint32W(dialog.dc, text.c_str(), static_cast<int>(text.size()), &need);
    GetClientRect(c, &r);
    std::printf("%s.fits=%d\n", n, need.cx <= r.right - (boxed ? dialog.box : 0));
  }
  if (IsClass(c, L"ComboBox")) {
    const LRESULT count = SendMessageW(c, CB_GETCOUNT, 0, 0), at = SendMessageW(c, CB_GETCURSEL, 0, 0);
    std::string all, selected;
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t item[256] = {};
      if (SendMessageW(c, CB_GETLBTEXTLEN, i, 0) < 256)
        SendMessageW(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      all += (i ? "|" : "") + Narrow(item);
      if (i == at) selected = Narrow(item);
    }
    std::printf("%s.count=%ld\n%s.items=%s\n%s.selected_text=%s\n", n, static_cast<long>(count),
                n, all.c_str(), n, selected.c_str());
  }
  return TRUE;
}

}  // namespace

// controls [DPI]: every control of the settings dialog, "NAME.key=value" lines (places in
// pixels of the dialog's client area; a list's entries in order, "|" between them; "name" for
// a control that takes the focus). For a visible caption of a label, check box or option
// button, "fits": whether the width it needs is at most the width the control gives it, less
// the box (12 pixels at 96 DPI plus one) and half a digit, as Wine draws it, in the dialog's
// font made again here at DPI (Wine will not select another process's font handle).
int Controls(const Args& a) {
  DialogFont dialog{Dialog(), CreateCompatibleDC(nullptr), 0};
  const int dpi = a.empty() ? GetDeviceCaps(dialog.dc, LOGPIXELSX) : Num(a[0]);
  SelectObject(dialog.dc,
               CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           CLEARTYPE_QUALITY, 0, L"MS Shell Dlg 2"));
  INT digit = 0;
  GetCharWidth32W(dialog.dc, L'0', L'0', &digit);
  dialog.box = 12 * dpi / 96 + 1 + digit / 2;
  Out("found", !!dialog.hwnd);
  Out("focus", FocusOf(dialog.hwnd));
  EnumChildWindows(dialog.hwnd, PrintControl, reinterpret_cast<LPARAM>(&dialog));
  return 0;
}

// click NAME: presses a button, box, option or swatch (BM_CLICK).
int Click(const Args& a) { return Handled(Control(a[0]), BM_CLICK, 0, 0), 0; }
// close: the dialog's close box.
int Close(const Args&) { return Handled(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0), 0; }
// set NAME TEXT: a text field's new text, as typed; in a list, the entry TEXT chosen, as
// a click in the list does: the selection, then the notification the dialog acts on.
int Set(const Args& a) {
  HWND c = Control(a[0]);
  if (!IsClass(c, L"ComboBox")) return Handled(c, WM_SETTEXT, 0, LPARAM(a[1].c_str())), 0;
  SendMessageW(c, CB_SETCURSEL, SendMessageW(c, CB_FINDSTRINGEXACT, -1, LPARAM(a[1].c_str())), 0);
  Handled(GetParent(c), WM_COMMAND, MAKEWPARAM(IdOf(a[0]), CBN_SELCHANGE), LPARAM(c));
  return 0;
}
// key VK [N]: N times a key press and release at the focused control, through the dialog's
// message queue (where the dialog manager sees Tab, Enter and Esc); after each, the focus.
// That queue tells nobody when it is done: a short pump.
int Key(const Args& a) {
  HWND dialog = Dialog();
  const WPARAM key = Num(a[0]);
  const LPARAM scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC) << 16;
  for (long i = a.size() > 1 ? Num(a[1]) : 1; i > 0 && dialog; --i) {
    HWND focus = FocusWindow(dialog);
    if (!focus) focus = dialog;
    PostMessageW(focus, WM_KEYDOWN, key, 1 | scan);
    if (key == VK_RETURN || key == VK_ESCAPE) PostMessageW(focus, WM_CHAR, key, 1 | scan);
    PostMessageW(focus, WM_KEYUP, key, 1 | scan | 0xC0000000);
    PumpFor(300);
    Out("focus", FocusOf(dialog));
  }
  return 0;
}

// dpi-changed OLD NEW: what Windows sends the dialog when it moves to a monitor of scale NEW:
// WM_DPICHANGED with the suggested rectangle, moved by (16, 12) and the client area scaled by
// NEW / OLD (Wine sends none). The rectangle sits at the same address in both processes, so
// the dialog reads it whether or not Wine copies it across. Prints the window's rectangle
// before, the suggested one, and, once handled, the window's rectangle and client origin, all
// in screen coordinates.
int DpiChanged(const Args& a) {
  HWND dialog = Dialog();
  const int from = Num(a[0]), to = Num(a[1]);
  RECT outer{}, client{};
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &client);
  const RECT suggested{outer.left + 16, outer.top + 12,
                       outer.right + 16 + MulDiv(client.right, to, from) - client.right,
                       outer.bottom + 12 + MulDiv(client.bottom, to, from) - client.bottom};
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, ProcessOf(dialog));
  void* there = VirtualAllocEx(process, nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  void* here = VirtualAlloc(there, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!there || here != there ||
      !WriteProcessMemory(process, there, &suggested, sizeof(suggested), nullptr))
    return Out("sent", 0), 1;
  *static_cast<RECT*>(here) = suggested;
  Handled(dialog, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(there));
  RECT now{};
  GetWindowRect(dialog, &now);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  for (const auto& [name, r] : {std::pair{"before", outer}, {"suggested", suggested}, {"rect", now}})
    std::printf("%s=%ld,%ld,%ld,%ld\n", name, r.left, r.top, r.right, r.bottom);
  std::printf("origin=%ld,%ld\n", origin.x, origin.y);
  return CloseHandle(process), 0;
}

// msgbox: the message box of the dialog's process: title, text, icon and buttons; then its
// "OK", and whether it went.
int MsgBox(const Args&) {
  HWND dialog = Dialog(), box = nullptr;
  PumpUntil(5000, [&] {
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr)
      if (IsWindowVisible(box) && GetWindow(box, GW_OWNER) == dialog) return true;
    return false;
  });
  if (!box) return Out("found", 0), 1;
  std::string buttons, icon = "0";
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    if (IsClass(c, L"Button")) buttons += (buttons.empty() ? "" : ",") + Narrow(TextOf(c));
    if (IsClass(c, L"Static") && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      icon = "1";
  }
  std::printf("found=1\ntitle=%s\ntext=%s\nicon=%s\nbuttons=%s\n", Narrow(TextOf(box)).c_str(),
              Narrow(TextOf(GetDlgItem(box, 0xFFFF))).c_str(), icon.c_str(), buttons.c_str());
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  PumpUntil(3000, [&] { return !IsWindow(box); });
  Handled(dialog, WM_NULL, 0, 0);  // the handler that opened the box has returned
  Out("gone", !IsWindow(box));
  return 0;
}

}  // namespace vwdriver
