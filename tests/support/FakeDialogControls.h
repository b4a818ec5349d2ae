#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ControlIds.h"
#include "core/DialogControls.h"

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
    texts_[ControlId::lblFontSample] = "Vellumway Screensaver";
    checked_[ControlId::optScreen0] = true;
    checked_[ControlId::optColor0] = true;
    hidden_[ControlId::chkDropShadow] = true;
    for (int i = 0; i < kSwatchCount; ++i) heights_[picColorSelect(i)] = 195;
  }

  // --- IDialogControls ---
  std::string Text(ControlId id) const override { return Lookup(texts_, id, std::string()); }
  void SetText(ControlId id, const std::string& text) override { texts_[id] = text; }

  bool IsChecked(ControlId id) const override { return Lookup(checked_, id, false); }
  void SetChecked(ControlId id, bool checked) override { checked_[id] = checked; }
  void SelectOption(ControlId id) override {
    checked_[Partner(id)] = false;
    checked_[id] = true;
  }

  void ClearList(ControlId id) override {
    lists_[id].clear();
    listIndex_[id] = -1;
  }
  void AddListItem(ControlId id, const std::string& item) override {
    auto& list = lists_[id];
    if (id == ControlId::cmbFont) {  // the sorted box
      auto at = std::upper_bound(list.begin(), list.end(), item, LessNoCase);
      list.insert(at, item);
    } else {
      list.push_back(item);
    }
  }
  int ListCount(ControlId id) const override {
    auto it = lists_.find(id);
    return it == lists_.end() ? 0 : static_cast<int>(it->second.size());
  }
  std::string ListItem(ControlId id, int index) const override {
    if (index < 0 || index >= ListCount(id)) return {};
    return lists_.at(id)[static_cast<std::size_t>(index)];
  }
  int ListIndex(ControlId id) const override { return Lookup(listIndex_, id, -1); }
  void SetListIndex(ControlId id, int index) override {
    listIndex_[id] = (index >= 0 && index < ListCount(id)) ? index : -1;
    if (id == ControlId::cmbFont && listIndex_[id] >= 0) texts_[id] = ListItem(id, index);
  }

  bool IsVisible(ControlId id) const { return !Lookup(hidden_, id, false); }
  void SetVisible(ControlId id, bool visible) override { hidden_[id] = !visible; }

  int HeightTwips(ControlId id) const override { return Lookup(heights_, id, 0); }
  void SetHeightTwips(ControlId id, int twips) override { heights_[id] = twips; }

  void SetFocus(ControlId id) override { focus = id; }

  void SetSampleFace(const std::string& face) override {
    sampleFace = face;
    ++sampleChanges;
  }
  void SetSampleBold(bool bold) override {
    sampleBold = bold;
    ++sampleChanges;
  }
  void SetSampleItalic(bool italic) override {
    sampleItalic = italic;
    ++sampleChanges;
  }

  std::vector<std::string> FontFaces() override { return fontFaces; }

  void ShowWarning(const std::string& text, const std::string& title) override {
    warnings.push_back({text, title});
  }

  void CloseDialog() override { closed = true; }

  // --- the user ---
  // A click on a check box (toggles), an option button (selects), a push button or a swatch.
  void Click(ControlId id) {
    if (IsOption(id)) {
      SelectOption(id);
    } else if (IsCheckBox(id)) {
      checked_[id] = !IsChecked(id);
    }
    Report(id);
  }
  // Picks an entry of a list with the mouse or the arrow keys.
  void ChooseListItem(ControlId id, int index) {
    SetListIndex(id, index);
    Report(id);
  }
  int FindListItem(ControlId id, const std::string& item) const {
    for (int i = 0; i < ListCount(id); ++i)
      if (ListItem(id, i) == item) return i;
    return -1;
  }
  // Typing into a text field raises no handler.
  void Type(ControlId id, const std::string& text) { texts_[id] = text; }

  // Whether the user can see the control: it and its container are visible.
  bool Shown(ControlId id) const {
    if (IndexIn(id, ControlId::picColorSelect0, kSwatchCount) >= 0 &&
        !IsVisible(ControlId::picColorColl))
      return false;
    return IsVisible(id);
  }

  std::function<void(ControlId)> onClick;
  std::vector<std::string> fontFaces;
  std::vector<Warning> warnings;
  std::optional<ControlId> focus;
  std::string sampleFace = "MS Sans Serif";
  bool sampleBold = false;
  bool sampleItalic = false;
  int sampleChanges = 0;
  bool closed = false;

 private:
  template <typename Map, typename Value>
  static Value Lookup(const Map& map, ControlId id, Value fallback) {
    auto it = map.find(id);
    return it == map.end() ? fallback : it->second;
  }
  static bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
  }
  static char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
  static bool IsOption(ControlId id) {
    return id == ControlId::optScreen0 || id == ControlId::optScreen1 ||
           id == ControlId::optColor0 || id == ControlId::optColor1;
  }
  static bool IsCheckBox(ControlId id) {
    return id == ControlId::chkBold || id == ControlId::chkItalic ||
           id == ControlId::chkDropShadow ||
           IndexIn(id, ControlId::chkDisplay0, kTopicBoxCount) >= 0;
  }
  static ControlId Partner(ControlId id) {
    switch (id) {
      case ControlId::optScreen0:
        return ControlId::optScreen1;
      case ControlId::optScreen1:
        return ControlId::optScreen0;
      case ControlId::optColor0:
        return ControlId::optColor1;
      case ControlId::optColor1:
        return ControlId::optColor0;
      default:
        return id;
    }
  }
  void Report(ControlId id) {
    if (onClick) onClick(id);
  }

  std::map<ControlId, std::string> texts_;
  std::map<ControlId, bool> checked_;
  std::map<ControlId, bool> hidden_;
  std::map<ControlId, int> heights_;
  std::map<ControlId, std::vector<std::string>> lists_;
  std::map<ControlId, int> listIndex_;
};

}  // namespace vw::test
