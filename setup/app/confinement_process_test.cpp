// Hostile packages run through the Setup program as a process, each on a
// fresh target system, with canary files in a host folder outside it that
// must be exactly as they were after the run.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "platform/target_system/system_settings.h"
#include "setup/app/process_for_test.h"
#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;
using platform::target::RegistryRoot;
constexpr const char* kRecordRoot = "Software\\Tallowmere\\kestroSetup\\Uninstall\\";

std::string ReadText(const fs::path& file) {
  std::string text;
  return platform::ReadWholeFile(file, text).ok() ? text : std::string();
}

using testing::ProcessResult;
using testing::Quote;

class ConfinementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    package_ = system_.dir() / "package";
    host_ = system_.dir() / "host";
    home_ = system_.dir() / "home";
    fs::create_directories(package_);
    fs::create_directories(host_);
    fs::create_directories(home_);
    Canary("canary.txt", "the user's own file\n");
    Canary(".profile", "# the user's shell start-up\n");
    fs::copy_file(fs::read_symlink("/proc/self/exe").parent_path() / "Setup", package_ / "Setup");
  }
  void TearDown() override { ExpectCanariesIntact(); }

  void Canary(const std::string& name, const std::string& text) {
    ASSERT_TRUE(platform::WriteFileAtomically(host_ / name, text).ok());
    canaries_[name] = text;
  }
  // Every canary as it was, and nothing added beside them.
  void ExpectCanariesIntact() {
    std::map<std::string, std::string> now;
    for (const auto& entry : fs::directory_iterator(host_)) {
      now[entry.path().filename().string()] = ReadText(entry.path());
    }
    EXPECT_EQ(now, canaries_) << "the host folder outside the system changed";
  }
  void PutScript(const std::string& script) { Put("Setup.dat", platform::Utf8ToCp932(script)); }
  void Put(const std::string& name, const std::string& data) {
    ASSERT_TRUE(platform::WriteFileAtomically(package_ / name, data).ok());
  }
  // A package script run by the shell the package carries, so that no host
  // program is named by its "#!" line.
  void PutShellScript(const std::string& name, const std::string& body) {
    if (!fs::exists(package_ / "sh")) fs::copy_file(fs::canonical("/bin/sh"), package_ / "sh");
    Put(name, "#!" + (package_ / "sh").string() + "\n" + body);
    fs::permissions(package_ / name, fs::perms::owner_all);
  }

  // Runs a program as the user would: KESTRO_SYSTEM set to the test system
  // unless system is empty (then unset, with a home of the test's own).
  ProcessResult Execute(const fs::path& program, const std::vector<std::string>& arguments,
                        const std::string& system = "(test)") {
    std::string command =
        "env -u KESTRO_SYSTEM -u KESTRO_RUN_DEPTH -u KESTRO_UNATTENDED -u KESTRO_RUN_DRIVES";
    command += " HOME=" + Quote(home_.string()) + " XDG_DATA_HOME=" + Quote((home_ / "data").string());
    if (!system.empty()) {
      command += " KESTRO_SYSTEM=" + Quote(system == "(test)" ? system_->folder().string() : system);
    }
    command += " timeout 120 " + Quote(program.string());
    for (const std::string& argument : arguments) command += " " + Quote(argument);
    // Reading to the end waits for every program the run started, since
    // they inherit its standard error.
    command += " 2>&1";
    return testing::RunCommand(command);
  }
  ProcessResult Install(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> arguments = {"/silent", "/log=" + Log().string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return Execute(package_ / "Setup", arguments);
  }
  fs::path Log() const { return system_.dir() / "install.log"; }
  bool Exists(const std::string& windows_path) { return system_->files().Exists(windows_path); }

  setup::testing::TestSystem system_;
  fs::path package_;
  fs::path host_;
  fs::path home_;
  std::map<std::string, std::string> canaries_;
};

constexpr const char* kHeader = "[Define]\nApplication=kestro Setup 1.00\nName=Hostile\n";
constexpr const char* kUninstall = "[Uninstall]\nUse=1\nKeyName=Hostile\n";

