#include "platform/win32/SettingsDialogWin32.h"

#include <commctrl.h>

#include <set>

#include "platform/win32/CaptionFit.h"
#include "platform/win32/WinText.h"
#include "res/resource.h"

namespace vw::win32 {

namespace {

constexpr const wchar_t* kPanelClass = L"VellumwaySwatchPanel";
constexpr const wchar_t* kSwatchClass = L"VellumwaySwatch";
constexpr const wchar_t* kTitle = L"Vellumway Screensaver";

constexpr int kClientWidthTwips = 6000;
constexpr int kClientHeightTwips = 6420;
constexpr COLORREF kDialogGrey = RGB(192, 192, 192);
constexpr COLORREF kSampleText = RGB(128, 255, 128);
constexpr COLORREF kSampleBack = RGB(0, 0, 0);
constexpr int kSamplePoints = 12;
constexpr int kUiFontPoints = 8;

constexpr std::array<COLORREF, kSwatchCount> kSwatchColors = {
    RGB(192, 192, 192), RGB(0, 192, 0),   RGB(192, 0, 0),
    RGB(0, 0, 192),     RGB(192, 192, 0), RGB(0, 192, 192),
};

constexpr ControlId kOnDialog = static_cast<ControlId>(0);

// One control: its container (a frame, or the dialog), kind, text, styles and place in
// twips relative to the container.
struct Layout {
  ControlId id;
  ControlId container;
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style;
  DWORD exStyle;
  int left, top, width, height;
};

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kFirstOption = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kNextOption = BS_AUTORADIOBUTTON | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;

// Child windows take the keyboard focus in the order they are created, so the controls that
// take the focus are listed in their tab order; frames, labels and the picture never take it.
const Layout kLayout[] = {
    {ControlId::Image1, kOnDialog, L"STATIC", L"", SS_ICON, 0, 120, 120, 480, 480},
    {ControlId::Frame2, kOnDialog, L"BUTTON", L"Font", BS_GROUPBOX, 0, 795, 150, 4215, 1635},
    {ControlId::Frame4, kOnDialog, L"BUTTON", L"Screen", BS_GROUPBOX, 0, 795, 1830, 4215, 675},
    {ControlId::Frame3, kOnDialog, L"BUTTON", L"Content", BS_GROUPBOX, 0, 795, 2610, 4215, 780},
    {ControlId::Frame5, kOnDialog, L"BUTTON", L"Text Colour", BS_GROUPBOX, 0, 795, 3510, 4215, 915},
    {ControlId::Frame1, kOnDialog, L"BUTTON", L"Verses To Display", BS_GROUPBOX, 0, 795, 4545, 4215,
     1845},
    {ControlId::Label2, ControlId::Frame2, L"STATIC", L"Font", kLabel, 0, 240, 300, 435, 195},
    {ControlId::lblFontSample, ControlId::Frame2, L"STATIC", L"Vellumway Screensaver",
     SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | WS_BORDER, 0, 240, 660, 3795, 435},
    {ControlId::Label4, ControlId::Frame2, L"STATIC", L"Font Size", SS_RIGHT | SS_NOPREFIX, 0, 1860,
     1260, 1395, 195},
    {ControlId::Label3, ControlId::Frame3, L"STATIC", L"Change Verse Every", kLabel, 0, 240, 375,
     1695, 195},
    {ControlId::Label6, ControlId::Frame3, L"STATIC", L"seconds", kLabel, 0, 2715, 375, 600, 195},

    // Tab 0 to 8.
    {ControlId::cmbFont, ControlId::Frame2, L"COMBOBOX", L"",
     CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0, 960, 240,
     3075, 315},
    {ControlId::chkBold, ControlId::Frame2, L"BUTTON", L"Bold", kCheck, 0, 240, 1260, 675, 195},
    {ControlId::chkItalic, ControlId::Frame2, L"BUTTON", L"Italic", kCheck, 0, 1080, 1260, 675,
     195},
    {ControlId::optScreen0, ControlId::Frame4, L"BUTTON", L"Black", kFirstOption, 0, 180, 300, 795,
     195},
    {ControlId::optScreen1, ControlId::Frame4, L"BUTTON", L"Transparent", kNextOption, 0, 1080, 300,
     1455, 195},
    {ControlId::chkDropShadow, ControlId::Frame4, L"BUTTON", L"Drop Shadow Text", kCheck, 0, 2460,
     300, 1695, 195},
    {ControlId::txtChangeSec, ControlId::Frame3, L"EDIT", L"15",
     ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 1960, 315, 555, 285},
    {ControlId::optColor0, ControlId::Frame5, L"BUTTON", L"Monochrome (Multi Shade)", kFirstOption,
     0, 240, 300, 2295, 195},
    {ControlId::optColor1, ControlId::Frame5, L"BUTTON", L"Random Colour", kNextOption, 0, 240, 540,
     2295, 195},
    // Tab 16 to 18; the swatches inside the panel follow it (19 to 24).
    {ControlId::Command1, kOnDialog, L"BUTTON", L"OK", kButton, 0, 5160, 150, 735, 315},
    {ControlId::Command2, kOnDialog, L"BUTTON", L"Cancel", kButton, 0, 5160, 540, 735, 315},
    {ControlId::picColorColl, ControlId::Frame5, kPanelClass, L"", WS_GROUP, WS_EX_CONTROLPARENT,
     2520, 240, 1545, 345},
    // Tab 28 to 34.
    {chkDisplay(0), ControlId::Frame1, L"BUTTON", L"All Verses In The Bible", kCheck, 0, 135, 285,
     3900, 195},
    {chkDisplay(1), ControlId::Frame1, L"BUTTON", L"The Ten Commandments", kCheck, 0, 135, 540,
     3900, 195},
    {chkDisplay(4), ControlId::Frame1, L"BUTTON", L"Versus About Salvation", kCheck, 0, 135, 1290,
     3900, 195},
    {ControlId::cboMaxFontSize, ControlId::Frame2, L"COMBOBOX", L"",
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0, 3330, 1200, 705, 315},
    {chkDisplay(2), ControlId::Frame1, L"BUTTON", L"The Story of Noah and the Ark", kCheck, 0, 135,
     795, 3900, 195},
    {chkDisplay(3), ControlId::Frame1, L"BUTTON", L"The Story of Samson", kCheck, 0, 135, 1050,
     3900, 195},
    {chkDisplay(5), ControlId::Frame1, L"BUTTON", L"Bible Prophecies", kCheck, 0, 135, 1545, 3900,
     195},
};

constexpr int kSwatchLeftTwips = 60;
constexpr int kSwatchStepTwips = 240;
constexpr int kSwatchTopTwips = 60;
constexpr int kSwatchSizeTwips = 195;
// How far the lists of the two combo boxes drop down.
constexpr int kFontListTwips = 3000;
constexpr int kSizeListTwips = 2700;

const Layout* FindLayout(ControlId id) {
  for (const Layout& l : kLayout)
    if (l.id == id) return &l;
  return nullptr;
}

SettingsWindow* WindowOf(HWND hwnd) {
  return reinterpret_cast<SettingsWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

std::wstring WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void NotifyClicked(HWND control) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
  // "@" faces are the vertical variants of East Asian fonts, not faces to choose.
  if (font->lfFaceName[0] != L'\0' && font->lfFaceName[0] != L'@') {
    reinterpret_cast<std::set<std::wstring>*>(param)->insert(font->lfFaceName);
  }
  return 1;
}

std::set<std::wstring> FacesOf(HDC dc) {
  std::set<std::wstring> faces;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(dc, &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

// A device context of the default printer, or nullptr when there is none.
HDC DefaultPrinterDC() {
  wchar_t device[512] = {};
  // "name,driver,port"; the name may not contain a comma.
  GetProfileStringW(L"windows", L"device", L"", device, 512);
  std::wstring name(device);
  name = name.substr(0, name.find(L','));
  if (name.empty()) return nullptr;
  return CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
}

}  // namespace

SettingsWindow::SettingsWindow(HINSTANCE instance, ISettingsStore& store)
    : instance_(instance), form_(*this, store) {
  swatchTwips_.fill(kSwatchSizeTwips);
}

SettingsWindow::~SettingsWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (uiFont_) DeleteObject(uiFont_);
  if (sampleFont_) DeleteObject(sampleFont_);
  if (greyBrush_) DeleteObject(greyBrush_);
  if (blackBrush_) DeleteObject(blackBrush_);
  if (monitorIcon_) DestroyIcon(monitorIcon_);
}

int SettingsWindow::Run() {
  if (!RegisterClasses() || !Create()) return 0;
  form_.Form_Load();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  ::SetFocus(Item(ControlId::cmbFont));

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
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi_ <= 0) dpi_ = 96;

