#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "setup/core/setup_script.h"
#include "setup/wizard/engines.h"
#include "setup/wizard/install_choices.h"
#include "setup/wizard/model/label_fit.h"
#include "setup/wizard/model/page_checks.h"
#include "setup/wizard/model/wizard_controls.h"
#include "setup/wizard/setup_run.h"

namespace setup::wizard {

enum class WizardMode { kSetup, kUninstall, kCleanUp };

// How the wizard is started: setup with the package's script, uninstall of
// a recorded product, or clean-up of a package folder (a Windows path) with
// that folder's script.
struct WizardStart {
  static WizardStart Setup(SetupScript script);
  static WizardStart Uninstall(std::string app_key_name);
  static WizardStart CleanUp(std::string package_folder, SetupScript script);

  WizardMode mode = WizardMode::kSetup;
  SetupScript script{std::filesystem::path()};
  std::string app_key_name;    // uninstall mode
  std::string package_folder;  // clean-up mode
};

// The installer's wizard without a window: the page state, every control's
// state, the checks and the questions. All questions go through
// run.prompter, all engine work through engines.
//
// How a window binds to it:
//  - Build one widget per control of AllControls() (the page panels
//    PagePanel(2)..PagePanel(14) and Panel1, Button1..Button6, and the page
//    controls) and after every call into the model refresh them from
//    control(id) and the window title from caption(). Image1, Bevel1 and
//    the step markers Image1002/Image1302 are the window's own. Images
//    show the host picture file in their text (empty: the window's own
//    artwork). cleanup_layout(): shape the window to Panel1;
//    next_beside_cancel(): move Button2 left so that it touches Button3.
//  - On show: FormShow(); then, when timer_armed(), Timer1Timer() once from
//    a one-shot timer after the window is on screen.
//  - Buttons: Button1..Button6 clicks call Button1Click()...Button6Click().
//  - User edits: SetText(id, text) for edit boxes (Edit501 runs
//    Edit501Change), SetChecked(id, on) for check boxes and radio buttons
//    (runs the control's click handler; a radio button unchecks its
//    partner), SetSelected(id, index, on) for list boxes, and
//    ListBox601DblClick(index).
//  - Browse buttons: SpeedButton502Click(), SpeedButton802Click() and
//    SpeedButton803Click() return what dialog to show; on OK the window calls
//    SetText(request.target, chosen).
//  - Keys: FormKeyPress(key) for every key press; true means consumed. The
//    Return key stays the window's (Button2 is the default button).
//  - Closing: whenever close_requested() is true after a call, the window
//    closes itself; its close event (also the title bar's) asks
//    FormCloseQuery() and closes only on true. close_command_enabled()
//    false removes the window's Close command; window_enabled() false
//    disables the whole window.
//  - Focus: after a refusal focus_request() names the control to focus; a
//    refused Next leaves page() as it was without close_requested().
//  - Progress bars take their maximum from control(id).maximum; the
//    engines move them through run.progress.
//  - measure: the window's font metrics, used to shorten the favourite
//    address labels (Label802-Label804) with "..." when they do not fit.
//  - Engines run inside Button2Click(); the window's EngineProgress in
//    run.progress pumps events meanwhile. A close request during that time
//    is remembered and honoured right after the engine, without a question.
class WizardModel {
 public:
  WizardModel(SetupRun& run, WizardStart start, WizardEngines& engines, const TextMeasure* measure = nullptr);

  // Fills every page of the mode and shows the first; ends with the pending
  // folder removal. Only the first call does anything.
  void FormShow();
  // Setup mode: the CD-ROM and operating-system checks (once).
  void Timer1Timer();

  void Button1Click();  // Back
  void Button2Click();  // Next / はい / 開始 / 終了
  void Button3Click();  // Cancel / いいえ: requests closing
  void Button4Click();  // clean-up: delete
  void Button5Click();  // clean-up: close without deleting
  void Button6Click();  // clean-up: to the recycle bin
  // Escape (27) with a page state above 0 requests closing; true when the
  // key was consumed.
  bool FormKeyPress(char32_t key);
  // The close question and, when the wizard has ended, the clean-up start.
  // True when the window may close.
  bool FormCloseQuery();

  // User edits of controls; each runs the handler the control has.
  void SetText(Control control, std::string_view text);
  void SetChecked(Control control, bool checked);
  void SetSelected(Control control, int index, bool selected);

