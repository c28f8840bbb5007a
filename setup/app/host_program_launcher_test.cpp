#include "setup/app/host_program_launcher.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/private_profile.h"
#include "platform/target_system/run_only_drives.h"
#include "setup/core/test_system.h"
#include "setup/wizard/engine_progress.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;

// Writes its arguments, one per bracket pair, and what it knows of the
// target system beside itself.
constexpr const char* kProbe =
    "#!/bin/sh\n"
    "out=\"$(dirname \"$0\")/out.txt\"\n"
    "sleep 0.1\n"
    "for a in \"$@\"; do printf '[%s]' \"$a\" >> \"$out\"; done\n"
    "printf '\\n%s\\n%s\\n%s\\n' \"$KESTRO_SYSTEM\" \"$KESTRO_RUN_DRIVES\" \"$KESTRO_UNATTENDED\" >> \"$out\"\n";

class CountingProgress : public wizard::EngineProgress {
 public:
  void Pump() override { ++pumps; }
  int pumps = 0;
};

class HostProgramLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tools_ = system_->folder() / "drive_c" / "tools";
    fs::create_directories(tools_);
    ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "probe", kProbe));
    fs::permissions(tools_ / "probe", fs::perms::owner_all);
    ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "readme.txt", "#!/bin/sh\ntouch gone\n"));
  }
  std::string Output() {
    std::string text;
    EXPECT_TRUE(platform::ReadWholeFile(tools_ / "out.txt", text));
    return text;
  }

  setup::testing::TestSystem system_;
  fs::path tools_;
  wizard::ActionLog log_;
};

TEST_F(HostProgramLauncherTest, RunAndWaitPassesWindowsArgumentsAndTheSameSystem) {
  fs::create_directories(system_.dir() / "pkg");
  char letter = 0;
  ASSERT_TRUE(platform::target::MapFolderForThisRun(*system_, system_.dir() / "pkg", &letter).ok());
  HostProgramLauncher launcher(*system_, log_, true);
  CountingProgress progress;
  ASSERT_TRUE(launcher.RunAndWait("C:\\TOOLS\\probe /x \"two words\" a\\\"b", progress));
  EXPECT_GT(progress.pumps, 0);
  EXPECT_EQ(Output(), "[/x][two words][a\"b]\n" + system_->folder().string() + "\n" + letter +
                          "=fixed," + (system_.dir() / "pkg").string() + "\n1\n");
  ASSERT_EQ(log_.LinesOf("EXIT").size(), 1u);
  EXPECT_EQ(log_.LinesOf("EXIT")[0], "EXIT\tC:\\TOOLS\\probe\t/x \"two words\" a\\\"b\t0");
}

TEST_F(HostProgramLauncherTest, StartDoesNotWaitAndOnlyProgramsAreStarted) {
  HostProgramLauncher launcher(*system_, log_, false);
  EXPECT_FALSE(launcher.Start("C:\\tools\\readme.txt", ""));
  EXPECT_FALSE(launcher.Start("Q:\\tools\\probe", ""));
  EXPECT_FALSE(launcher.Start("C:\\tools\\missing.exe", ""));
  EXPECT_FALSE(launcher.Start("C:\\tools", ""));
  EXPECT_FALSE(fs::exists(tools_ / "gone"));
  const auto skipped = log_.LinesOf("SKIP");
  ASSERT_EQ(skipped.size(), 4u);
  EXPECT_EQ(skipped[0], "SKIP\tC:\\tools\\readme.txt\t\tnot a program");
  EXPECT_EQ(skipped[1], "SKIP\tQ:\\tools\\probe\t\tnot on a drive of this system");
  ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "quiet", "#!/bin/sh\nexit 0\n"));
  fs::permissions(tools_ / "quiet", fs::perms::owner_all);
  EXPECT_TRUE(launcher.Start("C:\\tools\\quiet", "one"));
  EXPECT_EQ(log_.LinesOf("SKIP").size(), 4u);
}

TEST_F(HostProgramLauncherTest, RestartRunsTheSystemsCommandOrIsOnlyRecorded) {
  {
    HostProgramLauncher launcher(*system_, log_, false);
    launcher.RestartWindows();
    EXPECT_EQ(log_.LinesOf("REBOOT").at(0), "REBOOT\t\trecorded");
  }
  const fs::path marker = system_.dir() / "restarted";
  ASSERT_TRUE(platform::WritePrivateProfileString(
      "System", "RestartCommand", "echo \"$KESTRO_SYSTEM\" > '" + marker.string() + "'",
      system_->folder() / platform::target::kSystemSettingsFileName));
  std::unique_ptr<platform::target::FolderSystem> reopened;
  ASSERT_TRUE(platform::target::FolderSystem::Open(system_->folder(), &reopened).ok());
  HostProgramLauncher launcher(*reopened, log_, false);
  launcher.RestartWindows();
  std::string text;
  ASSERT_TRUE(platform::ReadWholeFile(marker, text));
  EXPECT_EQ(text, system_->folder().string() + "\n");
  EXPECT_NE(log_.LinesOf("REBOOT").at(1).find("\texit 0"), std::string::npos);
}

}  // namespace
}  // namespace setup::app