  greyBrush_ = CreateSolidBrush(kDialogGrey);
  blackBrush_ = CreateSolidBrush(kSampleBack);
  // The controls were laid out for an 8-point dialog font; "MS Shell Dlg 2" is the
  // system's current one at that size.
  uiFont_ = CreateFontW(-MulDiv(kUiFontPoints, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  hwnd_ = CreateWindowExW(exStyle, kSettingsWindowClass, kTitle, style, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  CreateControls();
  return true;
}

void SettingsWindow::CreateControls() {
  for (const Layout& l : kLayout) {
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
    DWORD style = WS_CHILD | l.style;
    if (l.id != ControlId::chkDropShadow) style |= WS_VISIBLE;  // hidden until "Transparent"
    HWND control = CreateWindowExW(
        l.exStyle, l.windowClass, l.text, style, left, top, Px(l.width), height, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(l.id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_), FALSE);
    if (l.windowClass == std::wstring(L"COMBOBOX")) {
      // The closed box keeps the height of its place; the border takes 3 pixels each side.
      SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Px(l.height) - 6);
    }
  }

  monitorIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_VELLUMWAY),
                                               IMAGE_ICON, Px(480), Px(480), LR_DEFAULTCOLOR));
  SendMessageW(Item(ControlId::Image1), STM_SETICON, reinterpret_cast<WPARAM>(monitorIcon_), 0);

