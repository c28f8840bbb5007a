#include "setup/app/engine_binding.h"

#include "setup/wizard/engine/clean_up.h"
#include "setup/wizard/engine/install_engine.h"
#include "setup/wizard/engine/uninstall_engine.h"
#include "setup/wizard/record/uninstall_record.h"

namespace setup::app {

using namespace setup::wizard;

StepMaxima EngineBinding::InstallMaxima(const InstallChoices& choices) {
  return ComputeInstallMaxima(run_, script_, choices);
}

EngineResult EngineBinding::Install(const InstallChoices& choices, const StepMaxima& maxima) {
  return RunInstallEngine(run_, script_, choices, maxima);
}

void EngineBinding::FinishInstall(const InstallChoices& choices) { RunFinishActions(run_, script_, choices); }

StepMaxima EngineBinding::UninstallMaxima(std::string_view app_key_name) {
  return ComputeUninstallMaxima(run_, app_key_name);
}

EngineResult EngineBinding::Uninstall(std::string_view app_key_name, bool recycle, const StepMaxima& maxima) {
  return RunUninstallEngine(run_, app_key_name, recycle, maxima);
}

void EngineBinding::FinishUninstall(bool restart_chosen) { RunUninstallFinish(run_, restart_chosen); }

void EngineBinding::CleanUp(std::string_view package_folder, bool to_recycle_bin) {
  RunCleanUp(run_, script_, package_folder, to_recycle_bin);
}

void EngineBinding::RemovePendingFolder() { wizard::RemovePendingFolder(run_); }

std::string EngineBinding::EnsureUninstaller() { return wizard::EnsureUninstaller(run_); }

}  // namespace setup::app