TEST_F(ConfinementTest, SettingsBesideSetupMakeNoSystem) {
  // The package carries a system of its own whose drive C is the host folder.
  std::unique_ptr<platform::target::FolderSystem> fake;
  ASSERT_TRUE(platform::target::FolderSystem::Create(package_, {}, &fake).ok());
  fake.reset();
  platform::target::SystemSettings settings;
  ASSERT_TRUE(platform::target::LoadSystemSettings(package_, &settings).ok());
  settings.drives = {{'C', host_, platform::target::DriveType::kFixed}};
  ASSERT_TRUE(platform::target::SaveSystemSettings(package_, settings).ok());
  Put("evil.txt", "planted");
  PutScript(std::string(kHeader) + "[File]\nCount=1\nNewFile1=C:\\planted.txt\nFile1=evil.txt\n");

  const ProcessResult run = Execute(package_ / "Setup", {"/silent"}, "");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(
      run.output.find("created a new target system in " + (home_ / "data" / "kestro" / "system").string()),
      std::string::npos)
      << run.output;
}

TEST_F(ConfinementTest, UninstallerCopyIgnoresASystemPlantedInItsWindowsFolder) {
  // A fake system whose drive C is the host folder records a product that
  // "owns" the canary; its two files are then planted beside the real
  // system's uninstaller copy.
  const fs::path fake = system_.dir() / "fake";
  std::unique_ptr<platform::target::FolderSystem> made;
  ASSERT_TRUE(platform::target::FolderSystem::Create(fake, {}, &made).ok());
  made.reset();
  platform::target::SystemSettings settings;
  ASSERT_TRUE(platform::target::LoadSystemSettings(fake, &settings).ok());
  settings.drives = {{'C', host_, platform::target::DriveType::kFixed}};
  ASSERT_TRUE(platform::target::SaveSystemSettings(fake, settings).ok());
  PutScript(std::string(kHeader) + kUninstall + "[UnFile]\nCount=1\nFile1=C:\\canary.txt\n");
  ASSERT_EQ(Execute(package_ / "Setup", {"/silent"}, fake.string()).status, 0);
  // That install made the fake's Windows folder in the host folder.
  for (const auto& entry : fs::directory_iterator(host_)) {
    if (!canaries_.contains(entry.path().filename().string())) fs::remove_all(entry.path());
  }

  const fs::path windows = system_->folder() / "drive_c" / "WINDOWS";
  fs::create_directories(windows);
  fs::copy_file(package_ / "Setup", windows / "kestro.exe");
  fs::copy_file(fake / "kestro-system.ini", windows / "kestro-system.ini");
  fs::copy_file(fake / "registry.sqlite", windows / "registry.sqlite");
  fs::remove_all(fake);

  const ProcessResult run = Execute(windows / "kestro.exe", {"/u", "Hostile", "/silent"}, "");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("アンインストール情報が見つかりません。"), std::string::npos) << run.output;
}

TEST_F(ConfinementTest, StartedRunsTakeNoHostPathsFromTheScript) {
  // A package folder with a script of its own, as /d would clean it up.
  const fs::path victim = host_ / "victim";
  fs::create_directories(victim);
  ASSERT_TRUE(platform::WriteFileAtomically(
                  victim / "Setup.dat",
                  "[Define]\r\nApplication=kestro Setup 1.00\r\n[File]\r\nCount=1\r\nFile1=canary.txt\r\n")
                  .ok());
  ASSERT_TRUE(platform::WriteFileAtomically(victim / "canary.txt", "kept").ok());
  const fs::path profile = host_ / ".profile";
  PutScript(std::string(kHeader) + kUninstall + "[Run]\nCaption1=a\nCommand1=<Windows>\\kestro.exe /log=" +
            profile.string() + "\nCaption2=b\nCommand2=<Windows>\\kestro.exe /d " + victim.string() +
            "\nCaption3=c\nCommand3=<Windows>\\kestro.exe /log=C:\\child.log\n");

  const ProcessResult run = Install();
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ReadText(profile), canaries_[".profile"]);
  EXPECT_TRUE(fs::exists(victim / "canary.txt"));
  EXPECT_TRUE(fs::exists(victim / "Setup.dat"));
  EXPECT_NE(run.output.find(" ignored: a program started by a run writes its log only"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("/d " + victim.string() + " refused"), std::string::npos) << run.output;
  EXPECT_TRUE(Exists("C:\\child.log")) << "a Windows path on a drive is a log a started run may write";
  fs::remove_all(victim);
  canaries_.erase("victim");
}

