#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/target_system/target_system.h"
#include "setup/app/window/browse_dialog.h"
#include "setup/app/window/pump_throttle.h"
#include "setup/wizard/engine_progress.h"
#include "setup/wizard/model/label_fit.h"
#include "setup/wizard/model/wizard_model.h"
#include "setup/wizard/model/wizard_pages.h"

class QFrame;
class QLabel;

namespace setup::window {

// Whether a text fits a label of the wizard in the window font, by the
// label's designed width.
class LabelWidthMeasure : public wizard::TextMeasure {
 public:
  bool Fits(wizard::Control label, std::string_view text) const override;
};

// The installer's wizard window: one widget per control of the model, with
// the control's form name as its object name, refreshed from the model after every call. The
// window adds no rule of its own: clicks, edits, keys and the close request
// go to the model; questions come through the run's prompter, the folder
// picker and the bookmark file dialog through the picker it is given.
class TWorkBox : public QDialog {
  Q_OBJECT

 public:
  TWorkBox(wizard::WizardModel& model, const platform::target::TargetSystem& system, FolderPicker& folders,
           QWidget* owner = nullptr);

  // FormShow: fills the pages of the mode and shapes the window. Called
  // once, before the window is shown; the start checks follow the first
  // show from a one-shot timer.
  void Start();

  // The widget of a control, or nullptr for one the window does not build.
  QWidget* Widget(wizard::Control control) const;
  // Brings every widget and the caption up to the model's state.
  void Refresh();
  // The highest page the wizard has shown.
  int furthest_page() const { return furthest_page_; }

  // Engine progress on the current page (10 or 13): the step's marker and
  // bold label, the bars, the pending events.
  void StepStarted(int step);
  void Advanced(int step);
  void StepFinished(int step);
  void Pump();
  // Moves the bar by the items counted since it last moved.
  void ShowProgress();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 public slots:
  void reject() override;

 private:
  void Build();
  QWidget* MakeControl(wizard::Control control, QWidget* parent);
  void Connect(wizard::Control control, QWidget* widget);
  void Apply(wizard::Control control, QWidget* widget, const wizard::ControlState& state);
  void ApplyLayout();
  // Tab order: each panel's controls top to bottom, then the buttons.
  void ChainTabOrder();
  // Shows or hides the close box as the model allows the Close command,
  // without re-creating the window (which would end its modal run).
  void ApplyCloseBox();
  // After a page change: the page's first input control, else Next.
  void FocusFirstInput();
  // Runs a call into the model, then refreshes, moves the focus and closes
  // when the model asks for it.
  void Call(const std::function<void()>& call);
  void CloseByModel();
  void Browse(const wizard::BrowseRequest& request);
  // The label, bar and marker of step on the current page.
  std::optional<wizard::StepRow> StepControls(int step) const {
    return wizard::StepRowOf(model_.page(), step);
  }

  wizard::WizardModel& model_;
  const platform::target::TargetSystem& system_;
  FolderPicker& folders_;
  std::array<QWidget*, wizard::kControlCount> controls_{};
  QFrame* bevel_ = nullptr;
  std::map<wizard::Control, std::string> shown_pictures_;
  std::optional<wizard::Control> engine_bold_label_;
  int furthest_page_ = 0;
  bool started_ = false;
  bool shown_once_ = false;
  bool closing_by_model_ = false;
  bool synced_for_engine_ = false;
  bool close_box_shown_ = true;
  PumpThrottle pump_throttle_;
  // Items counted since the bar last moved: a bar is moved at the pace the
  // window is repainted, not once per file.
  int pending_step_ = -1;
  int pending_items_ = 0;
};

// The window's progress for the engines; the run is built before the
// window, so the window is attached when it exists.
class WorkBoxProgress : public wizard::EngineProgress {
 public:
  void Attach(TWorkBox* box) { box_ = box; }
  void StepStarted(int step) override;
  void Advanced(int step) override;
  void StepFinished(int step) override;
  void Pump() override;
  void BringToFront() override;

 private:
  QPointer<TWorkBox> box_;
};

}  // namespace setup::window
