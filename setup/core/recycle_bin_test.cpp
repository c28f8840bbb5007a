#include "setup/core/recycle_bin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "setup/core/test_system.h"

namespace setup {
namespace {

// Points the user's trash into the test's own folder.
class RecycleBinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_DATA_HOME");
    if (old) saved_ = old;
    had_ = old != nullptr;
    setenv("XDG_DATA_HOME", (system_.dir().path() / "data").c_str(), 1);
  }
  void TearDown() override {
    if (had_) {
      setenv("XDG_DATA_HOME", saved_.c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
  }
  std::filesystem::path Trash() const { return system_.dir().path() / "data" / "Trash"; }

  testing::TestSystem system_;
  std::string saved_;
  bool had_ = false;
};

TEST_F(RecycleBinTest, MovesFilesIntoTheTrashWithTheirInformation) {
  ASSERT_TRUE(system_->files().WriteFile("C:\\old.txt", "old").ok());
  ASSERT_TRUE(system_->files().WriteFile("C:\\two.txt", "2").ok());
  EXPECT_TRUE(DeleteToRecycleBin(*system_, std::string("C:\\old.txt\0", 11), true).ok());
  EXPECT_FALSE(system_->files().Exists("C:\\old.txt"));
  EXPECT_TRUE(std::filesystem::exists(Trash() / "files" / "old.txt"));
  EXPECT_TRUE(std::filesystem::exists(Trash() / "info" / "old.txt.trashinfo"));

  ASSERT_TRUE(system_->files().WriteFile("C:\\old.txt", "again").ok());
  EXPECT_TRUE(DeleteToRecycleBin(*system_, std::string("C:\\old.txt\0C:\\two.txt\0\0", 24), false).ok());
  EXPECT_FALSE(system_->files().Exists("C:\\two.txt"));
  EXPECT_TRUE(std::filesystem::exists(Trash() / "files" / "two.txt"));
}

TEST_F(RecycleBinTest, MissingFilesAndEmptyListsFail) {
  EXPECT_FALSE(DeleteToRecycleBin(*system_, "C:\\missing.txt", true).ok());
  EXPECT_FALSE(DeleteToRecycleBin(*system_, "", true).ok());
  EXPECT_FALSE(DeleteToRecycleBin(*system_, "not a path", true).ok());
}

}  // namespace
}  // namespace setup
