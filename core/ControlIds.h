#pragma once
// The controls of the settings dialog. Each value is also the control's Win32 control id
// (GetDlgCtrlID), so a test driver in another process can find a control by its number.
// None of them is 1 (IDOK) or 2 (IDCANCEL): Enter and Esc must not reach "OK" or "Cancel"
// through the dialog manager, only through the button that has the focus.

namespace vw {

enum class ControlId : int {
  Image1 = 1000,
  Frame2 = 1001,    // "Font"
  Frame4 = 1002,    // "Screen"
  Frame3 = 1003,    // "Content"
  Frame5 = 1004,    // "Text Colour"
  Frame1 = 1005,    // "Verses To Display"
  Command1 = 1010,  // "OK"
  Command2 = 1011,  // "Cancel"

  Label2 = 1020,
  cmbFont = 1021,
  lblFontSample = 1022,
  chkBold = 1023,
  chkItalic = 1024,
  Label4 = 1025,
  cboMaxFontSize = 1026,

  optScreen0 = 1030,  // "Black"
  optScreen1 = 1031,  // "Transparent"
  chkDropShadow = 1032,

  Label3 = 1040,
  txtChangeSec = 1041,
  Label6 = 1042,

  optColor0 = 1050,  // "Monochrome (Multi Shade)"
  optColor1 = 1051,  // "Random Colour"
  picColorColl = 1052,
  picColorSelect0 = 1060,  // swatch i is picColorSelect0 + i, i = 0..5

  chkDisplay0 = 1070,  // the box of topic row i (verses/Topics.h) is chkDisplay0 + i
};

inline constexpr int kSwatchCount = 6;

constexpr ControlId picColorSelect(int index) {
  return static_cast<ControlId>(static_cast<int>(ControlId::picColorSelect0) + index);
}
constexpr ControlId chkDisplay(int index) {
  return static_cast<ControlId>(static_cast<int>(ControlId::chkDisplay0) + index);
}
constexpr ControlId optScreen(int index) {
  return index == 0 ? ControlId::optScreen0 : ControlId::optScreen1;
}
constexpr ControlId optColor(int index) {
  return index == 0 ? ControlId::optColor0 : ControlId::optColor1;
}
// The index of a member of an indexed group, or -1 when `id` is not in [first, first + count).
constexpr int IndexIn(ControlId id, ControlId first, int count) {
  int offset = static_cast<int>(id) - static_cast<int>(first);
  return offset >= 0 && offset < count ? offset : -1;
}

// The Win32 window class of the dialog, for FindWindow.
inline constexpr const wchar_t* kSettingsWindowClass = L"VellumwaySettings";

}  // namespace vw
