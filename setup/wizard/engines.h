#pragma once

#include <array>
#include <string>
#include <string_view>

#include "setup/wizard/install_choices.h"

namespace setup::wizard {

// How an engine run ended: completed (the next page follows) or aborted by
// the user (the wizard ends at once; nothing done is undone).
enum class EngineResult { kCompleted, kAborted };

// The bars of page 10 (files, folders, shortcuts, registry, favourites) and
// of page 13 (run, files, folders, shortcuts, registry): their maxima, set
// when the page before is left. A step whose maximum is 0 is skipped.
using StepMaxima = std::array<int, 5>;

// The work the wizard model hands off: the install engine and its finish
// actions, the uninstall engine and its finish, the uninstaller copy. The
// Setup program binds these to the real engines; tests use fakes.
class WizardEngines {
 public:
  virtual ~WizardEngines() = default;

  // The five maxima of page 10 for these choices.
  virtual StepMaxima InstallMaxima(const InstallChoices& choices) = 0;
  // The install engine, run when page 10 is entered.
  virtual EngineResult Install(const InstallChoices& choices, const StepMaxima& maxima) = 0;
  // "終了(&E)" on page 11: restart request and the chosen run items.
  virtual void FinishInstall(const InstallChoices& choices) = 0;

  // The five maxima of page 13 for the product's record.
  virtual StepMaxima UninstallMaxima(std::string_view app_key_name) = 0;
  // The uninstall engine, run when page 13 is entered; recycle is
  // CheckBox1201 ("ファイルはごみ箱に捨てる(&D)").
  virtual EngineResult Uninstall(std::string_view app_key_name, bool recycle, const StepMaxima& maxima) = 0;
  // "終了(&E)" on page 14 with CheckBox1401 visible and checked: the restart
  // question and the restart.
  virtual void FinishUninstall(bool restart_chosen) = 0;

  // Clean-up mode: Button4 ("はい(&Y)", to_recycle_bin false) or Button6
  // ("ごみ箱へ", true) on Panel1 for the package folder (a Windows path).
  virtual void CleanUp(std::string_view package_folder, bool to_recycle_bin) = 0;
  // The pending-folder removal that ends FormShow in every mode.
  virtual void RemovePendingFolder() = 0;

  // The uninstaller copy in the Windows folder, made or refreshed when
  // needed; its Windows path.
  virtual std::string EnsureUninstaller() = 0;
};

}  // namespace setup::wizard
