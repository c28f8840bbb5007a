#include "setup/wizard/engine/clean_up.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/target_system/scoped_env_for_test.h"
#include "setup/core/test_system.h"
#include "setup/wizard/engine/uninstall_fixture_for_test.h"

namespace setup::wizard {
namespace {

namespace fs = std::filesystem;
using platform::target::RegistryRoot;
using testing::MakeFile;
using testing::RunHarness;

const std::string kPackage = "C:\\Downloads\\Maker\\Disk1";

std::string Pending(platform::target::TargetSystem& system) {
  return RegReadString(system, RegistryRoot::kLocalMachine, kUninstallRecordRoot, "Folder", "-");
}

class CleanUpTest : public ::testing::Test {
 protected:
  platform::target::TargetSystem& sys() { return *system_; }
  bool Exists(const std::string& name) { return sys().files().Exists(kPackage + "\\" + name); }

  // A package folder with its script; extra names are made as files too.
  SetupScript MakePackage(const std::string& script_body, std::initializer_list<std::string> files) {
    MakeFile(sys(), kPackage + "\\Setup.dat", "[Define]\r\nApplication=kestro Setup 1.00\r\n" + script_body);
    MakeFile(sys(), kPackage + "\\Setup.exe", "program");
    for (const std::string& name : files) MakeFile(sys(), kPackage + "\\" + name);
    fs::path host;
    EXPECT_TRUE(sys().drives().ToHostPath(kPackage + "\\Setup.dat", &host).ok());
    return SetupScript(host);
  }

  setup::testing::TestSystem system_;
};

constexpr const char* kFullScript =
    "ClassFile=pic.bmp\r\nAutorun=2\r\nAutorunIcon=disk.ico\r\n"
    "[File]\r\nCount=2\r\nFile1=app.exe\r\nFile2=sub\\lib.dll\r\n";

TEST_F(CleanUpTest, DeletesThePackageAndItsEmptyParents) {
  const SetupScript script = MakePackage(
      kFullScript, {"app.exe", "sub\\lib.dll", "pic.bmp", "Autorun.inf", "disk.ico", "Autorun.exe"});
  RunHarness h(sys());
  RunCleanUp(h.run, script, kPackage, false);
  EXPECT_FALSE(sys().files().Exists(kPackage));
  EXPECT_FALSE(sys().files().Exists("C:\\Downloads"));
  EXPECT_EQ(Pending(sys()), "-");
  // Listed files, installer, script, picture and three autorun files, each
  // logged as deleted and none as kept.
  EXPECT_EQ(h.log.LinesOf("DELETE").size(), 8u);
  EXPECT_EQ(h.log.LinesOf("KEEP"), std::vector<std::string>{});
}

TEST_F(CleanUpTest, RecyclesWhenAskedTo) {
  const platform::testing::TempDir data;
  platform::target::testing::ScopedEnv xdg("XDG_DATA_HOME", data.path().string());
  const SetupScript script =
      MakePackage("ClassFile=pic.bmp\r\n[File]\r\nCount=1\r\nFile1=app.exe\r\n", {"app.exe", "pic.bmp"});
  RunHarness h(sys());
  RunCleanUp(h.run, script, kPackage, true);
  for (const char* name : {"app.exe", "pic.bmp", "Setup.exe", "Setup.dat"}) {
    EXPECT_TRUE(fs::exists(data.path() / "Trash" / "files" / name)) << name;
  }
  EXPECT_FALSE(sys().files().Exists(kPackage));
  EXPECT_EQ(h.log.LinesOf("RECYCLE").size(), 4u);
}

TEST_F(CleanUpTest, AFolderThatStaysIsRemovedAtTheNextStart) {
  MakeFile(sys(), "C:\\Downloads\\Maker\\outside.txt", "not the package's");
  const SetupScript script = MakePackage(
      "[File]\r\nCount=4\r\nFile1=app.exe\r\nFile2=..\\outside.txt\r\nFile3=.\r\nFile4=C:\\boot.ini\r\n",
      {"app.exe", "notes.txt"});
  MakeFile(sys(), "C:\\boot.ini", "system");
  RunHarness h(sys());
  RunCleanUp(h.run, script, kPackage, false);
  EXPECT_TRUE(sys().files().Exists("C:\\Downloads\\Maker\\outside.txt"));
  EXPECT_TRUE(sys().files().Exists("C:\\boot.ini"));
  EXPECT_FALSE(Exists("app.exe"));
  EXPECT_TRUE(Exists("notes.txt"));
  EXPECT_EQ(Pending(sys()), kPackage);

  ASSERT_TRUE(sys().files().DeleteFile(kPackage + "\\notes.txt").ok());
  RunHarness next(sys());
  RemovePendingFolder(next.run);
  EXPECT_FALSE(sys().files().Exists(kPackage));
  EXPECT_TRUE(sys().files().Exists("C:\\Downloads\\Maker"));  // holds outside.txt
  EXPECT_EQ(Pending(sys()), "-");
  EXPECT_EQ(next.log.LinesOf("RMDIR").size(), 1u);

  RunHarness again(sys());
  RemovePendingFolder(again.run);
  EXPECT_TRUE(again.log.lines().empty());
}

// Makes the installer file again whenever events are processed: a file that
// never becomes free.
class RecreatingProgress : public EngineProgress {
 public:
  explicit RecreatingProgress(platform::target::TargetSystem& system) : system_(system) {}
  int pumps = 0;
  void Pump() override {
    ++pumps;
    MakeFile(system_, kPackage + "\\Setup.exe", "still running");
  }

