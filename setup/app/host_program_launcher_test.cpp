#include "setup/app/host_program_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/private_profile.h"
#include "platform/target_system/run_only_drives.h"
#include "platform/target_system/scoped_env_for_test.h"
#include "setup/core/test_system.h"
#include "setup/wizard/engine_progress.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;

// Writes its arguments, one per bracket pair, and what it knows of the
// target system beside itself. Its "#!" line names the shell copied onto
// drive C, since a host program named there is never started.
constexpr const char* kProbe =
    "out=\"$(dirname \"$0\")/out.txt\"\n"
    "sleep 0.1\n"
    "for a in \"$@\"; do printf '[%s]' \"$a\" >> \"$out\"; done\n"
    "printf '\\n%s\\n%s\\n%s\\n' \"$KESTRO_SYSTEM\" \"$KESTRO_RUN_DRIVES\" \"$KESTRO_UNATTENDED\" >> "
    "\"$out\"\n";

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
    fs::copy_file(fs::canonical("/bin/sh"), tools_ / "sh");
    ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "probe", Script(kProbe)).ok());
    fs::permissions(tools_ / "probe", fs::perms::owner_all);
    ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "readme.txt", "#!/bin/sh\ntouch gone\n").ok());
  }
  // A shell script run by the shell on drive C.
  std::string Script(const std::string& body) { return "#!" + (tools_ / "sh").string() + "\n" + body; }
  std::string Output() {
    std::string text;
    EXPECT_TRUE(platform::ReadWholeFile(tools_ / "out.txt", text).ok());
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
  ASSERT_TRUE(launcher.RunAndWait("C:\\TOOLS\\probe /x \"two words\" a\\\"b", progress).ok());
  EXPECT_GT(progress.pumps, 0);
  EXPECT_EQ(Output(), "[/x][two words][a\"b]\n" + system_->folder().string() + "\n" + letter + "=fixed," +
                          (system_.dir() / "pkg").string() + "\n1\n");
  ASSERT_EQ(log_.LinesOf("EXIT").size(), 1u);
  EXPECT_EQ(log_.LinesOf("EXIT")[0], "EXIT\tC:\\TOOLS\\probe\t/x \"two words\" a\\\"b\t0");
}

TEST_F(HostProgramLauncherTest, StartDoesNotWaitAndOnlyProgramsAreStarted) {
  HostProgramLauncher launcher(*system_, log_, false);
  EXPECT_FALSE(launcher.Start("C:\\tools\\readme.txt", "").ok());
  EXPECT_FALSE(launcher.Start("Q:\\tools\\probe", "").ok());
  EXPECT_FALSE(launcher.Start("C:\\tools\\missing.exe", "").ok());
  EXPECT_FALSE(launcher.Start("C:\\tools", "").ok());
  EXPECT_FALSE(fs::exists(tools_ / "gone"));
  const auto skipped = log_.LinesOf("SKIP");
  ASSERT_EQ(skipped.size(), 4u);
  EXPECT_EQ(skipped[0], "SKIP\tC:\\tools\\readme.txt\t\tnot a program");
  EXPECT_EQ(skipped[1], "SKIP\tQ:\\tools\\probe\t\tnot on a drive of this system");
  ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "quiet", Script("exit 0\n")).ok());
  fs::permissions(tools_ / "quiet", fs::perms::owner_all);
  EXPECT_TRUE(launcher.Start("C:\\tools\\quiet", "one").ok());
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
                  system_->folder() / platform::target::kSystemSettingsFileName)
                  .ok());
  std::unique_ptr<platform::target::FolderSystem> reopened;
  ASSERT_TRUE(platform::target::FolderSystem::Open(system_->folder(), &reopened).ok());
  HostProgramLauncher launcher(*reopened, log_, false);
  launcher.RestartWindows();
  std::string text;
  ASSERT_TRUE(platform::ReadWholeFile(marker, text).ok());
  EXPECT_EQ(text, system_->folder().string() + "\n");
  EXPECT_NE(log_.LinesOf("REBOOT").at(1).find("\texit 0"), std::string::npos);
}

