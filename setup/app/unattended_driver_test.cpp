#include "setup/app/unattended_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "platform/cp932.h"
#include "setup/app/exit_status.h"
#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"
#include "setup/wizard/record_keys.h"

namespace setup::app {
namespace {

using namespace setup::wizard;

// Engines that record what the wizard handed them.
class RecordingEngines : public WizardEngines {
 public:
  StepMaxima InstallMaxima(const InstallChoices&) override { return {1, 0, 0, 0, 0}; }
  EngineResult Install(const InstallChoices& choices, const StepMaxima&) override {
    installs.push_back(choices);
    if (during) during();
    return result;
  }
  void FinishInstall(const InstallChoices& choices) override { finishes.push_back(choices); }
  StepMaxima UninstallMaxima(std::string_view) override { return {0, 1, 0, 0, 1}; }
  EngineResult Uninstall(std::string_view name, bool, const StepMaxima&) override {
    uninstalls.emplace_back(name);
    if (during) during();
    return result;
  }
  void FinishUninstall(bool restart) override { uninstall_restarts.push_back(restart); }
  void CleanUp(std::string_view folder, bool recycle) override {
    clean_ups.push_back(std::string(folder) + (recycle ? " recycle" : " delete"));
  }
  void RemovePendingFolder() override {}
  std::string EnsureUninstaller() override { return "C:\\WINDOWS\\kestro.exe"; }

  EngineResult result = EngineResult::kCompleted;
  std::function<void()> during;
  std::vector<InstallChoices> installs;
  std::vector<InstallChoices> finishes;
  std::vector<std::string> uninstalls;
  std::vector<bool> uninstall_restarts;
  std::vector<std::string> clean_ups;
};

class NoLauncher : public ProgramLauncher {
 public:
  bool Start(std::string_view, std::string_view) override { return false; }
  bool RunAndWait(std::string_view, EngineProgress&) override { return false; }
  void RestartWindows() override {}
};

class UnattendedDriverTest : public ::testing::Test {
 protected:
  SetupScript WriteScript(const std::string& body) {
    EXPECT_TRUE(system_->files().CreateFolderTree("C:\\PKG").ok());
    EXPECT_TRUE(system_->files()
                    .WriteFile("C:\\PKG\\Setup.dat",
                               platform::Utf8ToCp932("[Define]\r\nApplication=kestro Setup 1.00\r\n" + body))
                    .ok());
    std::filesystem::path host;
    EXPECT_TRUE(system_->drives().ToHostPath("C:\\PKG\\Setup.dat", &host).ok());
    return SetupScript(host);
  }
  int Drive(WizardStart start, const UnattendedOptions& options, Answer retry_fallback = Answer::kAbort) {
    prompter_ = std::make_unique<DefaultAnswerPrompter>(err_, log_, retry_fallback);
    SetupRun run{*system_, *prompter_, log_, launcher_, progress_, {}, "C:\\PKG\\", {}};
    WizardModel model(run, std::move(start), engines_);
    return DriveUnattended(model, options, *prompter_, log_);
  }

  setup::testing::TestSystem system_;
  std::ostringstream err_;
  ActionLog log_;
  NoLauncher launcher_;
  EngineProgress progress_;
  RecordingEngines engines_;
  std::unique_ptr<DefaultAnswerPrompter> prompter_;
};

constexpr const char* kPages =
    "[Licence]\r\nCount=1\r\nText1=ok\r\n"
    "[Install]\r\nUse=1\r\nDefault=<Program>\\Sample\r\n"
    "[Link]\r\nCount=1\r\nSSetup=1\r\nDefault=Sample\r\nLink1=<SSetup>\\a.lnk\r\n"
    "[Run]\r\nReStart=1\r\nCheck=1\r\n";

TEST_F(UnattendedDriverTest, InstallsWithTheProposedValuesOrTheGivenOnes) {
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), {}), kExitDone) << err_.str();
  ASSERT_EQ(engines_.installs.size(), 1u);
  EXPECT_EQ(engines_.installs[0].install_folder_text, "C:\\Program Files\\Sample");
  EXPECT_EQ(engines_.installs[0].start_menu_folder, "Sample");
  ASSERT_EQ(engines_.finishes.size(), 1u);
  EXPECT_FALSE(engines_.finishes[0].restart_checked) << "a restart only with /restart";

  UnattendedOptions options;
  options.dir = "C:\\Apps\\Mine";
  options.group = "My Group";
  options.restart = true;
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), options), kExitDone) << err_.str();
  ASSERT_EQ(engines_.installs.size(), 2u);
  EXPECT_EQ(engines_.installs[1].install_folder_text, "C:\\Apps\\Mine");
  EXPECT_TRUE(engines_.installs[1].install_to_folder);
  EXPECT_EQ(engines_.installs[1].start_menu_folder, "My Group");
  EXPECT_TRUE(engines_.finishes[1].restart_checked);
}

