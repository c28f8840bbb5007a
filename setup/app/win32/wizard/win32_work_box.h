#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/windows_api.h"
#include "setup/app/window/pump_throttle.h"
#include "setup/wizard/engine_progress.h"
#include "setup/wizard/model/label_fit.h"
#include "setup/wizard/model/wizard_model.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::win32 {

// What the wizard asks of the desktop besides message boxes: the folder
// picker and the bookmark file dialog. Empty: cancelled.
class WizardDialogs {
 public:
  virtual ~WizardDialogs() = default;
  virtual std::string ChooseFolder(HWND owner, const wizard::BrowseRequest& request) = 0;
  virtual std::string ChooseFile(HWND owner, const wizard::BrowseRequest& request) = 0;
};

// Whether a text fits a wizard label in the window font at 96 dpi, by the
// label's designed width.
class Win32LabelMeasure : public wizard::TextMeasure {
 public:
  bool Fits(wizard::Control label, std::string_view text) const override;
};

// The installer's wizard window on Windows: one Win32 control per control
// of the model, placed as the Qt window places it (scaled by the window's
// DPI), refreshed from the model after every call. Clicks, typed text, keys
// and the close request go to the model; the window adds no rule of its own.
// Every control's identifier is WorkBoxControlId(control).
class Win32WorkBox {
 public:
  Win32WorkBox(wizard::WizardModel& model, WizardDialogs& dialogs);
  ~Win32WorkBox();
  Win32WorkBox(const Win32WorkBox&) = delete;
  Win32WorkBox& operator=(const Win32WorkBox&) = delete;

  // Creates the hidden window and its controls; false when Windows refused.
  bool Create(HWND owner);
  // FormShow: fills the pages of the mode and shapes the window.
  void Start();
  // Shows the window centred; the start checks follow from a one-shot timer.
  void Show();
  // Shows the window and runs its messages until it has closed, with the
  // owner disabled meanwhile.
  void RunModal();
  // Processes pending messages as the modal loop does.
  void ProcessMessages();

  HWND window() const { return window_; }
  HWND ControlWindow(wizard::Control control) const;
  bool closed() const { return closed_; }
  int furthest_page() const { return furthest_page_; }
  UINT dpi() const { return dpi_; }
  void Refresh();

  // Engine progress on the current page (10 or 13).
  void StepStarted(int step);
  void Advanced(int step);
  void StepFinished(int step);
  void Pump();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void CreateFonts();
  void DeleteFonts();
  HFONT FontOf(wizard::Control control) const;
  void CreateControl(wizard::Control control);
  void Place();
  void ApplyLayout();
  void Apply(wizard::Control name, HWND control, const wizard::ControlState& state);
  void ApplyCloseCommand();
  void SetHint(wizard::Control name, HWND control, const std::string& hint);
  void OnCommand(int id, int code, HWND control);
  void Call(const std::function<void()>& call);
  void FocusFirstInput();
  void CloseByModel();
  void Close();
  void Browse(const wizard::BrowseRequest& request);
  void DrawImage(const DRAWITEMSTRUCT& item);
  bool PreTranslate(MSG& message);
  std::optional<wizard::StepRow> StepControls(int step) const {
    return wizard::StepRowOf(model_.page(), step);
  }
  int Scale(int value) const { return MulDiv(value, static_cast<int>(dpi_), 96); }

  wizard::WizardModel& model_;
  WizardDialogs& dialogs_;
  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND bevel_ = nullptr;
  UINT dpi_ = 96;
  HFONT font_ = nullptr;
  HFONT bold_font_ = nullptr;
  HFONT small_font_ = nullptr;
  template <typename T>
  using PerControl = std::array<T, wizard::kControlCount>;
  static std::size_t At(wizard::Control control) {
    return static_cast<std::size_t>(wizard::ControlIndex(control));
  }

  PerControl<HWND> controls_{};
  std::vector<wizard::Control> tab_order_;
  PerControl<std::optional<RECT>> places_{};  // at 96 dpi, in the window
  PerControl<std::string> shown_text_{};
  PerControl<std::string> shown_hint_{};
  PerControl<HBITMAP> pictures_{};
  PerControl<std::optional<std::string>> picture_files_{};
  std::optional<wizard::Control> engine_bold_label_;
  SIZE client_{465, 302};
  int furthest_page_ = 0;
  int updating_ = 0;  // the window writes to its controls: no change events
  bool started_ = false;
  bool shown_once_ = false;
  bool closing_by_model_ = false;
  bool closed_ = false;
  bool synced_for_engine_ = false;
  bool close_command_shown_ = true;
  HWND last_focus_ = nullptr;
  window::PumpThrottle pump_throttle_;
};

// The Win32 control identifier of a control of the wizard.
int WorkBoxControlId(wizard::Control control);
// The control of a Win32 control identifier, if any.
std::optional<wizard::Control> WorkBoxControlOf(int id);

// The engines' progress shown on the window; attached once it exists.
class Win32WorkBoxProgress : public wizard::EngineProgress {
 public:
  void Attach(Win32WorkBox* box) { box_ = box; }
  void StepStarted(int step) override {
    if (box_) box_->StepStarted(step);
  }
  void Advanced(int step) override {
    if (box_) box_->Advanced(step);
  }
  void StepFinished(int step) override {
    if (box_) box_->StepFinished(step);
  }
  void Pump() override {
    if (box_) box_->Pump();
  }
  void BringToFront() override {
    if (box_ && box_->window()) SetForegroundWindow(box_->window());
  }

 private:
  Win32WorkBox* box_ = nullptr;
};

}  // namespace setup::win32