TEST_F(ConfinementTest, ProgramsOutsideTheDrivesAreNeverStarted) {
  const fs::path marker = host_ / "started";
  fs::create_symlink("/bin/sh", package_ / "shell.exe");
  Put("tool.exe", "#!/bin/sh\ntouch '" + marker.string() + "'\n");
  fs::permissions(package_ / "tool.exe", fs::perms::owner_all);
  PutScript(std::string(kHeader) + "[Run]\nCaption1=a\nCommand1=D:\\shell.exe -c \"touch " + marker.string() +
            "\"\nCaption2=b\nCommand2=D:\\tool.exe\n");

  const ProcessResult run = Install();
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(fs::exists(marker));
  const std::string log = ReadText(Log());
  EXPECT_NE(log.find("SKIP\tD:\\shell.exe\t"), std::string::npos) << log;
  EXPECT_NE(log.find("SKIP\tD:\\tool.exe\t\ta script for a program outside the drives"), std::string::npos)
      << log;
}

TEST_F(ConfinementTest, NoRunStartsNoProgramOfThePackage) {
  const fs::path counter = system_.dir() / "started.txt";
  PutShellScript("mark.exe", "echo \"$1\" >> '" + counter.string() + "'\n");
  PutScript(std::string(kHeader) + kUninstall + "[Run]\nCaption1=a\nCommand1=D:\\mark.exe run\n" +
            "[UnRun]\nCommand=D:\\mark.exe unrun\n");

  ASSERT_EQ(Install({"/norun"}).status, 0);
  EXPECT_FALSE(fs::exists(counter));
  EXPECT_NE(ReadText(Log()).find("SKIP\tD:\\mark.exe\trun\t/norun"), std::string::npos) << ReadText(Log());
  const fs::path uninstaller = system_->folder() / "drive_c" / "WINDOWS" / "kestro.exe";
  const ProcessResult removed =
      Execute(uninstaller, {"/u", "Hostile", "/silent", "/norun", "/log=" + Log().string()});
  EXPECT_EQ(removed.status, 0) << removed.output;
  EXPECT_FALSE(fs::exists(counter));
  EXPECT_NE(ReadText(Log()).find("SKIP\tD:\\mark.exe unrun\t\t/norun"), std::string::npos) << ReadText(Log());

  // Without the switch the same package's program does run.
  ASSERT_EQ(Install().status, 0);
  EXPECT_EQ(ReadText(counter), "run\n");
}

TEST_F(ConfinementTest, RunsThatStartTheirOwnSetupStopAfterAFewRounds) {
  const fs::path counter = system_.dir() / "rounds.txt";
  PutShellScript("count.exe", "echo round >> '" + counter.string() + "'\n");
  PutScript(std::string(kHeader) +
            "[Run]\nCaption1=a\nCommand1=D:\\Setup\nCaption2=b\nCommand2=D:\\count.exe\n");

  const ProcessResult run = Install();
  EXPECT_EQ(run.status, 0) << run.output;
  // The user's run and the two nested below it each start one round; the
  // third nested run starts nothing.
  EXPECT_EQ(ReadText(counter), "round\nround\nround\n");
}

