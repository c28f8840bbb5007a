// The Setup program as package authors and users run it: a silent install
// of a small package on a temporary target system, its removal through the
// recorded UninstallString, and the refusals with exit status 1.
#include <gtest/gtest.h>

#include <string>

#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "platform/target_system/run_only_drives.h"
#include "setup/app/process_for_test.h"
#include "setup/app/windows_arguments.h"
#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;
using platform::target::RegistryRoot;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
constexpr const char* kEntry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sample";
constexpr const char* kRecord = "Software\\Tallowmere\\kestroSetup\\Uninstall\\Sample";

// The script of the test package, with the parts a test may change.
std::string Script(const std::string& application = "kestro Setup 1.00", const std::string& extra = "") {
  return "[Define]\r\nApplication=" + application +
         "\r\nName=サンプル\r\n"
         "[Install]\r\nUse=1\r\nDefault=<Program>\\Sample\r\nSize=10\r\n"
         "[File]\r\nCount=2\r\nNewFile1=<Setup>\\app.exe\r\nFile1=app.exe\r\n"
         "NewFile2=<Setup>\\読んでね.txt\r\nFile2=readme.txt\r\n"
         "[Registry]\r\nCount=1\r\nKey1=HKEY_CURRENT_USER\\Software\\Sample\r\nName1=Version\r\nData1=1.0\r\n"
         "[Uninstall]\r\nUse=1\r\nKeyName=Sample\r\nViewName=サンプル製品\r\n"
         "[UnFile]\r\nCount=2\r\nFile1=<Setup>\\app.exe\r\nFile2=<Setup>\\読んでね.txt\r\n"
         "[UnFolder]\r\nCount=1\r\nFolder1=<Setup>\r\n"
         "[UnRegistry]\r\nCount=1\r\nWay1=1\r\nKey1=HKEY_CURRENT_USER\\Software\\Sample\r\n" +
         extra;
}

using testing::ProcessResult;
using testing::Quote;

class SetupProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    package_ = system_.dir() / "package";
    fs::create_directories(package_);
    Put("Setup.dat", platform::Utf8ToCp932(Script()));
    Put("app.exe", "the program");
    Put("readme.txt", "read me");
    const fs::path built = fs::read_symlink("/proc/self/exe").parent_path() / "Setup";
    fs::copy_file(built, package_ / "Setup");
  }
  void Put(const std::string& name, const std::string& data) {
    ASSERT_TRUE(platform::WriteFileAtomically(package_ / name, data).ok());
  }
  // Runs a program with the test system as KESTRO_SYSTEM.
  ProcessResult Execute(const fs::path& program, const std::vector<std::string>& arguments) {
    std::string command =
        "KESTRO_SYSTEM=" + Quote(system_->folder().string()) + " " + Quote(program.string());
    for (const std::string& argument : arguments) command += " " + Quote(argument);
    command += " 2>&1";
    return testing::RunCommand(command);
  }
  bool Exists(const std::string& windows_path) { return system_->files().Exists(windows_path); }

  setup::testing::TestSystem system_;
  fs::path package_;
};

TEST_F(SetupProcessTest, SilentInstallThenUninstallThroughTheRecordedCommand) {
  const fs::path log = system_.dir() / "install.log";
  const ProcessResult install =
      Execute(package_ / "Setup", {"/silent", "/dir=C:\\Apps\\Sample", "/log=" + log.string()});
  ASSERT_EQ(install.status, 0) << install.output;
  EXPECT_TRUE(Exists("C:\\Apps\\Sample\\app.exe"));
  EXPECT_TRUE(Exists("C:\\Apps\\Sample\\読んでね.txt"));
  EXPECT_EQ(RegReadString(*system_, kUser, "Software\\Sample", "Version", ""), "1.0");
  EXPECT_EQ(RegReadString(*system_, kMachine, kRecord, "SetupPath", ""), "C:\\Apps\\Sample");
  std::string text;
  ASSERT_TRUE(platform::ReadWholeFile(log, text).ok());
  EXPECT_NE(text.find("START\tsetup\t"), std::string::npos) << text;
  EXPECT_NE(text.find("END\t0\n"), std::string::npos) << text;

  // The system's list holds the command that removes the product.
  const std::string command = RegReadString(*system_, kMachine, kEntry, "UninstallString", "");
  std::vector<std::string> words = SplitWindowsArguments(command);
  ASSERT_EQ(words.size(), 3u) << command;
  EXPECT_EQ(words[1], "/u");
  EXPECT_EQ(words[2], "Sample");
  fs::path uninstaller;
  ASSERT_TRUE(system_->drives().ToHostPath(words[0], &uninstaller).ok());
  const ProcessResult uninstall = Execute(uninstaller, {words[1], words[2], "/silent"});
  ASSERT_EQ(uninstall.status, 0) << uninstall.output;
  EXPECT_FALSE(Exists("C:\\Apps\\Sample\\app.exe"));
  EXPECT_FALSE(Exists("C:\\Apps\\Sample"));
  EXPECT_FALSE(RegKeyExists(*system_, kMachine, kRecord));
  EXPECT_FALSE(RegKeyExists(*system_, kMachine, kEntry));
  EXPECT_FALSE(RegKeyExists(*system_, kUser, "Software\\Sample"));

  // Nothing is recorded any more: a second run refuses.
  const ProcessResult again = Execute(uninstaller, {"/u", "Sample", "/silent"});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.output.find("アンインストール情報が見つかりません。\n  Sample"), std::string::npos)
      << again.output;
}

