#include "platform/win32/win32_files.h"

#include <gtest/gtest.h>
#include "platform/win32/windows_api.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

using platform::target::kFileReadOnly;

// A scratch folder below the temporary folder, removed at the end.
class Win32FilesTest : public ::testing::Test {
 protected:
  Win32FilesTest() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    dir_ = WideToUtf8(temp) + "kestro-files-" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(files_.CreateFolderTree(dir_).ok());
  }
  ~Win32FilesTest() override { Remove(dir_); }

  void Remove(const std::string& path) {
    std::vector<FileEntry> entries;
    if (files_.ListEntries(path, &entries).ok()) {
      for (const FileEntry& e : entries) {
        const std::string child = path + "\\" + e.name;
        if (e.is_folder) {
          Remove(child);
        } else {
          (void)files_.SetAttributes(child, 0);
          (void)files_.DeleteFile(child);
        }
      }
    }
    (void)files_.RemoveEmptyFolder(path);
  }
  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
  std::string Read(const std::string& path) {
    std::string data;
    Status s = files_.ReadFile(path, &data);
    return s.ok() ? data : "(" + s.ToString() + ")";
  }

  Win32Files files_;
  std::string dir_;
};

TEST_F(Win32FilesTest, WholeFilesUnderJapaneseAndOverlongNames) {
  ASSERT_TRUE(files_.WriteFile(Path("説明書.txt"), "中身").ok());
  EXPECT_EQ(Read(Path("説明書.txt")), "中身");
  FileEntry entry;
  ASSERT_TRUE(files_.Stat(Path("説明書.txt"), &entry).ok());
  EXPECT_EQ(entry.name, "説明書.txt");
  EXPECT_EQ(entry.size, 6u);
  EXPECT_FALSE(entry.is_folder);

  // Well beyond MAX_PATH: the ANSI functions would refuse this.
  std::string deep = dir_;
  for (int i = 0; i < 12; ++i) deep += "\\" + std::string(30, static_cast<char>('a' + i));
  ASSERT_GT(deep.size(), 300u);
  ASSERT_TRUE(files_.CreateFolderTree(deep).ok());
  ASSERT_TRUE(files_.WriteFile(deep + "\\file.dat", "long").ok());
  EXPECT_EQ(Read(deep + "\\file.dat"), "long");
  ASSERT_TRUE(files_.CopyFile(deep + "\\file.dat", deep + "\\copy.dat", true).ok());
  EXPECT_TRUE(files_.IsFolder(deep));
  std::string data;
  EXPECT_TRUE(files_.ReadFile(Path("nothing"), &data).IsNotFound());
}

TEST_F(Win32FilesTest, CopyKeepsTimeAndReadOnlyAndRefusesWhatItMayNotReplace) {
  const auto time = std::chrono::system_clock::time_point(std::chrono::seconds(1000000000));
  ASSERT_TRUE(files_.WriteFile(Path("src"), "new").ok());
  ASSERT_TRUE(files_.SetWriteTime(Path("src"), time).ok());
  ASSERT_TRUE(files_.SetAttributes(Path("src"), kFileReadOnly).ok());
  ASSERT_TRUE(files_.CopyFile(Path("src"), Path("dst"), false).ok());
  FileEntry copied;
  ASSERT_TRUE(files_.Stat(Path("dst"), &copied).ok());
  EXPECT_EQ(copied.write_time, time);
  EXPECT_TRUE(copied.attributes & kFileReadOnly);

  // A read-only destination stays as it was.
  ASSERT_TRUE(files_.WriteFile(Path("other"), "other").ok());
  EXPECT_TRUE(files_.CopyFile(Path("other"), Path("dst"), false).IsAccessDenied());
  EXPECT_TRUE(files_.DeleteFile(Path("dst")).IsAccessDenied());
  EXPECT_EQ(Read(Path("dst")), "new");
  EXPECT_TRUE(files_.CopyFile(Path("other"), Path("src"), true).IsAlreadyExists());
  EXPECT_TRUE(files_.CopyFile(Path("missing"), Path("x"), false).IsNotFound());
  EXPECT_FALSE(files_.Exists(Path("x")));
}