TEST_F(ConfinementTest, KeyNamesThatAreNoSingleKeyAreRefusedBeforeAnyChange) {
  for (const std::string& name : {std::string("HelloKestro\\UnFile"), std::string(256, 'k')}) {
    PutScript(std::string(kHeader) + "[File]\nCount=1\nNewFile1=C:\\App\\a.txt\nFile1=a.txt\n" +
              "[Uninstall]\nUse=1\nKeyName=" + name + "\n");
    Put("a.txt", "a");
    const ProcessResult run = Install();
    EXPECT_EQ(run.status, 1) << name << run.output;
    EXPECT_NE(run.output.find("キー名が正しくありません。"), std::string::npos) << run.output;
    EXPECT_FALSE(Exists("C:\\App"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\kestro.exe"));
  }
  EXPECT_FALSE(
      RegKeyExists(*system_, RegistryRoot::kLocalMachine, "Software\\Tallowmere\\kestroSetup\\Uninstall"));
}

// A run that tried to hold two thousand million items would fail at once
// under this limit (the address sanitizer reserves more than that itself).
#if defined(__has_feature)  // clang
#if __has_feature(address_sanitizer)
#define PLAKATO_ADDRESS_SANITIZER 1
#endif
#elif defined(__SANITIZE_ADDRESS__)  // g++
#define PLAKATO_ADDRESS_SANITIZER 1
#endif
#if defined(PLAKATO_ADDRESS_SANITIZER)
const std::string kMemoryLimit;
#else
const std::string kMemoryLimit = "ulimit -v 2000000; ";
#endif

TEST_F(ConfinementTest, HugeCountsNeitherExhaustMemoryNorSkipAStep) {
  for (const std::string section : {"Registry", "IniFile", "UserInfomation", "Extension", "UnFile"}) {
    std::string lists = "[Registry]\nCount=1\nKey1=HKEY_CURRENT_USER\\Software\\Hostile\nName1=v\nData1=1\n";
    if (section == "Registry")
      lists = "[Registry]\nCount=2147483647\nKey1=HKEY_CURRENT_USER\\Software\\Hostile\nName1=v\nData1=1\n";
    if (section != "Registry") lists += "[" + section + "]\nCount=2147483647\n";
    if (section == "UnFile") lists += "File2147483647=C:\\x.txt\n";
    PutScript(std::string(kHeader) + kUninstall + lists);
    const ProcessResult run =
        Execute("/bin/sh", {"-c", kMemoryLimit + "exec \"$0\" /silent", (package_ / "Setup").string()});
    EXPECT_EQ(run.status, 0) << section << "\n" << run.output.substr(0, 2000);
    EXPECT_EQ(RegReadString(*system_, RegistryRoot::kCurrentUser, "Software\\Hostile", "v", ""), "1")
        << section;
    EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kLocalMachine, std::string(kRecordRoot) + "Hostile"))
        << section;
    EXPECT_TRUE(Exists("C:\\WINDOWS\\kestro.exe")) << section;
    ASSERT_TRUE(
        RegDeleteTree(*system_, RegistryRoot::kLocalMachine, std::string(kRecordRoot) + "Hostile").ok());
    ASSERT_TRUE(RegDeleteTree(*system_, RegistryRoot::kCurrentUser, "Software\\Hostile").ok());
  }
}

TEST_F(ConfinementTest, ControlCharactersFromTheScriptAreWrittenEscaped) {
  PutScript(std::string(kHeader) +
            "[File]\nCount=1\nNewFile1=C:\\App\\a\x1b[2J\x07.txt\nFile1=gone\x1b]0;x\x07.txt\n" +
            "[Run]\nCaption1=a\nCommand1=C:\\none\x1b[31m.exe\n");
  const ProcessResult run = Install();
  EXPECT_EQ(run.status, 2) << run.output;
  const std::string log = ReadText(Log());
  for (const std::string& text : {run.output, log}) {
    EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
    EXPECT_EQ(text.find('\x07'), std::string::npos) << text;
  }
  EXPECT_NE(run.output.find("a\\x1b[2J\\x07.txt"), std::string::npos) << run.output;
  EXPECT_NE(log.find("a\\x1b[2J\\x07.txt"), std::string::npos) << log;
}

}  // namespace
}  // namespace setup::app
