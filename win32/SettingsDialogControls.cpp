// The dialog's controls as frmSettings sees them (IDialogControls).
#include <algorithm>
#include <iterator>
#include <set>

#include "app/FaceSources.h"
#include "win32/SettingsDialogLayout.h"
#include "win32/SettingsDialogWin32.h"
#include "win32/WinText.h"

namespace vw::win32 {

namespace {

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

void SettingsWindow::SetText(ControlId id, const std::string& text) {
  SetWindowTextW(Item(id), Widen(text).c_str());
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

void SettingsWindow::SetList(ControlId id, const std::vector<std::string>& items) {
  HWND box = Item(id);
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring wide = Widen(item);
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

void SettingsWindow::SetListIndex(ControlId id, int index) {
  SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void SettingsWindow::SetVisible(ControlId id, bool visible) {
  ShowWindow(Item(id), visible ? SW_SHOWNA : SW_HIDE);
}

void SettingsWindow::ShowSwatchMarked(ControlId id, bool marked) {
  const int swatch = IndexIn(id, ControlId::picColorSelect0, kSwatchCount);
  if (swatch < 0) return;
  const int twips = marked ? kSwatchSizeTwips : kSwatchBarTwips;
  SetWindowPos(Item(id), nullptr, 0, 0, Px(kSwatchSizeTwips), Px(twips),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A screen reader tells the marked one by its name, not by its height.
  SetWindowTextW(Item(id), (std::wstring(kSwatchNames[swatch]) + (marked ? kMarkedSuffix : L""))
                               .c_str());
  // The panel shows through where a swatch got shorter.
  InvalidateRect(Item(ControlId::picColorColl), nullptr, TRUE);
}

void SettingsWindow::SetFocus(ControlId id) {
  ::SetFocus(Item(id));
}

void SettingsWindow::SetSampleFace(const std::string& face) {
  LOGFONTW look = SampleLook();
  std::fill(std::begin(look.lfFaceName), std::end(look.lfFaceName), L'\0');
  Widen(face).copy(look.lfFaceName, LF_FACESIZE - 1);
  ApplySampleFont(look);
}

void SettingsWindow::SetSampleBold(bool bold) {
  LOGFONTW look = SampleLook();
  look.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  ApplySampleFont(look);
}

void SettingsWindow::SetSampleItalic(bool italic) {
  LOGFONTW look = SampleLook();
  look.lfItalic = italic ? TRUE : FALSE;
  ApplySampleFont(look);
}

std::vector<std::string> SettingsWindow::FontFaces() {
  auto narrowed = [](const std::set<std::wstring>& faces) {
    FaceSet out;
    for (const std::wstring& face : faces) out.insert(Narrow(face));
    return out;
  };
  // Known to a worker that may outlive the dialog: whether the printer has answered yet.
  printerPending_ = std::make_shared<std::atomic<bool>>(true);
  FaceSource printer = system_.printer;
  if (!printer) {
    printer = [narrowed] {
      std::set<std::wstring> faces;
      if (HDC dc = DefaultPrinterDC()) {
        faces = FacesOf(dc);
        DeleteDC(dc);
      }
      return narrowed(faces);
    };
  }
  const FaceSet faces = FacesForList(
      [printer = std::move(printer), pending = printerPending_] {
        FaceSet faces = printer();
        *pending = false;
        return faces;
      },
      [narrowed] {
        HDC screen = GetDC(nullptr);
        const std::set<std::wstring> faces = FacesOf(screen);
        ReleaseDC(nullptr, screen);
        return narrowed(faces);
      });
  return {faces.begin(), faces.end()};
}

void SettingsWindow::ShowWarning(const std::string& text, const std::string& title) {
  MessageBoxW(hwnd_, Widen(text).c_str(), Widen(title).c_str(), MB_ICONEXCLAMATION | MB_OK);
}

void SettingsWindow::CloseDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace vw::win32