  HWND panel = Item(ControlId::picColorColl);
  for (int i = 0; i < kSwatchCount; ++i) {
    HWND swatch = CreateWindowExW(
        0, kSwatchClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP,
        Px(kSwatchLeftTwips + kSwatchStepTwips * i), Px(kSwatchTopTwips), Px(kSwatchSizeTwips),
        Px(swatchTwips_[i]), panel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(picColorSelect(i))), instance_, nullptr);
    SetWindowLongPtrW(swatch, GWLP_USERDATA, static_cast<LONG_PTR>(kSwatchColors[i]));
  }
  SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(greyBrush_));

  CheckRadioButton(hwnd_, static_cast<int>(ControlId::optScreen0),
                   static_cast<int>(ControlId::optScreen1),
                   static_cast<int>(ControlId::optScreen0));
  CheckRadioButton(hwnd_, static_cast<int>(ControlId::optColor0),
                   static_cast<int>(ControlId::optColor1), static_cast<int>(ControlId::optColor0));
  ApplySampleFont();
  // The places were made for one font at one scale; other fonts and scales need more room.
  FitCaptions(hwnd_);
}

HWND SettingsWindow::Item(ControlId id) const {
  const int swatch = IndexIn(id, ControlId::picColorSelect0, kSwatchCount);
  if (swatch >= 0)
    return GetDlgItem(GetDlgItem(hwnd_, static_cast<int>(ControlId::picColorColl)),
                      static_cast<int>(id));
  return GetDlgItem(hwnd_, static_cast<int>(id));
}

void SettingsWindow::ApplySampleFont() {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(kSamplePoints, dpi_, 72);
  lf.lfWeight = sampleBold_ ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = sampleItalic_ ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = Widen(sampleFace_);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
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
      SetBkColor(dc, kDialogGrey);
      return reinterpret_cast<LRESULT>(greyBrush_);
    }
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wp), kDialogGrey);
      return reinterpret_cast<LRESULT>(greyBrush_);
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wp), &client, greyBrush_);
      return 1;
    }
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
        form_.ControlClicked(static_cast<ControlId>(GetDlgCtrlID(focus)));
    }
    return;
  }
  if (id == static_cast<int>(ControlId::cmbFont)) {
    if (code != CBN_SELCHANGE) return;
    // The text field shows the chosen face only after this notification; the handler reads
    // the box's text, so put it there first.
    const int index = ListIndex(ControlId::cmbFont);
    if (index >= 0) SetWindowTextW(control, Widen(ListItem(ControlId::cmbFont, index)).c_str());
    form_.ControlClicked(ControlId::cmbFont);
    return;
  }
  if (code == BN_CLICKED) form_.ControlClicked(static_cast<ControlId>(id));
}

