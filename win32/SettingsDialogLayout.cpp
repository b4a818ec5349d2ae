#include "win32/SettingsDialogLayout.h"

#include "verses/Topics.h"

namespace vw::win32 {

namespace {

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX | WS_GROUP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kFirstOption = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kNextOption = BS_AUTORADIOBUTTON | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;

// The topic boxes' captions, widened at compile time from the topic table (they are ASCII).
struct WideCaption {
  wchar_t text[64];
};
constexpr std::array<WideCaption, kTopicCount> kTopicCaptions = [] {
  std::array<WideCaption, kTopicCount> out{};
  for (int i = 0; i < kTopicCount; ++i) {
    const char* caption = kTopicRows[i].Caption;
    for (int n = 0; caption[n] != '\0'; ++n) {
      if (n + 1 >= 64 || static_cast<unsigned char>(caption[n]) > 0x7F)
        throw "caption too long or not ASCII";
      out[i].text[n] = static_cast<wchar_t>(caption[n]);
    }
  }
  return out;
}();

// The box of topic row `row` in "Verses To Display", `top` twips down the frame.
constexpr Layout TopicBox(int row, int top) {
  return {chkDisplay(row),
          ControlId::Frame1,
          L"BUTTON",
          kTopicCaptions[row].text,
          kCheck,
          0,
          135,
          top,
          3900,
          195};
}

// Child windows take the keyboard focus in the order they are created, so the controls that
// take the focus are listed in their tab order; frames, labels and the picture never take it.
// Labels are groups of their own, so that arrow keys never walk from a control onto one.
constexpr Layout kLayout[] = {
    {ControlId::Image1, kOnDialog, L"STATIC", L"", SS_ICON, 0, 120, 120, 480, 480},
    {ControlId::Frame2, kOnDialog, L"BUTTON", L"Font", BS_GROUPBOX, 0, 795, 150, 4215, 1635},
    {ControlId::Frame4, kOnDialog, L"BUTTON", L"Screen", BS_GROUPBOX, 0, 795, 1830, 4215, 675},
    {ControlId::Frame3, kOnDialog, L"BUTTON", L"Content", BS_GROUPBOX, 0, 795, 2610, 4215, 780},
    {ControlId::Frame5, kOnDialog, L"BUTTON", L"Text Colour", BS_GROUPBOX, 0, 795, 3510, 4215, 915},
    {ControlId::Frame1, kOnDialog, L"BUTTON", L"Verses To Display", BS_GROUPBOX, 0, 795, 4545, 4215,
     1845},
    {ControlId::lblFontSample, ControlId::Frame2, L"STATIC", L"Vellumway Screensaver",
     SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | WS_BORDER, 0, 240, 660, 3795, 435},

    // Tab 0 to 8; a screen reader names a box without a caption by the label just before it.
    {ControlId::Label2, ControlId::Frame2, L"STATIC", L"Font", kLabel, 0, 240, 300, 435, 195},
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
    {ControlId::Label3, ControlId::Frame3, L"STATIC", L"Change Verse Every", kLabel, 0, 240, 375,
     1695, 195},
    {ControlId::txtChangeSec, ControlId::Frame3, L"EDIT", L"",
     ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 1960, 315, 555, 285},
    {ControlId::Label6, ControlId::Frame3, L"STATIC", L"seconds", kLabel, 0, 2715, 375, 600, 195},
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
    TopicBox(0, 285),
    TopicBox(1, 540),
    TopicBox(4, 1290),
    {ControlId::Label4, ControlId::Frame2, L"STATIC", L"Font Size", kLabel | SS_RIGHT, 0,
     1860, 1260, 1395, 195},
    {ControlId::cboMaxFontSize, ControlId::Frame2, L"COMBOBOX", L"",
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0, 3330, 1200, 705, 315},
    TopicBox(2, 795),
    TopicBox(3, 1050),
    TopicBox(5, 1545),
};

// Every topic has exactly one box, and no box is left without a topic.
constexpr bool EachTopicHasOneBox() {
  for (int row = 0; row <= kTopicCount; ++row) {
    int boxes = 0;
    for (const Layout& l : kLayout) boxes += l.id == chkDisplay(row);
    if (boxes != (row < kTopicCount ? 1 : 0)) return false;
  }
  return true;
}
static_assert(EachTopicHasOneBox(), "a topic needs a place in \"Verses To Display\"");

}  // namespace

std::span<const Layout> ControlLayout() {
  return kLayout;
}

const Layout* FindLayout(ControlId id) {
  for (const Layout& l : kLayout)
    if (l.id == id) return &l;
  return nullptr;
}

}  // namespace vw::win32
