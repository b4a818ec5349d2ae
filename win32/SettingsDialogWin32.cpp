#include "win32/SettingsDialogWin32.h"

#include <commctrl.h>

#include <utility>

#include "win32/CaptionFit.h"
#include "win32/SettingsDialogLayout.h"
#include "win32/WinText.h"
#include "res/resource.h"

namespace vw::win32 {

namespace {

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

SettingsWindow* WindowOf(HWND hwnd) {
  return reinterpret_cast<SettingsWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

bool HighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

SettingsWindow::SettingsWindow(HINSTANCE instance, ISettingsStore& store, DialogSystem system)
    : instance_(instance), system_(std::move(system)), form_(*this, store) {}

SettingsWindow::~SettingsWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (uiFont_) DeleteObject(uiFont_);
  if (sampleFont_) DeleteObject(sampleFont_);
  if (greyBrush_) DeleteObject(greyBrush_);
  if (blackBrush_) DeleteObject(blackBrush_);
  if (monitorIcon_) DestroyIcon(monitorIcon_);
}

bool SettingsWindow::Open() {
  if (!RegisterClasses() || !Create()) return false;
  form_.Form_Load();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  ::SetFocus(Item(ControlId::cmbFont));
  return true;
}

int SettingsWindow::Run() {
  if (!Open()) return 0;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab, Shift+Tab and the arrow keys move the focus as in any dialog.
    if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

bool SettingsWindow::RegisterClasses() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);

  wc.lpfnWndProc = DialogProc;
  wc.lpszClassName = kSettingsWindowClass;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELLUMWAY));
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  wc.hIcon = nullptr;
  wc.lpfnWndProc = PanelProc;
  wc.lpszClassName = kPanelClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  wc.lpfnWndProc = SwatchProc;
  wc.lpszClassName = kSwatchClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  return true;
}

bool SettingsWindow::Create() {
  dpi_ = ScreenDpi();
  highContrast_ = system_.highContrast();

  greyBrush_ = CreateSolidBrush(kDialogGrey);
  blackBrush_ = CreateSolidBrush(kSampleBack);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  hwnd_ = CreateWindowExW(exStyle, kSettingsWindowClass, kTitle, style, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  // A window gets no WM_DPICHANGED when it is made: on a monitor of another scale than the
  // system's (or after a new scale without a sign-out) it takes that scale now.
  if (const int own = WindowDpi(hwnd_, system_.dpi); own != dpi_) {
    dpi_ = own;
    frame = FrameForClient({0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)}, style, exStyle,
                           dpi_, system_.dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateControls();
  return true;
}

void SettingsWindow::CreateControls() {
  for (const Layout& l : ControlLayout()) {
    DWORD style = WS_CHILD | l.style;
    if (l.id != ControlId::chkDropShadow) style |= WS_VISIBLE;  // hidden until "Transparent"
    CreateWindowExW(l.exStyle, l.windowClass, l.text, style, 0, 0, 0, 0, hwnd_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(l.id)), instance_, nullptr);
  }
  HWND panel = Item(ControlId::picColorColl);
  for (int i = 0; i < kSwatchCount; ++i) {
    // Full squares until one is marked.
    HWND swatch = CreateWindowExW(
        0, kSwatchClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0, 0, 0,
        Px(kSwatchSizeTwips), panel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(picColorSelect(i))), instance_, nullptr);
    SetWindowLongPtrW(swatch, GWLP_USERDATA, static_cast<LONG_PTR>(kSwatchColors[i]));
    SetWindowTextW(swatch, kSwatchNames[i]);
  }

  CheckRadioButton(hwnd_, static_cast<int>(ControlId::optScreen0),
                   static_cast<int>(ControlId::optScreen1),
                   static_cast<int>(ControlId::optScreen0));
  CheckRadioButton(hwnd_, static_cast<int>(ControlId::optColor0),
                   static_cast<int>(ControlId::optColor1), static_cast<int>(ControlId::optColor0));
  LayOut(dpi_);
}