LRESULT CALLBACK SettingsWindow::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:  // the swatches' clicks belong to the dialog
      return SendMessageW(GetParent(hwnd), msg, wp, lp);
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wp), &client,
               reinterpret_cast<HBRUSH>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
      return 1;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT CALLBACK SettingsWindow::SwatchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      HBRUSH brush =
          CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      // A thin outline, so that the silver swatch can be told from the grey dialog.
      FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      if (GetFocus() == hwnd) {
        InflateRect(&client, -1, -1);
        DrawFocusRect(dc, &client);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      ::SetFocus(hwnd);
      NotifyClicked(hwnd);
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        NotifyClicked(hwnd);
        return 0;
      }
      break;
    case BM_CLICK:  // lets test drivers and accessibility tools press a swatch
      NotifyClicked(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// --- IDialogControls -----------------------------------------------------------------------

std::string SettingsWindow::Text(ControlId id) const {
  return Narrow(WindowText(Item(id)));
}

void SettingsWindow::SetText(ControlId id, const std::string& text) {
  SetWindowTextW(Item(id), Widen(text).c_str());
}

bool SettingsWindow::IsChecked(ControlId id) const {
  return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsWindow::SetChecked(ControlId id, bool checked) {
  SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SettingsWindow::SelectOption(ControlId id) {
  const bool screen = id == ControlId::optScreen0 || id == ControlId::optScreen1;
  const ControlId first = screen ? ControlId::optScreen0 : ControlId::optColor0;
  const ControlId last = screen ? ControlId::optScreen1 : ControlId::optColor1;
  CheckRadioButton(hwnd_, static_cast<int>(first), static_cast<int>(last), static_cast<int>(id));
}

void SettingsWindow::ClearList(ControlId id) {
  SendMessageW(Item(id), CB_RESETCONTENT, 0, 0);
}

void SettingsWindow::AddListItem(ControlId id, const std::string& item) {
  const std::wstring wide = Widen(item);
  SendMessageW(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int SettingsWindow::ListCount(ControlId id) const {
  return static_cast<int>(SendMessageW(Item(id), CB_GETCOUNT, 0, 0));
}

std::string SettingsWindow::ListItem(ControlId id, int index) const {
  HWND box = Item(id);
  const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return Narrow(text);
}

int SettingsWindow::ListIndex(ControlId id) const {
  const LRESULT index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void SettingsWindow::SetListIndex(ControlId id, int index) {
  SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool SettingsWindow::IsVisible(ControlId id) const {
  // The control's own state, which holds before the dialog is first shown.
  return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void SettingsWindow::SetVisible(ControlId id, bool visible) {
  ShowWindow(Item(id), visible ? SW_SHOWNA : SW_HIDE);
}

int SettingsWindow::HeightTwips(ControlId id) const {
  const int swatch = IndexIn(id, ControlId::picColorSelect0, kSwatchCount);
  if (swatch >= 0) return swatchTwips_[swatch];
  RECT r{};
  GetWindowRect(Item(id), &r);
  return MulDiv(r.bottom - r.top, 1440, dpi_);
}

void SettingsWindow::SetHeightTwips(ControlId id, int twips) {
  // Kept in twips: the pixel height alone could not tell 195 from 194 at every DPI.
  const int swatch = IndexIn(id, ControlId::picColorSelect0, kSwatchCount);
  if (swatch < 0) return;
  swatchTwips_[swatch] = twips;
  SetWindowPos(Item(id), nullptr, 0, 0, Px(kSwatchSizeTwips), Px(twips),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The panel shows through where a swatch got shorter.
  InvalidateRect(Item(ControlId::picColorColl), nullptr, TRUE);
}

void SettingsWindow::SetFocus(ControlId id) {
  ::SetFocus(Item(id));
}

void SettingsWindow::SetSampleFace(const std::string& face) {
  sampleFace_ = face;
  ApplySampleFont();
}

void SettingsWindow::SetSampleBold(bool bold) {
  sampleBold_ = bold;
  ApplySampleFont();
}

void SettingsWindow::SetSampleItalic(bool italic) {
  sampleItalic_ = italic;
  ApplySampleFont();
}

std::vector<std::string> SettingsWindow::FontFaces() {
  std::set<std::wstring> faces;
  if (HDC printer = DefaultPrinterDC()) {
    faces = FacesOf(printer);
    DeleteDC(printer);
  }
  if (faces.empty()) {
    // No printer (or one without fonts of its own): the faces the screen can show.
    HDC screen = GetDC(nullptr);
    faces = FacesOf(screen);
    ReleaseDC(nullptr, screen);
  }
  std::vector<std::string> out;
  out.reserve(faces.size());
  for (const std::wstring& face : faces) out.push_back(Narrow(face));
  return out;
}

void SettingsWindow::ShowWarning(const std::string& text, const std::string& title) {
  MessageBoxW(hwnd_, Widen(text).c_str(), Widen(title).c_str(), MB_ICONEXCLAMATION | MB_OK);
}

void SettingsWindow::CloseDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace vw::win32
