#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/ControlIds.h"
#include "core/DialogControls.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"

namespace vw {

// What the user has chosen, as "OK" writes it: for each row of kSettingKeys that the dialog
// shows, the text to store; nullopt for the other rows and for the colour while no swatch is
// marked (a stored colour outside 0 to 5).
using SettingsDraft = std::array<std::optional<std::string>, kSettingKeys.size()>;

// The configuration window: loads the stored options into its draft and shows them, keeps the
// draft as the user changes the controls (with the font sample and the controls that depend on
// a choice), and stores the draft on "OK". The controls only show what they are told.
class frmSettings {
 public:
  frmSettings(IDialogControls& controls, ISettingsStore& store)
      : controls_(controls), store_(store) {}

  // Once, before the dialog is first shown: fills the lists and shows the stored options.
  void Form_Load();

  // What the user did, reported by the window with the control's new value.
  void Clicked(ControlId id);                          // a push button, an option, a swatch
  void Checked(ControlId id, bool ticked);             // a check box
  void Typed(ControlId id, const std::string& text);   // a text field
  void Chosen(ControlId id, const std::string& item);  // an entry of a list

  // "OK": checks, then writes the draft in the rows' order and closes. A failed check or a
  // refused write shows a warning and leaves the dialog open.
  void Command1_Click();
  // "Cancel": closes without writing.
  void Command2_Click();

  // The sum of the ticked topics' bit values.
  std::int32_t GetDisplayMask() const;

 private:
  // The row of kSettingKeys whose control group holds `id`, and its member's index in it.
  static std::optional<std::size_t> RowOf(ControlId id, int& member);
  // The draft's value of `row` as a number (0 when it has none).
  std::int32_t Number(std::size_t row) const;
  // Puts `value` into the draft, then shows it on the row's controls when `show` says so
  // (the control the user changed already shows it) and raises the handling that follows it.
  void Take(std::size_t row, std::optional<std::string> value, bool show);
  void Warn(const std::string& text);

  IDialogControls& controls_;
  ISettingsStore& store_;
  SettingsDraft draft_;
};

}  // namespace vw