void SettingsWindow::LayOut(int fromDpi) {
  // The controls were laid out for an 8-point dialog font; "MS Shell Dlg 2" is the
  // system's current one at that size.
  HFONT uiFont = CreateFontW(-MulDiv(kUiFontPoints, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
  for (const Layout& l : ControlLayout()) {
    int left = Px(l.left), top = Px(l.top);
    if (l.container != kOnDialog) {
      // Frames are drawn around their controls rather than holding them, so that every
      // notification reaches the dialog; places stay relative to the frame.
      const Layout* frame = FindLayout(l.container);
      left += Px(frame->left);
      top += Px(frame->top);
    }
    int height = Px(l.height);
    if (l.id == ControlId::cmbFont) height += Px(kFontListTwips);
    if (l.id == ControlId::cboMaxFontSize) height += Px(kSizeListTwips);
    HWND control = Item(l.id);
    SetWindowPos(control, nullptr, left, top, Px(l.width), height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), TRUE);
    if (l.windowClass == std::wstring(L"COMBOBOX")) {
      // The closed box keeps the height of its place; the border takes 3 pixels each side.
      SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Px(l.height) - 6);
    }
  }
  if (uiFont_) DeleteObject(uiFont_);  // no control uses it any more
  uiFont_ = uiFont;
  for (int i = 0; i < kSwatchCount; ++i) {
    // A swatch taller than a bar at the old scale is the marked one.
    HWND swatch = Item(picColorSelect(i));
    RECT r{};
    GetClientRect(swatch, &r);
    const bool marked = r.bottom > MulDiv(kSwatchBarTwips, fromDpi, 1440);
    SetWindowPos(swatch, nullptr, Px(kSwatchLeftTwips + kSwatchStepTwips * i), Px(kSwatchTopTwips),
                 Px(kSwatchSizeTwips), Px(marked ? kSwatchSizeTwips : kSwatchBarTwips),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The icon's own image of the size nearest this scale, not one stretched from another.
  HICON icon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_VELLUMWAY),
                                             IMAGE_ICON, Px(480), Px(480), LR_DEFAULTCOLOR));
  SendMessageW(Item(ControlId::Image1), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (monitorIcon_) DestroyIcon(monitorIcon_);
  monitorIcon_ = icon;
  ApplySampleFont(SampleLook());
  // The places were made for one font at one scale; other fonts and scales need more room.
  FitCaptions(hwnd_, dpi_);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

COLORREF SettingsWindow::FaceColour() const {
  return highContrast_ ? GetSysColor(COLOR_BTNFACE) : kDialogGrey;
}

HBRUSH SettingsWindow::FaceBrush() const {
  return highContrast_ ? GetSysColorBrush(COLOR_BTNFACE) : greyBrush_;
}

HWND SettingsWindow::Item(ControlId id) const {
  const int swatch = IndexIn(id, ControlId::picColorSelect0, kSwatchCount);
  if (swatch >= 0)
    return GetDlgItem(GetDlgItem(hwnd_, static_cast<int>(ControlId::picColorColl)),
                      static_cast<int>(id));
  return GetDlgItem(hwnd_, static_cast<int>(id));
}

LOGFONTW SettingsWindow::SampleLook() const {
  LOGFONTW look{};
  if (sampleFont_ && GetObjectW(sampleFont_, sizeof(look), &look) == sizeof(look)) return look;
  // The sample as the dialog is created.
  look.lfWeight = FW_NORMAL;
  look.lfCharSet = DEFAULT_CHARSET;
  look.lfQuality = DEFAULT_QUALITY;
  std::wstring(L"MS Sans Serif").copy(look.lfFaceName, LF_FACESIZE - 1);
  return look;
}

void SettingsWindow::ApplySampleFont(LOGFONTW look) {
  look.lfHeight = -MulDiv(kSamplePoints, dpi_, 72);
  look.lfWidth = 0;
  HFONT font = CreateFontIndirectW(&look);
  SendMessageW(Item(ControlId::lblFontSample), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (sampleFont_) DeleteObject(sampleFont_);
  sampleFont_ = font;
}

// --- window procedures ----------------------------------------------------------------------

LRESULT CALLBACK SettingsWindow::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<SettingsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  SettingsWindow* self = WindowOf(hwnd);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Handle(hwnd, msg, wp, lp);
}

LRESULT SettingsWindow::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      if (reinterpret_cast<HWND>(lp) == Item(ControlId::lblFontSample)) {
        SetTextColor(dc, kSampleText);
        SetBkColor(dc, kSampleBack);
        return reinterpret_cast<LRESULT>(blackBrush_);
      }
      if (highContrast_) SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, FaceColour());
      return reinterpret_cast<LRESULT>(FaceBrush());
    }
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wp), FaceColour());
      return reinterpret_cast<LRESULT>(FaceBrush());
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wp), &client, FaceBrush());
      return 1;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // High contrast turned on or off, or its colours changed, while the dialog is open.
      highContrast_ = system_.highContrast();
      RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
      break;
    case WM_ACTIVATE:
      // A plain window would take the focus itself when reactivated (after a message box);
      // give it back to the control that had it.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) savedFocus_ = focus;
        return 0;
      }
      if (savedFocus_ && IsWindow(savedFocus_)) {
        ::SetFocus(savedFocus_);
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the suggested rectangle, then everything
      // laid out again at the new scale.
      const int fromDpi = dpi_;
      dpi_ = HIWORD(wp);
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut(fromDpi);
      return 0;
    }
    case WM_CLOSE:
      // The close box stores nothing, as "Cancel".
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      // Nothing after this reaches the object.
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void SettingsWindow::OnCommand(int id, int code, HWND control) {
  if (!control) {
    // The dialog manager's Enter (IDOK) and Esc (IDCANCEL): neither button is the default or
    // the cancel button, so Enter only presses a push button that has the focus.
    if (id == IDOK) {
      HWND focus = GetFocus();
      if (focus == Item(ControlId::Command1) || focus == Item(ControlId::Command2))
        form_.Clicked(static_cast<ControlId>(GetDlgCtrlID(focus)));
    }
    return;
  }
  const ControlId which = static_cast<ControlId>(id);
  switch (code) {
    case CBN_SELCHANGE: {
      // The box's text field shows the entry only after this notification: take the entry.
      const LRESULT index = SendMessageW(control, CB_GETCURSEL, 0, 0);
      if (index == CB_ERR) return;
      std::wstring item(static_cast<std::size_t>(SendMessageW(control, CB_GETLBTEXTLEN, index, 0)) + 1,
                        L'\0');
      item.resize(static_cast<std::size_t>(
          SendMessageW(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()))));
      form_.Chosen(which, Narrow(item));
      return;
    }
    case CBN_EDITCHANGE:
    case EN_CHANGE:
      form_.Typed(which, Narrow(WindowText(control)));
      return;
    case BN_CLICKED:
      if ((GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        form_.Checked(which, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
      } else {
        form_.Clicked(which);
      }
      return;
    default:
      return;
  }
}

}  // namespace vw::win32
