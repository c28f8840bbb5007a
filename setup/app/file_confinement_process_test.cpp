// Hostile packages run by the Setup program as a process, with canary files
// outside the target system checked after the run: a link planted where the
// uninstaller copy goes, a script that writes to its own package folder, and
// a package file that is a link to a host file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "setup/app/process_for_test.h"
#include "setup/core/test_system.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;
using testing::Quote;

std::string Read(const fs::path& path) {
  std::string data;
  return platform::ReadWholeFile(path, data).ok() ? data : std::string();
}

class ConfinementProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Only drive C: the package folder gets a letter for the run only.
    platform::target::SystemSettings settings = system_->settings();
    std::erase_if(settings.drives, [](const auto& d) { return d.letter != 'C'; });
    ASSERT_TRUE(platform::target::SaveSystemSettings(system_->folder(), settings).ok());
    package_ = system_.dir() / "package";
    fs::create_directories(package_);
    canary_ = system_.dir() / "canary.txt";
    ASSERT_TRUE(platform::WriteFileAtomically(canary_, "canary").ok());
    Put("readme.txt", "read me");
    const fs::path built = fs::read_symlink("/proc/self/exe").parent_path() / "Setup";
    fs::copy_file(built, package_ / "Setup");
  }
  void Put(const std::string& name, const std::string& data) {
    ASSERT_TRUE(platform::WriteFileAtomically(package_ / name, data).ok());
  }
  void PutScript(const std::string& sections) {
    Put("Setup.dat", platform::Utf8ToCp932("[Define]\r\nApplication=kestro Setup 1.00\r\nName=Hostile\r\n"
                                           "[Install]\r\nUse=1\r\nDefault=<Program>\\Hostile\r\n" +
                                           sections));
  }
  // Runs Setup silently; the log's text goes to *log.
  int RunSetup(std::string* log) {
    const fs::path log_file = system_.dir() / "install.log";
    const std::string command = "KESTRO_SYSTEM=" + Quote(system_->folder().string()) + " " +
                                Quote((package_ / "Setup").string()) + " /silent " +
                                Quote("/log=" + log_file.string()) + " 2>&1";
    const testing::ProcessResult run = testing::RunCommand(command);
    *log = Read(log_file) + run.output;
    return run.status;
  }
  fs::path DriveC() { return system_->drives().FindDrive('C')->host_folder; }

  setup::testing::TestSystem system_;
  fs::path package_;
  fs::path canary_;
};

TEST_F(ConfinementProcessTest, UninstallerCopyDoesNotFollowALinkPlantedAtItsPlace) {
  PutScript(
      "[File]\r\nCount=1\r\nNewFile1=<Setup>\\readme.txt\r\nFile1=readme.txt\r\n"
      "[Uninstall]\r\nUse=1\r\nKeyName=Hostile\r\n"
      "[UnFile]\r\nCount=1\r\nFile1=<Setup>\\readme.txt\r\n");
  fs::path windows;
  ASSERT_TRUE(system_->drives().ToHostPath("C:\\WINDOWS", &windows).ok());
  fs::create_symlink(canary_, windows / "kestro.exe");
  std::string log;
  RunSetup(&log);
  EXPECT_EQ(Read(canary_), "canary") << log;
  EXPECT_TRUE(fs::is_symlink(windows / "kestro.exe"));
}

TEST_F(ConfinementProcessTest, PackageDriveIsNeverWritten) {
  // The package folder is D: for the run; the script aims at it.
  PutScript(
      "[IniFile]\r\nCount=2\r\nFile1=D:\\Setup.dat\r\nSection1=Define\r\nKey1=Name\r\nValue1=Changed\r\n"
      "File2=D:\\made.ini\r\nSection2=S\r\nKey2=K\r\nValue2=V\r\n");
  const std::string script = Read(package_ / "Setup.dat");
  std::string log;
  RunSetup(&log);
  EXPECT_NE(log.find("START\tsetup\t\tD:\\"), std::string::npos) << log;
  EXPECT_EQ(Read(package_ / "Setup.dat"), script) << log;
  EXPECT_FALSE(fs::exists(package_ / "made.ini")) << log;

  // A file copied onto a package file is refused: the copy fails.
  PutScript(
      "[File]\r\nCount=2\r\nNewFile1=D:\\readme.txt\r\nFile1=Setup\r\n"
      "NewFile2=D:\\new.txt\r\nFile2=readme.txt\r\n");
  RunSetup(&log);
  EXPECT_EQ(Read(package_ / "readme.txt"), "read me") << log;
  EXPECT_FALSE(fs::exists(package_ / "new.txt"));
  EXPECT_NE(log.find("COPYFAIL\tD:\\readme.txt"), std::string::npos) << log;
}

TEST_F(ConfinementProcessTest, PackageFileLinkedOutOfThePackageIsNotRead) {
  fs::create_symlink(canary_, package_ / "secret.txt");
  fs::create_symlink("readme.txt", package_ / "alias.txt");  // stays in the package
  PutScript(
      "[File]\r\nCount=2\r\nNewFile1=<Setup>\\alias.txt\r\nFile1=alias.txt\r\n"
      "NewFile2=<Setup>\\secret.txt\r\nFile2=secret.txt\r\n");
  std::string log;
  RunSetup(&log);
  const fs::path installed = DriveC() / "Program Files" / "Hostile";
  EXPECT_EQ(Read(installed / "alias.txt"), "read me") << log;
  EXPECT_FALSE(fs::exists(installed / "secret.txt")) << log;
  EXPECT_NE(log.find("COPYFAIL\tC:\\Program Files\\Hostile\\secret.txt"), std::string::npos) << log;
  EXPECT_EQ(Read(canary_), "canary");
}

// The package drive is read-only to what a script makes us do, but a host
// folder that the user names on the command line for clean-up is emptied.
TEST_F(ConfinementProcessTest, TheUsersOwnCleanUpOfAHostFolderStillDeletes) {
  PutScript("[File]\r\nCount=1\r\nNewFile1=<Setup>\\readme.txt\r\nFile1=readme.txt\r\n");
  fs::copy_file(package_ / "Setup", package_ / "kestro.exe");
  const fs::path log_file = system_.dir() / "cleanup.log";
  const std::string command = "KESTRO_SYSTEM=" + Quote(system_->folder().string()) + " " +
                              Quote((package_ / "kestro.exe").string()) + " /d " + Quote(package_.string()) +
                              " /silent " + Quote("/log=" + log_file.string()) + " 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << Read(log_file);
  EXPECT_FALSE(fs::exists(package_ / "readme.txt")) << Read(log_file);
  EXPECT_FALSE(fs::exists(package_ / "Setup.dat")) << Read(log_file);
  EXPECT_EQ(Read(canary_), "canary");
}

}  // namespace
}  // namespace setup::app