 private:
  platform::target::TargetSystem& system_;
};

TEST_F(CleanUpTest, AFileThatNeverGoesDoesNotHangTheCleanUp) {
  const SetupScript script = MakePackage("", {});
  RecreatingProgress progress(sys());
  testing::ScriptedPrompter prompter;
  ActionLog log;
  testing::RecordingLauncher launcher;
  SetupRun run{sys(), prompter, log, launcher, progress, {}, {}, {}};
  RunCleanUp(run, script, kPackage, false);
  EXPECT_TRUE(Exists("Setup.exe"));
  EXPECT_FALSE(Exists("Setup.dat"));
  EXPECT_LT(progress.pumps, 100);
  ASSERT_EQ(log.LinesOf("KEEP").size(), 1u);
  EXPECT_EQ(Pending(sys()), kPackage);
}

TEST_F(CleanUpTest, AFileThatCannotBeDeletedIsLeftAfterABoundedWait) {
  const SetupScript script = MakePackage("", {});
  fs::path host;
  ASSERT_TRUE(sys().drives().ToHostPath(kPackage + "\\Setup.dat", &host).ok());
  const testing::Undeletable lock(host);
  if (!lock.works()) GTEST_SKIP() << "no way to make an undeletable file here";
  RunHarness h(sys());
  RunCleanUp(h.run, script, kPackage, false);
  EXPECT_TRUE(Exists("Setup.dat"));
  EXPECT_FALSE(Exists("Setup.exe"));
  ASSERT_EQ(h.log.LinesOf("KEEP").size(), 1u);
  EXPECT_NE(h.log.LinesOf("KEEP")[0].find("Setup.dat"), std::string::npos);
  EXPECT_EQ(Pending(sys()), kPackage);
}

TEST_F(CleanUpTest, EmptyFoldersBehindALinkOutOfTheDriveStay) {
  const platform::testing::TempDir outside;
  fs::create_directories(outside / "empty" / "deeper");
  const SetupScript script = MakePackage("", {});
  fs::path host;
  ASSERT_TRUE(sys().drives().ToHostPath(kPackage, &host).ok());
  fs::create_directory_symlink(outside.path(), host / "linked");
  RunHarness h(sys());
  RunCleanUp(h.run, script, kPackage, false);
  EXPECT_TRUE(fs::exists(outside / "empty" / "deeper"));
  EXPECT_EQ(Pending(sys()), kPackage);
}

}  // namespace
}  // namespace setup::wizard
