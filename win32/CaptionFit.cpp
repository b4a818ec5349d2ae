#include "win32/CaptionFit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vw::win32 {
namespace {

struct Child {
  HWND hwnd;
  RECT rect;  // in the dialog's client coordinates
};

LONG StyleOf(HWND hwnd) {
  return GetWindowLongW(hwnd, GWL_STYLE);
}

bool IsClass(HWND hwnd, const wchar_t* name) {
  wchar_t found[32] = {};
  GetClassNameW(hwnd, found, 32);
  return _wcsicmp(found, name) == 0;
}

bool IsGroupBox(HWND hwnd) {
  return IsClass(hwnd, L"Button") && (StyleOf(hwnd) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool HasBox(HWND hwnd) {
  if (!IsClass(hwnd, L"Button")) return false;
  switch (StyleOf(hwnd) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return true;
    default:
      return false;
  }
}

// Plain text labels and boxed buttons; not frames, push buttons, icons or bordered panels.
bool IsCaptioned(HWND hwnd) {
  if (HasBox(hwnd)) return true;
  const LONG style = StyleOf(hwnd);
  const LONG type = style & SS_TYPEMASK;
  return IsClass(hwnd, L"Static") && (type == SS_LEFT || type == SS_RIGHT) && !(style & WS_BORDER);
}

bool RowsOverlap(const RECT& a, const RECT& b) {
  return a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

void Place(Child& c) {
  SetWindowPos(c.hwnd, nullptr, c.rect.left, c.rect.top, c.rect.right - c.rect.left,
               c.rect.bottom - c.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int CaptionWidth(HWND control, int dpi) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  HDC dc = GetDC(control);
  HGDIOBJ kept = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  int width = size.cx;
  if (HasBox(control)) {
    // The box is 13 pixels at 96 DPI; half a digit of space separates it from the text.
    INT digit = 0;
    GetCharWidth32W(dc, L'0', L'0', &digit);
    width += MulDiv(13, dpi, 96) + digit / 2;
  }
  SelectObject(dc, kept);
  ReleaseDC(control, dc);
  return width;
}

void FitCaptions(HWND dialog, int dpi) {
  std::vector<Child> children;
  for (HWND h = GetWindow(dialog, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    Child c{h, {}};
    GetWindowRect(h, &c.rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&c.rect), 2);
    children.push_back(c);
  }
  // Row by row, left to right, so that a control moved by one before it is measured in its
  // new place.
  std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
    return a.rect.top != b.rect.top ? a.rect.top < b.rect.top : a.rect.left < b.rect.left;
  });
  const int edge = GetSystemMetrics(SM_CXEDGE);
  for (Child& c : children) {
    if (!IsCaptioned(c.hwnd)) continue;
    const LONG grow = CaptionWidth(c.hwnd, dpi) - (c.rect.right - c.rect.left);
    if (grow <= 0) continue;
    RECT client{};
    GetClientRect(dialog, &client);
    LONG limit = client.right;
    for (const Child& f : children)
      if (IsGroupBox(f.hwnd) && Inside(c.rect, f.rect))
        limit = std::min(limit, f.rect.right - edge);
    const LONG right = c.rect.right + grow;
    for (Child& next : children) {
      if (&next == &c || IsGroupBox(next.hwnd) || !RowsOverlap(next.rect, c.rect) ||
          next.rect.left <= c.rect.left || next.rect.left >= limit)
        continue;
      const LONG shift = std::max(grow, right - next.rect.left);
      next.rect.left += shift;
      next.rect.right = std::min(next.rect.right + shift, limit);
      Place(next);
    }
    // A caption keeps clear of its frame's line.
    c.rect.right = right;
    if (c.rect.right > limit - edge) {
      c.rect.left -= c.rect.right - (limit - edge);
      c.rect.right = limit - edge;
    }
    Place(c);
  }
}

}  // namespace vw::win32
