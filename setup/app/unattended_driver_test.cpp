#include "setup/app/unattended_driver.h"

#include <gtest/gtest.h>

#include <sstream>

#include "setup/app/exit_status.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/model/wizard_test_support.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::app {
namespace {

using namespace setup::wizard;

class UnattendedDriverTest : public wizard::testing::WizardTestBase {
 protected:
  // Drives a fresh model; it stays for the test to inspect.
  int Drive(WizardStart start, const UnattendedOptions& options, Answer retry_fallback = Answer::kAbort) {
    answers_ = std::make_unique<DefaultAnswerPrompter>(err_, retry_fallback);
    run_ = std::make_unique<SetupRun>(
        SetupRun{system(), *answers_, log_, launcher_, progress_, {}, "C:\\PKG\\", {}});
    model_ = std::make_unique<WizardModel>(*run_, std::move(start), engines_);
    return DriveUnattended(*model_, options, *answers_, log_);
  }

  std::ostringstream err_;
  std::unique_ptr<DefaultAnswerPrompter> answers_;
  std::unique_ptr<WizardModel> model_;
};

constexpr const char* kPages =
    "[Licence]\nCount=1\nText1=ok\n"
    "[Install]\nUse=1\nDefault=<Program>\\Sample\n"
    "[Link]\nCount=1\nSSetup=1\nDefault=Sample\nLink1=<SSetup>\\a.lnk\n"
    "[Run]\nReStart=1\nCheck=1\n";

TEST_F(UnattendedDriverTest, InstallsWithTheProposedValuesOrTheGivenOnes) {
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), {}), kExitDone) << err_.str();
  ASSERT_EQ(engines_.installs.size(), 1u);
  EXPECT_EQ(engines_.installs[0].install_folder_text, "C:\\Program Files\\Sample");
  EXPECT_EQ(engines_.installs[0].start_menu_folder, "Sample");
  EXPECT_EQ(engines_.finish_installs, 1);
  EXPECT_FALSE(model_->control(wizard::Control::kCheckBox1101).checked) << "a restart only with /restart";

  UnattendedOptions options;
  options.dir = "C:\\Apps\\Mine";
  options.group = "My Group";
  options.restart = true;
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), options), kExitDone) << err_.str();
  ASSERT_EQ(engines_.installs.size(), 2u);
  EXPECT_EQ(engines_.installs[1].install_folder_text, "C:\\Apps\\Mine");
  EXPECT_TRUE(engines_.installs[1].install_to_folder);
  EXPECT_EQ(engines_.installs[1].start_menu_folder, "My Group");
  EXPECT_TRUE(model_->control(wizard::Control::kCheckBox1101).checked);

  // Options for pages the script does not have are logged and ignored.
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript("")), options), kExitDone);
  EXPECT_EQ(log_.LinesOf("OPTION").size(), 2u);
}

TEST_F(UnattendedDriverTest, RefusalsBeforeTheEngineGiveOneAndAbortsGiveTwo) {
  UnattendedOptions bad;
  bad.dir = "C:\\Apps\\a|b";
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), bad), kExitRefused);
  EXPECT_NE(err_.str().find("フォルダ名に次の文字は使えません。"), std::string::npos) << err_.str();
  EXPECT_TRUE(engines_.installs.empty());
  EXPECT_FALSE(system().files().Exists("C:\\Apps"));

  // The start check: this package must run from a CD-ROM, and C: is fixed.
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript("CDCheck=2\n")), {}), kExitRefused);
  EXPECT_NE(err_.str().find("この製品はCD-ROM以外からインストールできません。"), std::string::npos);
  EXPECT_TRUE(engines_.installs.empty());

  engines_.result = EngineResult::kAborted;
  EXPECT_EQ(Drive(WizardStart::Setup(WriteScript(kPages)), {}), kExitAborted);
  EXPECT_EQ(engines_.installs.size(), 1u);
  EXPECT_EQ(engines_.finish_installs, 0);
}

TEST_F(UnattendedDriverTest, UninstallAndCleanUpRunTheirEnginesAndReportLeftovers) {
  ASSERT_TRUE(RegWriteString(system(), platform::target::RegistryRoot::kLocalMachine, RecordKey("Sample"),
                             "Name", "サンプル")
                  .ok());
  EXPECT_EQ(Drive(WizardStart::Uninstall("Sample"), {}, Answer::kIgnore), kExitDone);
  EXPECT_EQ(engines_.uninstalls, std::vector<std::string>{"Sample"});

  // A file that cannot be deleted: Retry is taken a bounded number of times,
  // then the file is left, and the run ends with leftovers.
  int retries = 0;
  engines_.during_engine = [&] {
    const Message failure = MakeMessage("ファイル削除に失敗しました。\nC:\\X", MessageIcon::kError,
                                        MessageButtons::kAbortRetryIgnore, Answer::kRetry);
    while (answers_->Ask(failure) == Answer::kRetry && ++retries < 100) {
    }
  };
  EXPECT_EQ(Drive(WizardStart::Uninstall("Sample"), {}, Answer::kIgnore), kExitLeftovers);
  EXPECT_EQ(retries, DefaultAnswerPrompter::kRetryLimit);
  engines_.during_engine = nullptr;

  engines_.result = EngineResult::kAborted;
  EXPECT_EQ(Drive(WizardStart::Uninstall("Sample"), {}, Answer::kIgnore), kExitAborted);

  EXPECT_EQ(Drive(WizardStart::CleanUp("C:\\PKG", WriteScript("")), {}), kExitDone);
  EXPECT_EQ(engines_.clean_ups, std::vector<std::string>{"C:\\PKG|delete"});

  // A path the engine had to leave without any question is a leftover too.
  engines_.result = EngineResult::kCompleted;
  engines_.during_engine = [&] {
    log_.AddLeftover({"D:\\App\\App.exe", "on a drive the system does not have"});
  };
  EXPECT_EQ(Drive(WizardStart::Uninstall("Sample"), {}, Answer::kIgnore), kExitLeftovers);
}

}  // namespace
}  // namespace setup::app
