#pragma once
#include <windows.h>

namespace vw::win32 {

// Width in pixels a control's caption needs, measured in the control's own font; a check box
// or option button adds its box (at `dpi`) and the gap after it. 0 for a control without a
// caption.
int CaptionWidth(HWND control, int dpi);

// Makes every label, check box and option button of `dialog` wide enough for its caption,
// whatever the scale and the system's fonts: a control that is too narrow grows to the right,
// the controls after it on its row move right by as much, and nothing passes the right edge
// of its frame (a control there moves left; one that follows gives up its spare width).
// `dpi` is the dialog's own scale, which on a monitor of another scale is not the system's.
void FitCaptions(HWND dialog, int dpi);

}  // namespace vw::win32
