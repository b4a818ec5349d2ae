#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/SettingsStore.h"
#include "core/ControlIds.h"
#include "core/DialogControls.h"
#include "app/FaceSources.h"
#include "app/frmSettings.h"
#include "win32/Dpi.h"

namespace vw::win32 {

// Whether the user has turned high contrast on (SPI_GETHIGHCONTRAST).
bool HighContrastOn();

// What the dialog asks of the system, which tests replace: Wine gives every window the
// system's scale, never turns high contrast on and has no printer that blocks.
struct DialogSystem {
  DpiCalls dpi = SystemDpiCalls();
  bool (*highContrast)() = HighContrastOn;
  FaceSource printer;  // empty: the default printer's faces
};

// The settings dialog as a Win32 window of standard controls, laid out in twips converted
// with the screen's real DPI. The window procedure only unpacks messages and hands them to
// frmSettings.
class SettingsWindow : public IDialogControls {
 public:
  SettingsWindow(HINSTANCE instance, ISettingsStore& store, DialogSystem system = {});
  ~SettingsWindow() override;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  // Creates and loads the dialog, shows it and runs until it has been destroyed.
  int Run();
  // Creates, loads and shows it; false when it could not be made.
  bool Open();
  HWND Window() const { return hwnd_; }
  // Whether the printer's faces came (late or not); false while it is still blocked.
  bool PrinterAnswered() const { return !printerPending_ || !*printerPending_; }

  // --- IDialogControls ---
  void SetText(ControlId id, const std::string& text) override;
  void SetChecked(ControlId id, bool checked) override;
  void SelectOption(ControlId id) override;
  void SetList(ControlId id, const std::vector<std::string>& items) override;
  void SetListIndex(ControlId id, int index) override;
  void SetVisible(ControlId id, bool visible) override;
  void ShowSwatchMarked(ControlId id, bool marked) override;
  void SetFocus(ControlId id) override;
  void SetSampleFace(const std::string& face) override;
  void SetSampleBold(bool bold) override;
  void SetSampleItalic(bool italic) override;
  std::vector<std::string> FontFaces() override;
  void ShowWarning(const std::string& text, const std::string& title) override;
  void CloseDialog() override;

 private:
  static LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SwatchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnCommand(int id, int code, HWND control);

  bool RegisterClasses();
  bool Create();
  void CreateControls();
  // Places, fonts and the icon at dpi_: at creation and on each change of scale. The controls
  // were laid out at `fromDpi` before.
  void LayOut(int fromDpi);
  HWND Item(ControlId id) const;
  int Px(int twips) const { return MulDiv(twips, dpi_, 1440); }
  // The sample's font as it is now (its face, weight and slant), made at dpi_.
  void ApplySampleFont(LOGFONTW look);
  LOGFONTW SampleLook() const;

  // The grey behind everything but the sample and the swatches, and the labels' text: the
  // system's colours while high contrast is on.
  COLORREF FaceColour() const;
  HBRUSH FaceBrush() const;

  HINSTANCE instance_;
  DialogSystem system_;
  bool highContrast_ = false;
  std::shared_ptr<std::atomic<bool>> printerPending_;
  frmSettings form_;
  HWND hwnd_ = nullptr;
  HWND savedFocus_ = nullptr;
  int dpi_ = 96;
  HFONT uiFont_ = nullptr;
  HFONT sampleFont_ = nullptr;
  HBRUSH greyBrush_ = nullptr;
  HBRUSH blackBrush_ = nullptr;
  HICON monitorIcon_ = nullptr;
};

}  // namespace vw::win32
