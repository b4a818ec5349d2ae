#pragma once
// The controls of the settings dialog. Each value is also the control's Win32 control id
// (GetDlgCtrlID), so a test driver in another process can find a control by its number,
// which it looks up by the control's name in kControlNames.
// None of them is 1 (IDOK) or 2 (IDCANCEL): Enter and Esc must not reach "OK" or "Cancel"
// through the dialog manager, only through the button that has the focus.

namespace vw {

// One row a control: its name (the name in code and in the end-to-end tests' tables) and
// its number. A member of an indexed group has a row of its own, named with its index.
#define VW_CONTROLS(X)                                                                     \
  X(Image1, 1000) X(Frame2, 1001) /* "Font" */ X(Frame4, 1002) /* "Screen" */            \
  X(Frame3, 1003) /* "Content" */ X(Frame5, 1004) /* "Text Colour" */                     \
  X(Frame1, 1005) /* "Verses To Display" */ X(Command1, 1010) /* "OK" */                  \
  X(Command2, 1011) /* "Cancel" */                                                         \
  X(Label2, 1020) X(cmbFont, 1021) X(lblFontSample, 1022) X(chkBold, 1023)                \
  X(chkItalic, 1024) X(Label4, 1025) X(cboMaxFontSize, 1026)                              \
  X(optScreen0, 1030) /* "Black" */ X(optScreen1, 1031) /* "Transparent" */               \
  X(chkDropShadow, 1032) X(Label3, 1040) X(txtChangeSec, 1041) X(Label6, 1042)            \
  X(optColor0, 1050) /* "Monochrome (Multi Shade)" */ X(optColor1, 1051) /* "Random" */   \
  X(picColorColl, 1052)                                                                    \
  /* swatch i is picColorSelect0 + i */                                                    \
  X(picColorSelect0, 1060) X(picColorSelect1, 1061) X(picColorSelect2, 1062)              \
  X(picColorSelect3, 1063) X(picColorSelect4, 1064) X(picColorSelect5, 1065)              \
  /* the box of topic row i (verses/Topics.h) is chkDisplay0 + i */                        \
  X(chkDisplay0, 1070) X(chkDisplay1, 1071) X(chkDisplay2, 1072) X(chkDisplay3, 1073)     \
  X(chkDisplay4, 1074) X(chkDisplay5, 1075)

enum class ControlId : int {
#define VW_CONTROL_ID(name, number) name = number,
  VW_CONTROLS(VW_CONTROL_ID)
#undef VW_CONTROL_ID
};

struct ControlName {
  ControlId id;
  const char* name;
};
inline constexpr ControlName kControlNames[] = {
#define VW_CONTROL_NAME(name, number) {ControlId::name, #name},
    VW_CONTROLS(VW_CONTROL_NAME)
#undef VW_CONTROL_NAME
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