  // Control handlers.
  void Edit501Change();
  void RadioButton601Click();
  void CheckBox601Click();
  void ListBox601DblClick(int index);
  void CheckBox701Click();
  void SpeedButton702Click();
  void CheckBox801Click();
  void CheckBox802Click();
  BrowseRequest SpeedButton502Click() const;
  BrowseRequest SpeedButton802Click() const;
  BrowseRequest SpeedButton803Click() const;

  // The checks of Next, also usable alone. On refusal they have shown
  // their message and set focus_request().
  bool CheckUserEntry(int field);  // 1..3
  bool CheckFolderEntry(std::string_view path, Control edit);

  // State for the window.
  WizardMode mode() const { return mode_; }
  int page() const { return tag_; }  // 2..14 pages, 1 ended, 0 clean-up
  const std::string& page_mask() const { return page_mask_; }
  const std::string& caption() const { return caption_; }
  const ControlSet& controls() const { return controls_; }
  const ControlState& control(Control control) const { return controls_.Get(control); }
  const std::optional<Control>& focus_request() const { return focus_; }
  bool timer_armed() const { return timer_armed_; }
  bool close_requested() const { return close_requested_; }
  bool closed() const { return closed_; }
  bool busy() const { return busy_; }
  bool close_command_enabled() const { return close_command_enabled_; }
  bool window_enabled() const { return window_enabled_; }
  bool cleanup_layout() const { return mode_ == WizardMode::kCleanUp; }
  bool next_beside_cancel() const { return mode_ == WizardMode::kUninstall; }

  // What the install engine reads, from the controls as they are now.
  InstallChoices Choices() const;
  const StepMaxima& install_maxima() const { return install_maxima_; }
  const StepMaxima& uninstall_maxima() const { return uninstall_maxima_; }
  const std::string& app_key_name() const { return app_key_name_; }
  // The run and the script the wizard works with (the window paints the
  // background from the script and browses the run's target system).
  SetupRun& run() const { return run_; }
  const SetupScript& script() const { return script_; }

 private:
  // FormShow per mode and page.
  void ShowSetup();
  void ShowUninstall();
  void ShowCleanUp();
  bool FillLicencePage();
  bool FillUserPage();
  bool FillFolderPage();
  bool FillShortcutPage();
  bool FillExtensionPage();
  bool FillFavoritesPage();
  void FillFinishPage();

  void ShowPage(int page);
  void HidePage(int page);
  bool PageOn(int page) const;
  // The work of Next on the current page; false keeps the page.
  bool LeavePage();
  // The checks of Next, over the controls as they are now.
  PageChecks Checks();
  void ShowMaxima(const StepMaxima& maxima, Control (*bar)(int), Control (*label)(int));
  // Runs an engine on the current page: the done page follows, an abort
  // ends the wizard in aborted_state.
  void RunEngine(int done_page, int aborted_state, const std::function<EngineResult()>& engine);
  void RunInstall();
  void RunUninstall();
  void CleanUp(bool to_recycle_bin);
  BrowseRequest BrowseFor(std::string_view title, Control edit) const;
  void RequestClose() { close_requested_ = true; }

  Answer Ask(std::string text, MessageIcon icon, MessageButtons buttons = MessageButtons::kOk,
             Answer default_answer = Answer::kOk);
  std::string RecordKeyOfProduct() const;
  std::string ProgramsFolder(bool all_users);
  void StartAction();

  SetupRun& run_;
  WizardMode mode_;
  SetupScript script_;
  std::string app_key_name_;
  std::string package_folder_;
  WizardEngines& engines_;
  const TextMeasure* measure_;

  ControlSet controls_;
  int tag_ = 2;
  std::string page_mask_;
  std::string caption_;
  std::optional<Control> focus_;
  bool shown_ = false;
  bool shortcut_group_on_ = false;  // CheckBox601's remembered setup flag
  bool timer_armed_ = false;
  bool close_requested_ = false;
  bool close_after_engine_ = false;
  bool closed_ = false;
  bool busy_ = false;
  bool close_command_enabled_ = true;
  bool window_enabled_ = true;
  StepMaxima install_maxima_{};
  StepMaxima uninstall_maxima_{};
};

}  // namespace setup::wizard
