#pragma once
#include <windows.h>

#include <array>
#include <span>

#include "core/ControlIds.h"

namespace vw::win32 {

// The settings dialog's look: window classes, colours, sizes in twips and the place of every
// control.

inline constexpr const wchar_t* kPanelClass = L"VellumwaySwatchPanel";
inline constexpr const wchar_t* kSwatchClass = L"VellumwaySwatch";
inline constexpr const wchar_t* kTitle = L"Vellumway Screensaver";

inline constexpr int kClientWidthTwips = 6000;
inline constexpr int kClientHeightTwips = 6420;
inline constexpr COLORREF kDialogGrey = RGB(192, 192, 192);
inline constexpr COLORREF kSampleText = RGB(128, 255, 128);
inline constexpr COLORREF kSampleBack = RGB(0, 0, 0);
inline constexpr int kSamplePoints = 12;
inline constexpr int kUiFontPoints = 8;

inline constexpr std::array<COLORREF, kSwatchCount> kSwatchColors = {
    RGB(192, 192, 192), RGB(0, 192, 0),   RGB(192, 0, 0),
    RGB(0, 0, 192),     RGB(192, 192, 0), RGB(0, 192, 192),
};

// What a screen reader calls each swatch (its window text, not drawn); the marked one says so.
inline constexpr std::array<const wchar_t*, kSwatchCount> kSwatchNames = {
    L"Silver", L"Green", L"Red", L"Blue", L"Olive", L"Teal"};
inline constexpr const wchar_t* kMarkedSuffix = L", selected";

inline constexpr ControlId kOnDialog = static_cast<ControlId>(0);

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

inline constexpr int kSwatchLeftTwips = 60;
inline constexpr int kSwatchStepTwips = 240;
inline constexpr int kSwatchTopTwips = 60;
inline constexpr int kSwatchSizeTwips = 195;
// An unmarked swatch's height: a short bar under the marked ones' top edge.
inline constexpr int kSwatchBarTwips = 100;
// How far the lists of the two combo boxes drop down.
inline constexpr int kFontListTwips = 3000;
inline constexpr int kSizeListTwips = 2700;

// Every control but the swatches, in the order they are created (their tab order).
std::span<const Layout> ControlLayout();
// The layout of one control, nullptr for a control that is not in the table.
const Layout* FindLayout(ControlId id);

}  // namespace vw::win32
