#include "platform/target_system/target_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;
using platform::testing::TempDir;

class TargetFilesTest : public ::testing::Test {
 protected:
  TargetFilesTest()
      : map_({Drive{'C', dir_ / "c", DriveType::kFixed}, Drive{'D', dir_ / "c" / "d", DriveType::kFixed}}),
        files_(map_) {
    fs::create_directories(dir_ / "c" / "d");
  }

  void Put(const fs::path& host, std::string_view data) {
    fs::create_directories(host.parent_path());
    ASSERT_TRUE(WriteFileAtomically(host, data).ok());
  }

  TempDir dir_;
  DriveMap map_;
  TargetFiles files_;
};

TEST_F(TargetFilesTest, FoldersAreMadeAndRemovedOnlyWhenEmpty) {
  EXPECT_TRUE(files_.CreateFolder("C:\\Maker\\App").IsNotFound());  // no parent
  ASSERT_TRUE(files_.CreateFolderTree("C:\\Maker\\App").ok());
  EXPECT_TRUE(files_.CreateFolder("C:\\maker\\app").IsAlreadyExists());
  EXPECT_TRUE(files_.IsFolder("c:\\MAKER\\APP"));
  Put(dir_ / "c" / "Maker" / "App" / "a.txt", "x");
  EXPECT_TRUE(files_.RemoveEmptyFolder("C:\\Maker\\App").IsNotEmpty());
  ASSERT_TRUE(files_.DeleteFile("C:\\Maker\\App\\A.TXT").ok());
  EXPECT_TRUE(files_.RemoveEmptyFolder("C:\\Maker\\App").ok());
  EXPECT_TRUE(files_.RemoveEmptyFolder("C:\\Maker\\App").IsNotFound());
  EXPECT_FALSE(files_.Exists("C:\\Maker\\App"));
  // A file in the way of a folder tree is reported.
  Put(dir_ / "c" / "File", "x");
  EXPECT_FALSE(files_.CreateFolderTree("C:\\File\\Sub").ok());
}

TEST_F(TargetFilesTest, DriveRootsAreNeverRemoved) {
  EXPECT_TRUE(files_.RemoveEmptyFolder("C:\\").IsAccessDenied());
  EXPECT_TRUE(files_.RemoveEmptyFolder("D:\\").IsAccessDenied());
  // The same folder reached as a subfolder of another drive is a root too.
  EXPECT_TRUE(files_.RemoveEmptyFolder("C:\\d").IsAccessDenied());
  EXPECT_TRUE(fs::is_directory(dir_ / "c" / "d"));
}

TEST_F(TargetFilesTest, FindMatchesWildcardsWithoutCaseInNameOrder) {
  Put(dir_ / "c" / "win" / "b.INI", "12345");
  Put(dir_ / "c" / "win" / "A.ini", "1");
  Put(dir_ / "c" / "win" / "c.txt", "1");
  fs::create_directories(dir_ / "c" / "win" / "z.ini");
  std::vector<FileEntry> found;
  ASSERT_TRUE(files_.FindAll("C:\\WIN\\*.ini", &found).ok());
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].name, "A.ini");
  EXPECT_EQ(found[1].name, "b.INI");
  EXPECT_TRUE(found[2].is_folder);
  FileEntry first;
  ASSERT_TRUE(files_.FindFirst("C:\\win\\B.*", &first).ok());
  EXPECT_EQ(first.size, 5u);
  EXPECT_EQ(first.attributes, kFileArchive);
  EXPECT_TRUE(files_.FindFirst("C:\\win\\*.dll", &first).IsNotFound());
  EXPECT_TRUE(files_.FindFirst("C:\\nowhere\\*.*", &first).IsNotFound());
  std::vector<FileEntry> all;
  ASSERT_TRUE(files_.ListEntries("C:\\win", &all).ok());
  EXPECT_EQ(all.size(), 4u);
}

TEST_F(TargetFilesTest, CopyKeepsTimeAndReadOnlyAndRespectsExistingFiles) {
  Put(dir_ / "c" / "src.dll", "library");
  const auto when = std::chrono::system_clock::time_point(std::chrono::seconds(946684800));
  ASSERT_TRUE(files_.SetWriteTime("C:\\src.dll", when).ok());
  ASSERT_TRUE(files_.SetAttributes("C:\\src.dll", kFileReadOnly).ok());
  ASSERT_TRUE(files_.CopyFile("C:\\SRC.DLL", "C:\\dst.dll", true).ok());
  FileEntry copied;
  ASSERT_TRUE(files_.Stat("C:\\dst.dll", &copied).ok());
  EXPECT_EQ(copied.write_time, when);
  EXPECT_EQ(copied.attributes, kFileArchive | kFileReadOnly);
  EXPECT_TRUE(files_.CopyFile("C:\\src.dll", "C:\\dst.dll", true).IsAlreadyExists());
  EXPECT_TRUE(files_.CopyFile("C:\\src.dll", "C:\\dst.dll", false).IsAccessDenied());
  EXPECT_TRUE(files_.DeleteFile("C:\\dst.dll").IsAccessDenied());
  ASSERT_TRUE(files_.SetAttributes("C:\\dst.dll", 0).ok());
  EXPECT_TRUE(files_.CopyFile("C:\\src.dll", "C:\\dst.dll", false).ok());
  EXPECT_TRUE(files_.CopyFile("C:\\missing.dll", "C:\\x.dll", false).IsNotFound());
  std::string data;
  ASSERT_TRUE(files_.ReadFile("C:\\dst.dll", &data).ok());
  EXPECT_EQ(data, "library");
}

