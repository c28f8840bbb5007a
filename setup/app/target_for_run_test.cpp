#include "setup/app/target_for_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/target_system/run_only_drives.h"
#include "platform/target_system/scoped_env_for_test.h"
#include "platform/testing/temp_dir.h"
#include "setup/core/test_system.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;
using platform::target::FolderSystem;
using platform::target::TargetSystem;
using platform::target::testing::ScopedEnv;

TEST(TargetForRunTest, SourceFolderIsTheProgramsFolderOnADriveOrOnADriveOfItsOwn) {
  setup::testing::TestSystem system;
  fs::create_directories(system.dir() / "share" / "pkg");
  fs::create_directories(system.dir() / "loose");
  // Drive P shows the share; nothing else of the host is on a drive.
  platform::target::SystemSettings settings = system->settings();
  std::erase_if(settings.drives, [](const auto& d) { return d.letter != 'C'; });
  settings.drives.push_back({'P', system.dir() / "share", platform::target::DriveType::kRemote});
  ASSERT_TRUE(platform::target::SaveSystemSettings(system->folder(), settings).ok());
  std::unique_ptr<FolderSystem> reopened;
  ASSERT_TRUE(FolderSystem::Open(system->folder(), &reopened).ok());

  EXPECT_EQ(SourceFolderFor(*reopened, system.dir() / "share" / "pkg" / "Setup"), "P:\\pkg\\");
  EXPECT_TRUE(reopened->run_only_drives().empty());
  EXPECT_EQ(SourceFolderFor(*reopened, system.dir() / "loose" / "Setup"), "D:\\");
  EXPECT_EQ(WindowsFolderFor(*reopened, system->folder() / "drive_c" / "WINDOWS"), "C:\\WINDOWS");
  EXPECT_EQ(WindowsFolderFor(*reopened, system.dir() / "loose"), "D:\\");
  EXPECT_EQ(reopened->run_only_drives().size(), 1u);
}

TEST(TargetForRunTest, NamedSystemMustExistTheDefaultIsCreatedAndSaidSo) {
  platform::testing::TempDir dir;
  const fs::path program = dir / "bin" / "Setup";
  std::unique_ptr<FolderSystem> system;
  {
    ScopedEnv named("KESTRO_SYSTEM", (dir / "nothing").string());
    std::ostringstream err;
    EXPECT_FALSE(OpenTargetForRun(program, err, &system));
    EXPECT_NE(err.str().find("no target system in " + (dir / "nothing").string()), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "nothing"));
  }
  ScopedEnv unnamed("KESTRO_SYSTEM", std::nullopt);
  ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
  ScopedEnv drives(platform::target::kRunOnlyDrivesVariable, "P=cdrom," + (dir / "pkg").string());
  std::ostringstream first;
  ASSERT_TRUE(OpenTargetForRun(program, first, &system));
  EXPECT_EQ(system->folder(), dir / "data" / "kestro" / "system");
  EXPECT_NE(first.str().find("created"), std::string::npos);
  EXPECT_EQ(system->drives().TypeOf("P:\\"), platform::target::DriveType::kNoRootDir)
      << "the folder behind P: does not exist yet";
  ASSERT_NE(system->drives().FindDrive('P'), nullptr);

  std::ostringstream second;
  ASSERT_TRUE(OpenTargetForRun(program, second, &system));
  EXPECT_EQ(second.str(), "");
}

TEST(TargetForRunTest, UninstallerCopyFindsTheSystemThatHoldsIt) {
  setup::testing::TestSystem system;
  ScopedEnv unnamed("KESTRO_SYSTEM", std::nullopt);
  ScopedEnv data("XDG_DATA_HOME", (system.dir() / "data").string());
  std::unique_ptr<FolderSystem> found;
  std::ostringstream err;
  ASSERT_TRUE(OpenTargetForRun(system->folder() / "drive_c" / "WINDOWS" / "kestro.exe", err, &found));
  EXPECT_EQ(found->folder(), system->folder());
  EXPECT_FALSE(fs::exists(system.dir() / "data"));

  // Only the uninstaller copy, and only in the Windows folder, finds it.
  const fs::path windows = system->folder() / "drive_c" / "WINDOWS";
  EXPECT_EQ(SystemOfUninstallerCopy(windows / "KESTRO.EXE"), system->folder());
  EXPECT_EQ(SystemOfUninstallerCopy(windows / "Setup"), std::nullopt);
  EXPECT_EQ(SystemOfUninstallerCopy(system->folder() / "drive_c" / "App" / "kestro.exe"), std::nullopt);
  EXPECT_EQ(SystemOfUninstallerCopy(system->folder() / "kestro.exe"), std::nullopt);
}

}  // namespace
}  // namespace setup::app
