#include "platform/target_system/open_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;

class OpenFolderTest : public ::testing::Test {
 protected:
  OpenFolderTest() : map_({Drive{'C', dir_ / "c", DriveType::kFixed}}) {
    fs::create_directories(dir_ / "c" / "App");
    for (const char* name : {"a.dll", "B.txt"}) std::ofstream(dir_ / "c" / "App" / name) << "x";
  }
  platform::testing::TempDir dir_;
  platform::testing::TempDir outside_;
  DriveMap map_;
};

TEST_F(OpenFolderTest, DeletesEntriesByWindowsNamesAndCountsThemDown) {
  fs::permissions(dir_ / "c" / "App" / "B.txt", fs::perms::owner_write, fs::perm_options::remove);
  std::ofstream(outside_ / "target.txt") << "keep";
  fs::create_symlink(outside_ / "target.txt", dir_ / "c" / "App" / "link.txt");
  fs::create_directory(dir_ / "c" / "App" / "sub");
  std::unique_ptr<OpenFolder> folder;
  ASSERT_TRUE(OpenFolder::Open(map_, "C:\\app", &folder).ok());
  EXPECT_TRUE(folder->HasEntries());
  EXPECT_TRUE(folder->DeleteFileEntry("SUB").IsInvalidArgument());
  EXPECT_TRUE(folder->DeleteFileEntry("missing.dll").IsNotFound());
  EXPECT_TRUE(folder->DeleteFileEntry("..").IsInvalidArgument());
  ASSERT_TRUE(folder->DeleteFileEntry("b.TXT").ok());  // read-only, other case
  ASSERT_TRUE(folder->DeleteFileEntry("link.txt").ok());
  EXPECT_TRUE(fs::exists(outside_ / "target.txt"));
  fs::remove(dir_ / "c" / "App" / "sub");
  ASSERT_TRUE(folder->DeleteFileEntry("a.dll").ok());
  EXPECT_FALSE(folder->HasEntries());

  // A file made beside the open folder after a clock tick is seen.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  std::ofstream(dir_ / "c" / "App" / "new.log") << "x";
  EXPECT_TRUE(folder->HasEntries());
}

TEST_F(OpenFolderTest, NamesInAnotherCaseCostOneListingNotOnePerFile) {
  const fs::path app = dir_ / "c" / "App";
  for (int n = 0; n < 200; ++n) std::ofstream(app / ("F" + std::to_string(n) + ".TXT")) << "x";
  std::unique_ptr<OpenFolder> folder;
  ASSERT_TRUE(OpenFolder::Open(map_, "C:\\App", &folder).ok());
  for (int n = 0; n < 200; ++n) {
    ASSERT_TRUE(folder->DeleteFileEntry("f" + std::to_string(n) + ".txt").ok()) << n;
  }
  EXPECT_LE(folder->listings(), 1);
  EXPECT_FALSE(fs::exists(app / "F0.TXT"));
  EXPECT_TRUE(folder->DeleteFileEntry("f0.txt").IsNotFound());

  // What another process creates or renames between two lookups is seen.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  std::ofstream(app / "Other.DAT") << "x";
  fs::rename(app / "B.txt", app / "Renamed.TXT");
  EXPECT_TRUE(folder->DeleteFileEntry("other.dat").ok());
  EXPECT_TRUE(folder->DeleteFileEntry("b.txt").IsNotFound());
  EXPECT_TRUE(folder->DeleteFileEntry("RENAMED.txt").ok());
  EXPECT_TRUE(fs::exists(app / "a.dll"));
}

TEST_F(OpenFolderTest, AFolderBehindALinkOutOfTheDriveIsNotOpened) {
  fs::create_directory_symlink(outside_.path(), dir_ / "c" / "App" / "out");
  std::unique_ptr<OpenFolder> folder;
  EXPECT_TRUE(OpenFolder::Open(map_, "C:\\App\\out", &folder).IsAccessDenied());
  EXPECT_TRUE(OpenFolder::Open(map_, "C:\\Missing", &folder).IsNotFound());
  // A name too long for the host is no link: the message says what it is.
  const Status s = OpenFolder::Open(map_, "C:\\App\\" + std::string(300, 'n'), &folder);
  EXPECT_TRUE(s.IsInvalidArgument()) << s.ToString();
  EXPECT_NE(s.message().find("too long"), std::string::npos) << s.ToString();
}

}  // namespace
}  // namespace platform::target
