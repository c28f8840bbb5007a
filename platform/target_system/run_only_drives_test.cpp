#include "platform/target_system/run_only_drives.h"

#include <gtest/gtest.h>

#include "platform/private_profile.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;
using platform::testing::TempDir;

class RunOnlyDrivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FolderSystem::Create(dir_ / "sys", InitOptions{202, "taro", ""}, &system_).ok());
    fs::create_directories(dir_ / "pkg");
  }
  TempDir dir_;
  std::unique_ptr<FolderSystem> system_;
};

TEST_F(RunOnlyDrivesTest, FolderGetsTheFirstFreeLetterOnceAndIsNeverSaved) {
  char letter = 0;
  ASSERT_TRUE(MapFolderForThisRun(*system_, dir_ / "pkg", &letter).ok());
  EXPECT_EQ(letter, 'D');
  std::string windows;
  ASSERT_TRUE(system_->drives().ToWindowsPath(dir_ / "pkg" / "Setup.dat", &windows).ok());
  EXPECT_EQ(windows, "D:\\Setup.dat");
  EXPECT_TRUE(system_->files().IsFolder("D:\\"));

  // The same folder again keeps its letter; another one takes the next.
  char again = 0;
  ASSERT_TRUE(MapFolderForThisRun(*system_, dir_ / "pkg" / ".", &again).ok());
  EXPECT_EQ(again, 'D');
  fs::create_directories(dir_ / "other");
  ASSERT_TRUE(MapFolderForThisRun(*system_, dir_ / "other", &again).ok());
  EXPECT_EQ(again, 'E');

  std::unique_ptr<FolderSystem> reopened;
  ASSERT_TRUE(FolderSystem::Open(dir_ / "sys", &reopened).ok());
  EXPECT_EQ(reopened->drives().FindDrive('D'), nullptr);
  EXPECT_TRUE(reopened->run_only_drives().empty());
}

TEST_F(RunOnlyDrivesTest, ChildSeesTheSameDrivesThroughTheVariableText) {
  char letter = 0;
  ASSERT_TRUE(MapFolderForThisRun(*system_, dir_ / "pkg", &letter).ok());
  const std::string text = RunOnlyDrivesText(*system_);
  EXPECT_EQ(text, "D=fixed," + (dir_ / "pkg").string());

  std::unique_ptr<FolderSystem> child;
  ASSERT_TRUE(FolderSystem::Open(dir_ / "sys", &child).ok());
  ASSERT_TRUE(AddRunOnlyDrivesFromText(*child, text).ok());
  fs::path host;
  ASSERT_TRUE(child->drives().ToHostPath("D:\\Setup.dat", &host).ok());
  EXPECT_EQ(host, dir_ / "pkg" / "Setup.dat");
  // Passing the same text on to a grandchild that has it already is fine.
  EXPECT_TRUE(AddRunOnlyDrivesFromText(*child, text).ok());
}

TEST_F(RunOnlyDrivesTest, BadLinesAreRefusedAndTheGoodOnesStillAdded) {
  const std::string text =
      "C=fixed,/elsewhere\nQ=fixed,relative\nnonsense\nR=bogus,/x\nS=cdrom," + (dir_ / "pkg").string() + "\n";
  const Status s = AddRunOnlyDrivesFromText(*system_, text);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.ToString().find("C:"), std::string::npos) << s.ToString();
  fs::path host;
  ASSERT_TRUE(system_->drives().ToHostPath("C:\\", &host).ok());
  EXPECT_EQ(host, (dir_ / "sys" / "drive_c"));
  EXPECT_EQ(system_->drives().FindDrive('Q'), nullptr);
  EXPECT_EQ(system_->drives().FindDrive('R'), nullptr);
  ASSERT_NE(system_->drives().FindDrive('S'), nullptr);
  EXPECT_EQ(system_->drives().TypeOf("S:\\"), DriveType::kCdRom);
}

TEST_F(RunOnlyDrivesTest, RestartCommandSurvivesASaveOfTheSettings) {
  const fs::path file = dir_ / "sys" / kSystemSettingsFileName;
  ASSERT_TRUE(WritePrivateProfileString("System", "RestartCommand", "touch /tmp/x", file).ok());
  SystemSettings settings;
  ASSERT_TRUE(LoadSystemSettings(dir_ / "sys", &settings).ok());
  EXPECT_EQ(settings.restart_command, "touch /tmp/x");
  ASSERT_TRUE(SaveSystemSettings(dir_ / "sys", settings).ok());
  SystemSettings again;
  ASSERT_TRUE(LoadSystemSettings(dir_ / "sys", &again).ok());
  EXPECT_EQ(again.restart_command, "touch /tmp/x");
}

}  // namespace
}  // namespace platform::target
