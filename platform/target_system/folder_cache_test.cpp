// The file layer's held folders and name index against changes made behind
// its back, links swapped in, letter case and the read-only drive.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/atomic_file.h"
#include "platform/target_system/target_files.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;
using platform::testing::TempDir;

class FolderCacheTest : public ::testing::Test {
 protected:
  FolderCacheTest()
      : map_({Drive{'C', dir_ / "c", DriveType::kFixed}, Drive{'D', dir_ / "pkg", DriveType::kFixed, true}}),
        files_(map_) {
    fs::create_directories(dir_ / "c" / "App");
    fs::create_directories(dir_ / "pkg");
    fs::create_directories(dir_ / "outside");
  }
  // Runs change in a child process, as another program would.
  static void InAnotherProcess(const std::function<void()>& change) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      change();
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::string Read(std::string_view path) {
    std::string data;
    return files_.ReadFile(path, &data).ok() ? data : "<none>";
  }

  TempDir dir_;
  DriveMap map_;
  TargetFiles files_;
};

TEST_F(FolderCacheTest, ChangesByAnotherProcessBetweenLookupsAreSeen) {
  const fs::path app = dir_ / "c" / "App";
  // A miss in another case reads the folder into the index.
  EXPECT_FALSE(files_.Exists("C:\\APP\\DATA.TXT"));
  InAnotherProcess([&] {
    if (!WriteFileAtomically(app / "Data.txt", "made").ok()) ::_exit(1);
  });
  EXPECT_EQ(Read("C:\\app\\data.TXT"), "made");

  InAnotherProcess([&] { fs::rename(app / "Data.txt", app / "Moved.txt"); });
  EXPECT_FALSE(files_.Exists("C:\\APP\\DATA.TXT"));
  EXPECT_EQ(Read("C:\\APP\\MOVED.TXT"), "made");

  InAnotherProcess([&] { fs::remove(app / "Moved.txt"); });
  EXPECT_FALSE(files_.Exists("C:\\app\\moved.txt"));
  // Written afresh by us, the name is found in any case again.
  ASSERT_TRUE(files_.WriteFile("C:\\App\\moved.txt", "ours").ok());
  EXPECT_EQ(Read("C:\\APP\\MOVED.TXT"), "ours");

  // Directly on the host, and a folder replaced by another of the same name.
  fs::rename(app, dir_ / "c" / "Old");
  fs::create_directories(app);
  ASSERT_TRUE(WriteFileAtomically(app / "New.txt", "new").ok());
  EXPECT_EQ(Read("C:\\app\\new.txt"), "new");
  EXPECT_FALSE(files_.Exists("C:\\app\\moved.txt"));
  ASSERT_TRUE(files_.WriteFile("C:\\APP\\more.txt", "x").ok());
  EXPECT_TRUE(fs::exists(app / "more.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "c" / "Old" / "more.txt"));
}

// Our own changes are passed over as ours; one made by another process
// right after one of ours, to the same name, is not.
TEST_F(FolderCacheTest, OwnChangesInterleavedWithAnotherProcessesAreTakenApart) {
  const fs::path app = dir_ / "c" / "App";
  ASSERT_TRUE(files_.WriteFile("C:\\App\\a.txt", "1").ok());
  EXPECT_FALSE(files_.Exists("C:\\APP\\B.TXT"));              // the folder is read now
  ASSERT_TRUE(files_.WriteFile("C:\\APP\\A.TXT", "2").ok());  // replaced under its own name
  EXPECT_EQ(Read("C:\\app\\a.TXT"), "2");
  EXPECT_FALSE(fs::exists(app / "A.TXT"));

  InAnotherProcess([&] { fs::remove(app / "a.txt"); });
  EXPECT_FALSE(files_.Exists("C:\\APP\\A.TXT"));
  ASSERT_TRUE(files_.WriteFile("C:\\App\\a.txt", "3").ok());
  InAnotherProcess([&] {
    fs::remove(app / "a.txt");
    if (!WriteFileAtomically(app / "B.txt", "theirs").ok()) ::_exit(1);
  });
  EXPECT_FALSE(files_.Exists("C:\\app\\A.txt"));
  EXPECT_EQ(Read("C:\\APP\\b.TXT"), "theirs");

  ASSERT_TRUE(files_.MoveFile("C:\\App\\B.txt", "C:\\App\\c.txt").ok());
  InAnotherProcess([&] { fs::rename(app / "c.txt", app / "D.txt"); });
  EXPECT_FALSE(files_.Exists("C:\\app\\C.TXT"));
  EXPECT_EQ(Read("C:\\app\\d.txt"), "theirs");
  ASSERT_TRUE(files_.DeleteFile("C:\\APP\\D.TXT").ok());
  EXPECT_TRUE(fs::is_empty(app));

  // The folder itself removed and made again by another process.
  ASSERT_TRUE(files_.CreateFolder("C:\\App\\Sub").ok());
  ASSERT_TRUE(files_.WriteFile("C:\\App\\Sub\\e.txt", "e").ok());
  InAnotherProcess([&] {
    fs::remove_all(app / "Sub");
    fs::create_directory(app / "SUB");
    if (!WriteFileAtomically(app / "SUB" / "F.txt", "f").ok()) ::_exit(1);
  });
  EXPECT_FALSE(files_.Exists("C:\\App\\Sub\\e.txt"));
  EXPECT_EQ(Read("C:\\app\\sub\\f.TXT"), "f");
}

TEST_F(FolderCacheTest, FolderReplacedByALinkIsNotFollowedOutOfTheDrive) {
  ASSERT_TRUE(files_.WriteFile("C:\\App\\one.txt", "1").ok());  // the folder is held now
  fs::rename(dir_ / "c" / "App", dir_ / "c" / "Was");
  fs::create_directory_symlink(dir_ / "outside", dir_ / "c" / "App");
  EXPECT_TRUE(files_.WriteFile("C:\\App\\two.txt", "2").IsAccessDenied());
  EXPECT_TRUE(files_.CopyFile("C:\\Was\\one.txt", "C:\\app\\three.txt", false).IsAccessDenied());
  EXPECT_TRUE(files_.CreateFolderTree("C:\\App\\Sub").IsAccessDenied());
  EXPECT_TRUE(files_.DeleteFile("C:\\App\\x.txt").IsAccessDenied());
  EXPECT_TRUE(fs::is_empty(dir_ / "outside"));
  EXPECT_FALSE(fs::exists(dir_ / "c" / "Was" / "two.txt"));

  // A link that stays on the drive is followed.
  fs::remove(dir_ / "c" / "App");
  fs::create_directory_symlink(dir_ / "c" / "Was", dir_ / "c" / "App");
  ASSERT_TRUE(files_.WriteFile("C:\\App\\two.txt", "2").ok());
  EXPECT_TRUE(fs::exists(dir_ / "c" / "Was" / "two.txt"));
}

TEST_F(FolderCacheTest, NamesDifferingOnlyInCaseAreOneFile) {
  ASSERT_TRUE(files_.WriteFile("C:\\App\\ReadMe.TXT", "1").ok());
  ASSERT_TRUE(files_.WriteFile("C:\\APP\\README.txt", "2").ok());
  ASSERT_TRUE(files_.CopyFile("C:\\app\\readme.txt", "C:\\App\\Copy.txt", false).ok());
  ASSERT_TRUE(files_.CopyFile("C:\\app\\readme.txt", "C:\\App\\COPY.TXT", false).ok());
  std::vector<FileEntry> entries;
  ASSERT_TRUE(files_.ListEntries("C:\\App", &entries).ok());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Copy.txt");  // the first spelling stays
  EXPECT_EQ(entries[1].name, "ReadMe.TXT");
  EXPECT_EQ(Read("C:\\APP\\copy.txt"), "2");
  EXPECT_TRUE(files_.CreateFolder("C:\\app").IsAlreadyExists());
  ASSERT_TRUE(files_.DeleteFile("C:\\APP\\COPY.TXT").ok());
  EXPECT_FALSE(files_.Exists("C:\\App\\Copy.txt"));

  // Two host names of one folded name: the exact spelling, else the first.
  ASSERT_TRUE(WriteFileAtomically(dir_ / "c" / "App" / "b.txt", "lower").ok());
  ASSERT_TRUE(WriteFileAtomically(dir_ / "c" / "App" / "B.txt", "upper").ok());
  EXPECT_EQ(Read("C:\\App\\b.txt"), "lower");
  EXPECT_EQ(Read("C:\\App\\B.TXT"), "upper");
  ASSERT_TRUE(files_.DeleteFile("C:\\App\\B.txt").ok());
  EXPECT_EQ(Read("C:\\App\\B.TXT"), "lower");
}

TEST_F(FolderCacheTest, ReadOnlyDriveIsReadButNeverChanged) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "pkg" / "app.exe", "program").ok());
  ASSERT_TRUE(files_.CopyFile("D:\\APP.EXE", "C:\\App\\app.exe", false).ok());
  EXPECT_EQ(Read("C:\\App\\app.exe"), "program");
  EXPECT_TRUE(files_.CopyFile("C:\\App\\app.exe", "D:\\app.exe", false).IsAccessDenied());
  EXPECT_TRUE(files_.WriteFile("D:\\new.txt", "x").IsAccessDenied());
  EXPECT_TRUE(files_.DeleteFile("D:\\app.exe").IsAccessDenied());
  EXPECT_TRUE(files_.CreateFolderTree("D:\\Sub\\Deeper").IsAccessDenied());
  EXPECT_TRUE(files_.MoveFile("D:\\app.exe", "C:\\moved.exe").IsAccessDenied());
  EXPECT_TRUE(files_.SetAttributes("D:\\app.exe", kFileReadOnly).IsAccessDenied());
  EXPECT_TRUE(files_.CopyFromHost(dir_ / "pkg" / "app.exe", "D:\\copy.exe").IsAccessDenied());
  fs::path host;
  EXPECT_TRUE(map_.ToHostPathForChange("D:\\setup.ini", &host).IsAccessDenied());  // INI and shortcut writers
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "pkg"), fs::directory_iterator()), 1);
}

