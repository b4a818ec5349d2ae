#pragma once
#include <string>
#include <vector>

#include "core/ControlIds.h"

namespace vw {

// The controls of the settings dialog as frmSettings sees them: they are told what to show and
// are never asked; what the user changes comes back to frmSettings with the new value. The
// Win32 window implements it over real controls; unit tests use a fake. All strings are UTF-8.
class IDialogControls {
 public:
  virtual ~IDialogControls() = default;

  // Text boxes and the font box's text field.
  virtual void SetText(ControlId id, const std::string& text) = 0;
  // Check boxes.
  virtual void SetChecked(ControlId id, bool checked) = 0;
  // Selects an option button and clears the other option of its group.
  virtual void SelectOption(ControlId id) = 0;
  // The entries of a combo box's list; a sorted list (the font box) keeps alphabetical order.
  virtual void SetList(ControlId id, const std::vector<std::string>& items) = 0;
  // Selects the entry at `index` of the list as it was given.
  virtual void SetListIndex(ControlId id, int index) = 0;
  virtual void SetVisible(ControlId id, bool visible) = 0;
  // Shows a colour swatch as marked (a full square) or not (a short bar under the same top
  // edge).
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
