#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ControlIds.h"
#include "core/DialogControls.h"
#include "verses/Topics.h"

namespace vw::test {

// The settings dialog's controls in memory, in the state the window creates them in. The
// user-action helpers (Click, ChooseListItem, Type) change a control as the real control
// does and then report the action through `onClick`, as the window procedure does; bind it
// to frmSettings::ControlClicked.
class FakeDialogControls : public IDialogControls {
 public:
  struct Warning {
    std::string text, title;
  };

  FakeDialogControls() {
    texts_[ControlId::txtChangeSec] = "15";
    checked_[ControlId::optScreen0] = checked_[ControlId::optColor0] = true;
    hidden_[ControlId::chkDropShadow] = true;
    for (int i = 0; i < kSwatchCount; ++i) marked_[picColorSelect(i)] = true;  // full squares
  }

  std::string Text(ControlId id) const override { return Get(texts_, id, std::string()); }
  void SetText(ControlId id, const std::string& text) override { texts_[id] = text; }
  bool IsChecked(ControlId id) const override { return Get(checked_, id, false); }
  void SetChecked(ControlId id, bool checked) override { checked_[id] = checked; }
  void SelectOption(ControlId id) override {
    checked_[Partner(id)] = false;
    checked_[id] = true;
  }
  void ClearList(ControlId id) override {
    lists_[id].clear();
    listIndex_[id] = -1;
  }
  void AddListItem(ControlId id, const std::string& item) override { lists_[id].push_back(item); }
  int ListCount(ControlId id) const override {
    return static_cast<int>(Get(lists_, id, std::vector<std::string>()).size());
  }
  std::string ListItem(ControlId id, int index) const override {
    return index >= 0 && index < ListCount(id) ? lists_.at(id)[index] : std::string();
  }
  int ListIndex(ControlId id) const override { return Get(listIndex_, id, -1); }
  void SetListIndex(ControlId id, int index) override {
    listIndex_[id] = (index >= 0 && index < ListCount(id)) ? index : -1;
    if (id == ControlId::cmbFont && listIndex_[id] >= 0) texts_[id] = ListItem(id, index);
  }
  void SetVisible(ControlId id, bool visible) override { hidden_[id] = !visible; }
  void ShowSwatchMarked(ControlId id, bool marked) override { marked_[id] = marked; }
  void SetFocus(ControlId id) override { focus = id; }
  void SetSampleFace(const std::string& face) override { sampleFace = face; }
  void SetSampleBold(bool bold) override { sampleBold = bold; }
  void SetSampleItalic(bool italic) override { sampleItalic = italic; }
  std::vector<std::string> FontFaces() override { return fontFaces; }
  void ShowWarning(const std::string& text, const std::string& title) override {
    warnings.push_back({text, title});
  }
  void CloseDialog() override { closed = true; }

  // --- the user ---
  // A click on a check box (toggles), an option button (selects), a push button or a swatch.
  void Click(ControlId id) {
    if (Partner(id) != id) {
      SelectOption(id);
    } else if (id == ControlId::chkBold || id == ControlId::chkItalic ||
               id == ControlId::chkDropShadow || IndexIn(id, chkDisplay(0), kTopicCount) >= 0) {
      checked_[id] = !IsChecked(id);
    }
    if (onClick) onClick(id);
  }
  // Picks an entry of a list with the mouse or the arrow keys.
  void ChooseListItem(ControlId id, int index) {
    SetListIndex(id, index);
    if (onClick) onClick(id);
  }
  // Typing into a text field raises no handler.
  void Type(ControlId id, const std::string& text) { texts_[id] = text; }
  // Whether a swatch shows as marked, as the user sees it.
  bool SwatchShownMarked(ControlId id) const { return Get(marked_, id, false); }
  // Whether the user can see the control: it and its container (for a swatch) are visible.
  bool Shown(ControlId id) const {
    const bool swatch = IndexIn(id, picColorSelect(0), kSwatchCount) >= 0;
    return !Get(hidden_, id, false) && !(swatch && Get(hidden_, ControlId::picColorColl, false));
  }

  std::function<void(ControlId)> onClick;
  std::vector<std::string> fontFaces;
  std::vector<Warning> warnings;
  std::optional<ControlId> focus;
  std::string sampleFace = "MS Sans Serif";
  bool sampleBold = false, sampleItalic = false, closed = false;

 private:
  template <typename Map, typename Value>
  static Value Get(const Map& map, ControlId id, Value fallback) {
    auto it = map.find(id);
    return it == map.end() ? fallback : it->second;
  }
  // The other button of an option pair; any other control is its own.
  static ControlId Partner(ControlId id) {
    const ControlId pairs[][2] = {{ControlId::optScreen0, ControlId::optScreen1},
                                  {ControlId::optColor0, ControlId::optColor1}};
    for (const auto& p : pairs)
      if (id == p[0] || id == p[1]) return id == p[0] ? p[1] : p[0];
    return id;
  }

  std::map<ControlId, std::string> texts_;
  std::map<ControlId, bool> checked_, hidden_, marked_;
  std::map<ControlId, int> listIndex_;
  std::map<ControlId, std::vector<std::string>> lists_;
};

}  // namespace vw::test
