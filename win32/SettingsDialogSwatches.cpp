// The colour swatches and the panel that holds them: custom controls that draw their own
// colour and report clicks as buttons do.
#include "win32/SettingsDialogLayout.h"
#include "win32/SettingsDialogWin32.h"

namespace vw::win32 {

namespace {

void NotifyClicked(HWND control) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

}  // namespace

LRESULT CALLBACK SettingsWindow::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:  // the swatches' clicks belong to the dialog
      return SendMessageW(GetParent(hwnd), msg, wp, lp);
    case WM_ERASEBKGND: {
      // The dialog's own background, whichever colours it takes.
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wp), &client,
               reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, wp,
                                                     reinterpret_cast<LPARAM>(hwnd))));
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

}  // namespace vw::win32