TEST_F(HostProgramLauncherTest, DocumentsOpenOnlyInTheWindowAndOnlyPlainDocumentsOnTheDrives) {
  // The user's opener records what it was given.
  const fs::path opened = system_.dir() / "opened.txt";
  const fs::path opener = system_.dir() / "opener";
  ASSERT_TRUE(
      platform::WriteFileAtomically(opener, "#!/bin/sh\necho \"$1\" >> '" + opened.string() + "'\n").ok());
  fs::permissions(opener, fs::perms::owner_all);
  platform::target::testing::ScopedEnv chosen("KESTRO_DOCUMENT_OPENER", opener.string());
  ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "manual.txt", "read me").ok());
  ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "run.txt", "echo run").ok());
  fs::permissions(tools_ / "run.txt", fs::perms::owner_all);
  ASSERT_TRUE(platform::WriteFileAtomically(tools_ / "app.desktop", "[Desktop Entry]\nExec=sh\n").ok());
  ASSERT_TRUE(platform::WriteFileAtomically(system_.dir() / "secret.txt", "host").ok());
  fs::create_symlink(system_.dir() / "secret.txt", tools_ / "out.txt");
  ASSERT_EQ(::mkfifo((tools_ / "pipe.txt").c_str(), 0600), 0);

  HostProgramLauncher unattended(*system_, log_, true);
  EXPECT_FALSE(unattended.Start("C:\\tools\\manual.txt", "").ok());
  EXPECT_EQ(log_.LinesOf("SKIP").at(0),
            "SKIP\tC:\\tools\\manual.txt\t\ta document is not opened in an unattended run");

  HostProgramLauncher window(*system_, log_, false);
  for (const char* refused : {"C:\\tools\\run.txt", "C:\\tools\\app.desktop", "C:\\tools\\out.txt",
                              "C:\\tools\\pipe.txt", "C:\\tools\\readme.txt"}) {
    EXPECT_FALSE(window.Start(refused, "").ok()) << refused;
  }
  EXPECT_EQ(log_.LinesOf("SKIP").at(3), "SKIP\tC:\\tools\\out.txt\t\ta link that leads out of the drives");
  EXPECT_TRUE(log_.LinesOf("OPEN").empty());
  EXPECT_TRUE(window.Start("C:\\TOOLS\\MANUAL.TXT", "").ok());
  ASSERT_EQ(log_.LinesOf("OPEN").size(), 1u);
  const std::string host = fs::canonical(tools_ / "manual.txt").string();
  EXPECT_EQ(log_.LinesOf("OPEN")[0], "OPEN\tC:\\TOOLS\\MANUAL.TXT\t" + host + "\t" + opener.string());
  std::string text;
  // The shell makes the file before it writes the line: wait for the line.
  for (int i = 0; i < 500 && !(platform::ReadWholeFile(opened, text).ok() && text.ends_with('\n')); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(text, host + "\n") << "only the plain document reached the opener";
}

TEST_F(HostProgramLauncherTest, NoRunAndNestedRunsStartNothingOfThePackage) {
  fs::create_directories(system_->folder() / "drive_c" / "WINDOWS");
  fs::copy_file(fs::canonical("/bin/true"), system_->folder() / "drive_c" / "WINDOWS" / "kestro.exe");
  HostProgramLauncher no_run(*system_, log_, true, LaunchPolicy{true, 0});
  // The reason reaches the caller too, for its own log line.
  EXPECT_EQ(no_run.Start("C:\\tools\\probe", "x").message(), "/norun");
  EXPECT_FALSE(no_run.Start("C:\\WINDOWS\\kestro.exe", "/u Other").ok());
  EXPECT_TRUE(no_run.Start("C:\\WINDOWS\\kestro.exe", "/r").ok()) << "the restart question is ours";
  EXPECT_EQ(log_.LinesOf("SKIP"),
            (std::vector<std::string>{"SKIP\tC:\\tools\\probe\tx\t/norun",
                                      "SKIP\tC:\\WINDOWS\\kestro.exe\t/u Other\t/norun"}));

  HostProgramLauncher nested(*system_, log_, true, LaunchPolicy{false, kMaxRunDepth});
  EXPECT_FALSE(nested.Start("C:\\WINDOWS\\kestro.exe", "/r").ok());
  EXPECT_EQ(log_.LinesOf("SKIP").back(), "SKIP\tC:\\WINDOWS\\kestro.exe\t/r\tstarted by runs nested 3 deep");
  HostProgramLauncher child(*system_, log_, false, LaunchPolicy{false, 1});
  const std::vector<std::string> env = child.ChildEnvironment();
  EXPECT_NE(std::find(env.begin(), env.end(), "KESTRO_RUN_DEPTH=2"), env.end());
}

}  // namespace
}  // namespace setup::app
