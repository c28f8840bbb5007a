#pragma once

#include <string>
#include <string_view>

#include "setup/core/setup_script.h"
#include "setup/wizard/engines.h"
#include "setup/wizard/setup_run.h"

namespace setup::app {

// The wizard's engine work bound to the real engines: install with the
// package's script, uninstall from the record, clean-up of a package folder.
class EngineBinding : public wizard::WizardEngines {
 public:
  // script: the package's "Setup.dat" (setup and clean-up modes; unused
  // when uninstalling).
  EngineBinding(wizard::SetupRun& run, SetupScript script) : run_(run), script_(std::move(script)) {}

  wizard::StepMaxima InstallMaxima(const wizard::InstallChoices& choices) override;
  wizard::EngineResult Install(const wizard::InstallChoices& choices,
                               const wizard::StepMaxima& maxima) override;
  void FinishInstall(const wizard::InstallChoices& choices) override;
  wizard::StepMaxima UninstallMaxima(std::string_view app_key_name) override;
  wizard::EngineResult Uninstall(std::string_view app_key_name, bool recycle,
                                 const wizard::StepMaxima& maxima) override;
  void FinishUninstall(bool restart_chosen) override;
  void CleanUp(std::string_view package_folder, bool to_recycle_bin) override;
  void RemovePendingFolder() override;
  std::string EnsureUninstaller() override;

 private:
  wizard::SetupRun& run_;
  SetupScript script_;
};

}  // namespace setup::app