TEST_F(SetupProcessTest, BadOrMissingScriptIsRefusedWithStatusOne) {
  Put("Setup.dat", platform::Utf8ToCp932(Script("kestro Setup 1.00a")));
  const ProcessResult wrong = Execute(package_ / "Setup", {"/silent"});
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.output.find("ファイル内容かバージョンが異なります。"), std::string::npos) << wrong.output;
  EXPECT_NE(wrong.output.find("Setup.dat"), std::string::npos) << wrong.output;

  fs::remove(package_ / "Setup.dat");
  const ProcessResult missing = Execute(package_ / "Setup", {"/silent"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("ファイルが見つかりません。"), std::string::npos) << missing.output;
  EXPECT_FALSE(Exists("C:\\Program Files\\Sample"));
}

TEST_F(SetupProcessTest, RefusedPageCheckGivesOneAndChangesNothing) {
  const ProcessResult run = Execute(package_ / "Setup", {"/silent", "/dir=C:\\Apps\\bad|name"});
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("フォルダ名に次の文字は使えません。"), std::string::npos) << run.output;
  EXPECT_FALSE(Exists("C:\\Apps"));
  EXPECT_FALSE(RegKeyExists(*system_, kMachine, kRecord));
  EXPECT_FALSE(RegKeyExists(*system_, kUser, "Software\\Sample"));
  EXPECT_FALSE(Exists("C:\\WINDOWS\\kestro.exe"));
}

TEST_F(SetupProcessTest, PackageOnNoDriveIsMappedForTheRunOnly) {
  platform::target::SystemSettings settings = system_->settings();
  std::erase_if(settings.drives, [](const auto& d) { return d.letter != 'C'; });
  ASSERT_TRUE(platform::target::SaveSystemSettings(system_->folder(), settings).ok());
  const fs::path log = system_.dir() / "install.log";
  const ProcessResult install = Execute(package_ / "Setup", {"/silent", "/log=" + log.string()});
  ASSERT_EQ(install.status, 0) << install.output;
  EXPECT_TRUE(Exists("C:\\Program Files\\Sample\\app.exe"));
  std::string text;
  ASSERT_TRUE(platform::ReadWholeFile(log, text).ok());
  EXPECT_NE(text.find("START\tsetup\t\tD:\\\n"), std::string::npos) << text;
  platform::target::SystemSettings after;
  ASSERT_TRUE(platform::target::LoadSystemSettings(system_->folder(), &after).ok());
  EXPECT_EQ(after.drives.size(), settings.drives.size()) << "the mapping is not saved";
}

TEST_F(SetupProcessTest, UninstallerCopyWithoutACommandShowsTheVersion) {
  fs::copy_file(package_ / "Setup", system_.dir() / "KESTRO.EXE");
  const ProcessResult box = Execute(system_.dir() / "KESTRO.EXE", {"/silent"});
  EXPECT_EQ(box.status, 0);
  EXPECT_NE(box.output.find("バージョン情報: kestro Setup for Windows"), std::string::npos) << box.output;
  EXPECT_NE(box.output.find("Ver1.10"), std::string::npos);
}

}  // namespace
}  // namespace setup::app
