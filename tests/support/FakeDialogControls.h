#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/frmSettings.h"
#include "core/DialogControls.h"

namespace vw::test {

// The settings dialog's controls in memory: what frmSettings told them to show. The user's
// actions (Click, Choose, Type) change a control as the real one does and report the new
// value to `form`, as the window procedure does.
class FakeDialogControls : public IDialogControls {
 public:
  void SetText(ControlId id, const std::string& text) override { texts[id] = text; }
  void SetChecked(ControlId id, bool on) override { checked[id] = on; }
  void SelectOption(ControlId id) override { checked[Partner(id)] = false, checked[id] = true; }
  void SetList(ControlId id, const std::vector<std::string>& items) override { lists[id] = items; }
  void SetListIndex(ControlId id, int index) override { texts[id] = lists[id].at(index); }
  void SetVisible(ControlId id, bool visible) override { hidden[id] = !visible; }
  void ShowSwatchMarked(ControlId id, bool on) override { marked[id] = on; }
  void SetFocus(ControlId id) override { focus = id; }
  void SetSampleFace(const std::string& face) override { sample = face; }
  void SetSampleBold(bool bold) override { sampleBold = bold; }
  void SetSampleItalic(bool italic) override { sampleItalic = italic; }
  std::vector<std::string> FontFaces() override { return fontFaces; }
  void ShowWarning(const std::string& text, const std::string& title) override {
    warnings.push_back(title + ": " + text);
  }
  void CloseDialog() override { closed = true; }

  // --- the user ---
  // A click on a check box (toggles), an option button (selects), a push button or a swatch.
  void Click(ControlId id) {
    if (Partner(id) == id && checked.count(id)) return form->Checked(id, checked[id] ^= true);
    if (Partner(id) != id) SelectOption(id);
    form->Clicked(id);
  }
  // Picks an entry of a list with the mouse or the arrow keys.
  void Choose(ControlId id, const std::string& item) {
    texts[id] = item;
    form->Chosen(id, item);
  }
  void Type(ControlId id, const std::string& text) {
    texts[id] = text;
    form->Typed(id, text);
  }

  frmSettings* form = nullptr;
  std::vector<std::string> fontFaces, warnings;
  std::map<ControlId, std::string> texts;  // a list's selected entry too
  std::map<ControlId, std::vector<std::string>> lists;
  std::map<ControlId, bool> checked, hidden, marked;
  std::optional<ControlId> focus;
  std::string sample = "MS Sans Serif";
  bool sampleBold = false, sampleItalic = false, closed = false;

 private:
  // The other button of an option pair; any other control is its own.
  static ControlId Partner(ControlId id) {
    for (auto [a, b] : {std::pair{ControlId::optScreen0, ControlId::optScreen1},
                        std::pair{ControlId::optColor0, ControlId::optColor1}})
      if (id == a || id == b) return id == a ? b : a;
    return id;
  }
};

}  // namespace vw::test