TEST_F(UnattendedDriverTest, OptionsForMissingPagesAreLoggedAndIgnored) {
  UnattendedOptions options;
  options.dir = "C:\\Apps\\Mine";
  options.group = "G";
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript("")), options), kExitDone);
  EXPECT_EQ(log_.LinesOf("OPTION").size(), 2u);
  ASSERT_EQ(engines_.installs.size(), 1u);
}

TEST_F(UnattendedDriverTest, RefusalsBeforeTheEngineGiveOneAndAbortsGiveTwo) {
  UnattendedOptions bad;
  bad.dir = "C:\\Apps\\a|b";
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), bad), kExitRefused);
  EXPECT_NE(err_.str().find("フォルダ名に次の文字は使えません。"), std::string::npos) << err_.str();
  EXPECT_TRUE(engines_.installs.empty());
  EXPECT_FALSE(system_->files().Exists("C:\\Apps"));

  // The start check: this package must run from a CD-ROM, and C: is fixed.
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript("CDCheck=2\r\n")), {}), kExitRefused);
  EXPECT_NE(err_.str().find("この製品はCD-ROM以外からインストールできません。"), std::string::npos);
  EXPECT_TRUE(engines_.installs.empty());

  engines_.result = EngineResult::kAborted;
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), {}), kExitAborted);
  EXPECT_EQ(engines_.installs.size(), 1u);
  EXPECT_TRUE(engines_.finishes.empty());
}

TEST_F(UnattendedDriverTest, UninstallAndCleanUpRunTheirEnginesAndReportLeftovers) {
  ASSERT_TRUE(RegWriteString(*system_, platform::target::RegistryRoot::kLocalMachine,
                             RecordKey("Sample"), "Name", "サンプル"));
  EXPECT_EQ(Drive(WizardStart::Uninstall("Sample"), {}, Answer::kIgnore), kExitDone);
  EXPECT_EQ(engines_.uninstalls, std::vector<std::string>{"Sample"});

  // A file that cannot be deleted: Retry is taken a bounded number of times,
  // then the file is left, and the run ends with leftovers.
  int asked = 0;
  engines_.during = [&] {
    const Message failure = MakeMessage("ファイル削除に失敗しました。\nC:\\X", MessageIcon::kError,
                                        MessageButtons::kAbortRetryIgnore, Answer::kRetry);
    while (prompter_->Ask(failure) == Answer::kRetry && ++asked < 100) {
    }
  };
  EXPECT_EQ(Drive(WizardStart::Uninstall("Sample"), {}, Answer::kIgnore), kExitLeftovers);
  EXPECT_EQ(asked, DefaultAnswerPrompter::kRetryLimit);
  engines_.during = nullptr;

  engines_.result = EngineResult::kAborted;
  EXPECT_EQ(Drive(WizardStart::Uninstall("Sample"), {}, Answer::kIgnore), kExitAborted);

  EXPECT_EQ(Drive(WizardStart::CleanUp("C:\\PKG", WriteScript("")), {}), kExitDone);
  EXPECT_EQ(engines_.clean_ups, std::vector<std::string>{"C:\\PKG delete"});
}

}  // namespace
}  // namespace setup::app