TEST_F(Win32FilesTest, AFileHeldOpenIsRefusedUntilItIsClosed) {
  ASSERT_TRUE(files_.WriteFile(Path("held"), "old").ok());
  ASSERT_TRUE(files_.WriteFile(Path("src"), "new").ok());
  HANDLE held =
      CreateFileW(LongPath(Path("held")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const Status refused = files_.CopyFile(Path("src"), Path("held"), false);
  EXPECT_FALSE(refused.ok());
  EXPECT_NE(refused.message().find("in use"), std::string::npos) << refused.ToString();
  CloseHandle(held);
  EXPECT_EQ(Read(Path("held")), "old");
  ASSERT_TRUE(files_.CopyFile(Path("src"), Path("held"), false).ok());  // Retry works now
  EXPECT_EQ(Read(Path("held")), "new");
  std::vector<FileEntry> leftovers;
  ASSERT_TRUE(files_.FindAll(Path("*.tmp"), &leftovers).IsNotFound());
}

TEST_F(Win32FilesTest, FoldersListSortedAndRemoveOnlyWhenEmpty) {
  for (const char* name : {"b.ini", "A.INI", "c.txt"}) ASSERT_TRUE(files_.WriteFile(Path(name), "").ok());
  ASSERT_TRUE(files_.CreateFolder(Path("Sub")).ok());
  EXPECT_TRUE(files_.CreateFolder(Path("Sub")).IsAlreadyExists());
  EXPECT_TRUE(files_.CreateFolder(Path("No\\Parent")).IsNotFound());
  std::vector<FileEntry> entries;
  ASSERT_TRUE(files_.ListEntries(dir_, &entries).ok());
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "A.INI");
  EXPECT_EQ(entries[1].name, "b.ini");
  EXPECT_TRUE(entries[3].is_folder);
  ASSERT_TRUE(files_.FindAll(Path("*.ini"), &entries).ok());
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_TRUE(files_.FindAll(Path("*.exe"), &entries).IsNotFound());

  EXPECT_TRUE(files_.RemoveEmptyFolder(dir_).IsNotEmpty());
  EXPECT_TRUE(files_.RemoveEmptyFolder("C:\\").IsAccessDenied());
  EXPECT_TRUE(files_.RemoveEmptyFolder(Path("Sub")).ok());
  EXPECT_TRUE(files_.MoveFile(Path("b.ini"), Path("c.txt")).IsAlreadyExists());
  EXPECT_TRUE(files_.MoveFile(Path("b.ini"), Path("d.ini")).ok());
  EXPECT_TRUE(files_.Exists(Path("d.ini")));
}

// Windows would take these against the current drive and folder; the
// target system refuses them, and so does this layer.
TEST_F(Win32FilesTest, PathsWithoutADriveAreRefused) {
  ASSERT_TRUE(files_.WriteFile(Path("a.txt"), "a").ok());
  for (const char* path : {"\\d1", "d1\\f1.bin", "C:relative", ""}) {
    EXPECT_TRUE(files_.CreateFolderTree(path).IsInvalidArgument()) << path;
    EXPECT_TRUE(files_.WriteFile(path, "x").IsInvalidArgument()) << path;
    EXPECT_TRUE(files_.CopyFile(Path("a.txt"), path, false).IsInvalidArgument()) << path;
    EXPECT_FALSE(files_.Exists(path)) << path;
  }
  EXPECT_FALSE(files_.Exists("\\d1"));
  EXPECT_FALSE(files_.Exists("C:\\d1"));
  // A drive itself is a drive path, with or without its backslash.
  EXPECT_TRUE(files_.IsFolder("C:"));
  const std::string top = "C:\\kestro-tree-" + std::to_string(GetCurrentProcessId());
  EXPECT_TRUE(files_.CreateFolderTree(top + "\\deep").ok());
  EXPECT_TRUE(files_.RemoveEmptyFolder(top + "\\deep").ok());
  EXPECT_TRUE(files_.RemoveEmptyFolder(top).ok());
}

}  // namespace
}  // namespace platform::win32
