#pragma once
#include <cstdint>
#include <string>

#include "core/SettingsStore.h"
#include "core/ControlIds.h"
#include "core/DialogControls.h"

namespace vw {

// The configuration window: fills and loads its controls, keeps the font sample, the
// dependent controls and the swatch marking up to date, and stores the options on "OK".
// Which swatch is marked is held here; everything else the user chose is held by the controls.
class frmSettings {
 public:
  frmSettings(IDialogControls& controls, ISettingsStore& store)
      : controls_(controls), store_(store) {}

  // Once, before the dialog is first shown: fills the lists and shows the stored options.
  void Form_Load();

  // A user action reported by the window: a click on a button, box, option or swatch, or a
  // face chosen from the font box's list. Runs the control's handler, when it has one.
  void ControlClicked(ControlId id);

  void cmbFont_Click();
  void chkBold_Click();
  void chkItalic_Click();
  void optScreen_Click(int index);
  void optColor_Click(int index);
  void picColorSelect_Click(int index);

  std::int32_t GetDisplayMask() const;
  void SetDisplayMask(std::int32_t mask);

  // "OK": checks, then writes the ten options and closes. A failed check or a refused write
  // shows a warning and leaves the dialog open.
  void Command1_Click();
  // "Cancel": closes without writing.
  void Command2_Click();

 private:
  // Changes made by the loading code count as user actions when they change something.
  void SetCheckBox(ControlId id, bool checked);
  void SelectOptionByCode(ControlId id);
  void Warn(const std::string& text);

  IDialogControls& controls_;
  ISettingsStore& store_;
  // The marked colour swatch, -1 for none (a stored colour outside 0 to 5).
  int markedSwatch_ = -1;
};

}  // namespace vw
