#pragma once

// Fakes for tests of the wizard: engines that record what they were asked,
// a prompter that answers from a script, a launcher that starts nothing.

#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "setup/core/test_system.h"
#include "setup/wizard/engines.h"
#include "setup/wizard/setup_run.h"
#include "setup/wizard/test_fakes.h"

namespace setup::wizard::testing {

class FakeEngines : public WizardEngines {
 public:
  StepMaxima InstallMaxima(const InstallChoices&) override { return install_maxima; }
  EngineResult Install(const InstallChoices& choices, const StepMaxima& maxima) override {
    installs.push_back(choices);
    install_maxima_given = maxima;
    if (during_engine) during_engine();
    return result;
  }
  void FinishInstall(const InstallChoices&) override { ++finish_installs; }
  StepMaxima UninstallMaxima(std::string_view) override { return uninstall_maxima; }
  EngineResult Uninstall(std::string_view name, bool recycle, const StepMaxima&) override {
    uninstalls.emplace_back(name);
    uninstall_recycle = recycle;
    if (during_engine) during_engine();
    return result;
  }
  void FinishUninstall(bool restart) override { finish_uninstalls.push_back(restart); }
  void CleanUp(std::string_view folder, bool to_recycle_bin) override {
    clean_ups.emplace_back(std::string(folder) + (to_recycle_bin ? "|recycle" : "|delete"));
  }
  void RemovePendingFolder() override { ++pending_removals; }
  std::string EnsureUninstaller() override { return "C:\\WINDOWS\\kestro.exe"; }

  StepMaxima install_maxima{3, 1, 0, 2, 0};
  StepMaxima uninstall_maxima{0, 4, 1, 0, 1};
  StepMaxima install_maxima_given{};
  EngineResult result = EngineResult::kCompleted;
  std::function<void()> during_engine;
  std::vector<InstallChoices> installs;
  int finish_installs = 0;
  std::vector<std::string> uninstalls;
  bool uninstall_recycle = false;
  std::vector<bool> finish_uninstalls;
  std::vector<std::string> clean_ups;
  int pending_removals = 0;
};

// A target system with a package folder C:\PKG\ whose Setup.dat the test
// writes, and a run of the installer on it.
class WizardTestBase : public ::testing::Test {
 protected:
  explicit WizardTestBase(int os_kind = 202) : base_(os_kind) {}

  platform::target::FolderSystem& system() { return reopened_ ? *reopened_ : *base_; }

  // Writes C:\PKG\Setup.dat (given in UTF-8; stored as code page 932) and
  // returns its reader. The [Define] Application line comes first.
  SetupScript WriteScript(const std::string& body) {
    EXPECT_TRUE(system().files().CreateFolderTree("C:\\PKG").ok());
    EXPECT_TRUE(system()
                    .files()
                    .WriteFile("C:\\PKG\\Setup.dat",
                               platform::Utf8ToCp932("[Define]\nApplication=kestro Setup 1.00\n" + body))
                    .ok());
    std::filesystem::path host;
    EXPECT_TRUE(system().drives().ToHostPath("C:\\PKG\\Setup.dat", &host).ok());
    return SetupScript(host);
  }

  // Adds a drive of that type (a fresh host folder) and reopens the system.
  void AddDrive(char letter, platform::target::DriveType type) {
    platform::target::SystemSettings settings = system().settings();
    const std::filesystem::path folder = base_.dir() / (std::string("drive_") + letter);
    std::filesystem::create_directories(folder);
    settings.drives.push_back({letter, folder, type});
    ASSERT_TRUE(platform::target::SaveSystemSettings(system().folder(), settings).ok());
    ASSERT_TRUE(platform::target::FolderSystem::Open(system().folder(), &reopened_).ok());
  }

  SetupRun& Run(std::string source_folder = "C:\\PKG\\", std::vector<std::string> arguments = {}) {
    run_ = std::make_unique<SetupRun>(SetupRun{
        system(), prompter_, log_, launcher_, progress_, {}, std::move(source_folder), std::move(arguments)});
    return *run_;
  }

  setup::testing::TestSystem base_;
  std::unique_ptr<platform::target::FolderSystem> reopened_;
  FakeEngines engines_;
  ScriptedPrompter prompter_;
  RecordingLauncher launcher_;
  ActionLog log_;
  EngineProgress progress_;
  std::unique_ptr<SetupRun> run_;
};

}  // namespace setup::wizard::testing