// Files grow no larger than limit bytes while it lives: writes past it fail.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lower{limit, old_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(TargetFilesTest, ACopyThatFailsMidwayLeavesNoFileBehind) {
  // A small new file of an unflushed step is written under its name, a
  // large one or a flushed copy whole before it takes it: either way a
  // failed write leaves nothing, and what was there stays.
  Put(dir_ / "c" / "small.bin", std::string(4096, 's'));
  Put(dir_ / "c" / "large.bin", std::string(1024 * 1024, 'l'));
  Put(dir_ / "c" / "old.bin", "old");
  {
    const FileSizeLimit limit(1000);
    EXPECT_FALSE(
        files_.CopyFile("C:\\small.bin", "C:\\new-small.bin", false, SystemFiles::Flush::kUnflushed).ok());
    EXPECT_FALSE(
        files_.CopyFile("C:\\large.bin", "C:\\new-large.bin", false, SystemFiles::Flush::kUnflushed).ok());
    EXPECT_FALSE(files_.CopyFile("C:\\small.bin", "C:\\flushed.bin", false).ok());
    EXPECT_FALSE(files_.CopyFile("C:\\small.bin", "C:\\old.bin", false, SystemFiles::Flush::kUnflushed).ok());
  }
  EXPECT_FALSE(files_.Exists("C:\\new-small.bin"));
  EXPECT_FALSE(files_.Exists("C:\\new-large.bin"));
  EXPECT_FALSE(files_.Exists("C:\\flushed.bin"));
  std::string data;
  ASSERT_TRUE(files_.ReadFile("C:\\old.bin", &data).ok());
  EXPECT_EQ(data, "old");
  std::vector<FileEntry> all;
  ASSERT_TRUE(files_.ListEntries("C:\\", &all).ok());
  EXPECT_EQ(all.size(), 4u);  // d, large.bin, old.bin, small.bin

  // Without the limit the same copies are whole, found by any spelling.
  ASSERT_TRUE(
      files_.CopyFile("C:\\SMALL.BIN", "C:\\new-small.bin", false, SystemFiles::Flush::kUnflushed).ok());
  ASSERT_TRUE(
      files_.CopyFile("C:\\Large.bin", "C:\\new-large.bin", false, SystemFiles::Flush::kUnflushed).ok());
  ASSERT_TRUE(files_.FlushWrites().ok());
  EXPECT_EQ(fs::file_size(dir_ / "c" / "new-small.bin"), 4096u);
  EXPECT_EQ(fs::file_size(dir_ / "c" / "new-large.bin"), 1024u * 1024u);
}

TEST_F(TargetFilesTest, MoveRefusesToOverwriteButRenamesCase) {
  Put(dir_ / "c" / "one.txt", "1");
  Put(dir_ / "c" / "two.txt", "2");
  EXPECT_TRUE(files_.MoveFile("C:\\one.txt", "C:\\two.txt").IsAlreadyExists());
  ASSERT_TRUE(files_.MoveFile("C:\\one.txt", "C:\\ONE.txt").ok());
  EXPECT_TRUE(fs::exists(dir_ / "c" / "ONE.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "c" / "one.txt"));
}

TEST_F(TargetFilesTest, CopyFromHostKeepsTheProgramRunnableAndRespectsReadOnly) {
  const fs::path program = dir_ / "host" / "Setup";
  Put(program, "program bytes");
  fs::permissions(program, fs::perms::owner_all, fs::perm_options::replace);
  ASSERT_TRUE(files_.CopyFromHost(program, "C:\\kestro.exe").ok());
  std::string data;
  ASSERT_TRUE(files_.ReadFile("C:\\kestro.exe", &data).ok());
  EXPECT_EQ(data, "program bytes");
  EXPECT_NE(fs::status(dir_ / "c" / "kestro.exe").permissions() & fs::perms::owner_exec, fs::perms::none);

  ASSERT_TRUE(files_.SetAttributes("C:\\kestro.exe", kFileReadOnly).ok());
  EXPECT_TRUE(files_.CopyFromHost(program, "C:\\kestro.exe").IsAccessDenied());
  EXPECT_TRUE(files_.CopyFromHost(dir_ / "host" / "missing", "C:\\x.exe").IsNotFound());
  EXPECT_FALSE(files_.Exists("C:\\x.exe"));
  EXPECT_TRUE(files_.CopyFromHost(program, "Q:\\kestro.exe").IsNotFound());
}

}  // namespace
}  // namespace platform::target