TEST_F(FolderCacheTest, CopiesDoNotReadThroughALinkOutOfTheDrive) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "outside" / "secret", "secret").ok());
  fs::create_symlink(dir_ / "outside" / "secret", dir_ / "pkg" / "secret.txt");
  fs::create_symlink(dir_ / "outside", dir_ / "pkg" / "out");
  EXPECT_TRUE(files_.CopyFile("D:\\secret.txt", "C:\\App\\s.txt", false).IsAccessDenied());
  EXPECT_TRUE(files_.CopyFile("D:\\out\\secret", "C:\\App\\s.txt", false).IsAccessDenied());
  EXPECT_FALSE(fs::exists(dir_ / "c" / "App" / "s.txt"));
  // A large file is copied whole, and the flush afterwards succeeds.
  const std::string large(3 * 1024 * 1024 + 17, 'z');
  ASSERT_TRUE(WriteFileAtomically(dir_ / "pkg" / "large.bin", large).ok());
  ASSERT_TRUE(
      files_.CopyFile("D:\\large.bin", "C:\\App\\large.bin", false, TargetFiles::Flush::kUnflushed).ok());
  EXPECT_TRUE(files_.FlushWrites().ok());
  EXPECT_EQ(Read("C:\\App\\large.bin"), large);
}

TEST_F(FolderCacheTest, TooLongNamesSayTheyAreTooLong) {
  const std::string name(300, 'n');
  for (const Status& s :
       {files_.WriteFile("C:\\App\\" + name, "x"), files_.CreateFolderTree("C:\\" + name + "\\x"),
        files_.DeleteFile("C:\\" + name + "\\x")}) {
    EXPECT_TRUE(s.IsInvalidArgument()) << s.ToString();
    EXPECT_NE(s.message().find("too long"), std::string::npos) << s.ToString();
  }
  fs::path host;
  const Status mapped = map_.ToHostPathForChange("C:\\App\\" + name, &host);
  EXPECT_NE(mapped.message().find("too long"), std::string::npos) << mapped.ToString();
}

}  // namespace
}  // namespace platform::target
