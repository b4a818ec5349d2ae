#pragma once
#include <string>
#include <vector>

#include "core/ControlIds.h"

namespace vw {

// The controls of the settings dialog as frmSettings sees them. The Win32 window implements
// it over real controls; unit tests use a fake. Nothing here raises a handler: frmSettings
// decides which changes count as a user action. All strings are UTF-8.
class IDialogControls {
 public:
  virtual ~IDialogControls() = default;

  // Text boxes, combo boxes (the text field), labels.
  virtual std::string Text(ControlId id) const = 0;
  virtual void SetText(ControlId id, const std::string& text) = 0;

  // Check boxes and option buttons.
  virtual bool IsChecked(ControlId id) const = 0;
  virtual void SetChecked(ControlId id, bool checked) = 0;
  // Selects an option button and clears the other option of its group.
  virtual void SelectOption(ControlId id) = 0;

  // Lists of the two combo boxes. A sorted list (the font box) keeps alphabetical order.
  virtual void ClearList(ControlId id) = 0;
  virtual void AddListItem(ControlId id, const std::string& item) = 0;
  virtual int ListCount(ControlId id) const = 0;
  virtual std::string ListItem(ControlId id, int index) const = 0;
  // The selected entry, -1 when none.
  virtual int ListIndex(ControlId id) const = 0;
  // Selects an entry; for an editable box the text field shows it. -1 clears the selection.
  virtual void SetListIndex(ControlId id, int index) = 0;

  virtual void SetVisible(ControlId id, bool visible) = 0;

  // Shows a colour swatch as marked (a full square) or not (a short bar under the same top
  // edge). Which swatch is marked is frmSettings' to know: the swatches only show it.
  virtual void ShowSwatchMarked(ControlId id, bool marked) = 0;

  virtual void SetFocus(ControlId id) = 0;

  // The font sample: face, bold and italic; its size and colours never change.
  virtual void SetSampleFace(const std::string& face) = 0;
  virtual void SetSampleBold(bool bold) = 0;
  virtual void SetSampleItalic(bool italic) = 0;

  // The default printer's font faces, or whatever the platform offers instead.
  virtual std::vector<std::string> FontFaces() = 0;

  // A modal warning box with a single "OK" button; returns when it has been closed.
  virtual void ShowWarning(const std::string& text, const std::string& title) = 0;

  // Destroys the dialog; the program ends once it is gone.
  virtual void CloseDialog() = 0;
};

}  // namespace vw
