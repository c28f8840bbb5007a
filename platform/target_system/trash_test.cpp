#include "platform/target_system/trash.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/private_profile.h"
#include "platform/target_system/scoped_env_for_test.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;
using platform::testing::TempDir;
using testing::ScopedEnv;

class TrashTest : public ::testing::Test {
 protected:
  TrashTest() : data_home_("XDG_DATA_HOME", (dir_ / "data").string()) {}

  fs::path MakeFile(const std::string& relative, std::string_view data) {
    const fs::path path = dir_ / relative;
    fs::create_directories(path.parent_path());
    EXPECT_TRUE(WriteFileAtomically(path, data).ok());
    return path;
  }

  std::string Info(const std::string& name, const char* key) {
    return GetPrivateProfileString("Trash Info", key, "<none>",
                                   dir_ / "data" / "Trash" / "info" / (name + ".trashinfo"));
  }

  TempDir dir_;
  ScopedEnv data_home_;
};

TEST_F(TrashTest, ItemAndInfoFileGoWhereFileManagersLook) {
  EXPECT_EQ(HomeTrashFolder(), dir_ / "data" / "Trash");
  const fs::path file = MakeFile("my docs/報告 100%.txt", "report");
  fs::path trashed;
  ASSERT_TRUE(MoveToTrash(file, &trashed).ok());
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(trashed, dir_ / "data" / "Trash" / "files" / "報告 100%.txt");
  std::string data;
  ASSERT_TRUE(ReadWholeFile(trashed, data).ok());
  EXPECT_EQ(data, "report");
  EXPECT_EQ(Info("報告 100%.txt", "Path"),
            dir_.path().string() + "/my%20docs/%E5%A0%B1%E5%91%8A%20100%25.txt");
  const std::string date = Info("報告 100%.txt", "DeletionDate");
  ASSERT_EQ(date.size(), 19u) << date;
  EXPECT_EQ(date[4], '-');
  EXPECT_EQ(date[10], 'T');
  EXPECT_EQ(date[13], ':');
}

TEST_F(TrashTest, SameNamesGetNumberedAndFoldersMoveWhole) {
  fs::path first, second, third;
  ASSERT_TRUE(MoveToTrash(MakeFile("a/setup.log", "1"), &first).ok());
  ASSERT_TRUE(MoveToTrash(MakeFile("b/setup.log", "2"), &second).ok());
  ASSERT_TRUE(MoveToTrash(MakeFile("c/setup.log", "3"), &third).ok());
  EXPECT_EQ(first.filename(), "setup.log");
  EXPECT_EQ(second.filename(), "setup.2.log");
  EXPECT_EQ(third.filename(), "setup.3.log");
  EXPECT_EQ(Info("setup.2.log", "Path"), (dir_ / "b" / "setup.log").string());

  MakeFile("pkg/sub/file", "x");
  fs::path folder;
  ASSERT_TRUE(MoveToTrash(dir_ / "pkg" / "", &folder).ok());
  EXPECT_TRUE(fs::exists(folder / "sub" / "file"));
  EXPECT_FALSE(fs::exists(dir_ / "pkg"));
}

TEST_F(TrashTest, FailuresLeaveNoInfoFileBehind) {
  EXPECT_TRUE(MoveToTrash(dir_ / "missing.txt").IsNotFound());
  EXPECT_FALSE(MoveToTrash("/").ok());
  // The trash cannot go into itself.
  fs::create_directories(dir_ / "data" / "Trash" / "info");
  EXPECT_TRUE(MoveToTrash(dir_ / "data").IsInvalidArgument());
  EXPECT_TRUE(fs::is_empty(dir_ / "data" / "Trash" / "info"));
}

TEST_F(TrashTest, AFailedMoveTakesItsInfoFileBack) {
  // A file in a folder we may not change cannot be moved away.
  const fs::path locked = MakeFile("locked/keep.txt", "x");
  ::chmod((dir_ / "locked").c_str(), 0555);
  if (::access((dir_ / "locked").c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore modes";
  EXPECT_FALSE(MoveToTrash(locked).ok());
  EXPECT_TRUE(fs::exists(locked));
  EXPECT_FALSE(fs::exists(dir_ / "data" / "Trash" / "info" / "keep.txt.trashinfo"));
}

}  // namespace
}  // namespace platform::target
