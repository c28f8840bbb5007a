#include "setup/wizard/engine/install_engine.h"

#include "setup/wizard/engine/favorites.h"
#include "setup/wizard/engine/install_run.h"

namespace setup::wizard {
namespace {

bool FavoriteTargetChosen(const InstallChoices& choices) {
  return choices.add_favorites || choices.add_bookmarks;
}

}  // namespace

StepMaxima ComputeInstallMaxima(SetupRun& /*run*/, const SetupScript& script, const InstallChoices& choices) {
  const bool cd_rom_run = !choices.install_to_folder;
  StepMaxima maxima{};
  maxima[kFilesStep] = cd_rom_run ? script.ReadInteger("File", "CountMin") : script.ReadCount("File");
  maxima[kFoldersStep] = cd_rom_run ? script.ReadInteger("Folder", "CountMin") : script.ReadCount("Folder");

  int shortcuts = 0;
  if (choices.start_menu) {
    shortcuts += script.ReadInteger("Link", "Menu") + script.ReadInteger("Link", "SSetup");
  }
  if (choices.startup) shortcuts += script.ReadInteger("Link", "Startup");
  if (choices.desktop) shortcuts += script.ReadInteger("Link", "Desktop");
  if (choices.send_to) shortcuts += script.ReadInteger("Link", "Sendto");
  if (choices.quick_launch) shortcuts += script.ReadInteger("Link", "Quick");
  maxima[kShortcutsStep] = shortcuts;

  // Counted wide: three lists of 2147483647 must not wrap round and skip
  // the step.
  std::int64_t registry = 0;
  for (std::string_view list : {"Registry", "IniFile", "UserInfomation"}) {
    registry += std::min<std::int64_t>(script.ReadCount(list), script.HighestItemNumber(list));
  }
  if (choices.associate) registry += static_cast<std::int64_t>(SelectedExtensionItems(choices).size());
  registry += script.Read("Install", "Save", "1") == "1" ? 1 : 0;
  registry += script.Read("Link", "Save", "1") == "1" ? 1 : 0;
  registry += script.Read("Uninstall", "Use", "0") == "1" ? 1 : 0;
  maxima[kRegistryStep] = static_cast<int>(std::min<std::int64_t>(registry, INT32_MAX));

  int favorites = 0;
  if (FavoriteTargetChosen(choices)) {
    for (std::size_t i = 0; i < 3; ++i) {
      if (choices.favorite_slot_visible[i] && choices.favorite_slot_checked[i]) ++favorites;
    }
  }
  maxima[kFavoritesStep] = favorites;
  return maxima;
}

EngineResult RunInstallEngine(SetupRun& run, const SetupScript& script, const InstallChoices& choices,
                              const StepMaxima& maxima) {
  InstallRun install(run, script, choices);
  run.log.Add("INSTALL", {install.app_key_name, install.install_folder,
                          install.cd_rom_run ? "CD-ROM run" : "to folder"});
  // A step whose bar has no maximum is skipped as a whole.
  if (maxima[kFilesStep] > 0 && InstallFiles(install) == EngineResult::kAborted) {
    return EngineResult::kAborted;
  }
  if (maxima[kFoldersStep] > 0 && MakeFolders(install) == EngineResult::kAborted) {
    return EngineResult::kAborted;
  }
  if (maxima[kShortcutsStep] > 0) MakeShortcuts(install);
  if (maxima[kRegistryStep] > 0) {
    StepProgress bar(run.progress, kRegistryStep);
    ApplyRegistryEntries(install, bar);
    WriteUninstallRecord(install, bar);
  }
  if (maxima[kFavoritesStep] > 0) {
    StepProgress bar(run.progress, kFavoritesStep);
    for (int slot = 1; slot <= 3; ++slot) {
      if (AddFavorite(run, script, choices, slot)) bar.Advance();
    }
  }
  run.progress.Pump();
  run.log.Add("DONE", {"install", install.app_key_name});
  return EngineResult::kCompleted;
}

}  // namespace setup::wizard
