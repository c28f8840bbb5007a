#include "setup/core/folder_utils.h"

#include <gtest/gtest.h>

#include "setup/core/install_paths.h"
#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"

namespace setup {
namespace {

class FolderUtilsTest : public ::testing::Test {
 protected:
  bool IsFolder(std::string_view path) { return system_->files().IsFolder(path); }
  void MakeFolder(std::string_view path) {
    ASSERT_TRUE(system_->files().CreateFolderTree(path).ok()) << path;
  }
  void MakeFile(std::string_view path, std::string_view data = "x") {
    ASSERT_TRUE(system_->files().WriteFile(path, data).ok()) << path;
  }

  testing::TestSystem system_;
};

TEST_F(FolderUtilsTest, ForceFoldersCreatesParentsAndRefusesAnEmptyPath) {
  EXPECT_TRUE(ForceFolders(*system_, "C:\\Program Files\\Maker\\App\\").ok());
  EXPECT_TRUE(IsFolder("C:\\Program Files\\Maker\\App"));
  EXPECT_TRUE(ForceFolders(*system_, "C:\\Program Files\\Maker").ok());  // exists
  EXPECT_TRUE(ForceFolders(*system_, "C:").ok());                        // left alone
  const Status empty = ForceFolders(*system_, "");
  EXPECT_FALSE(empty.ok());
  EXPECT_EQ(empty.message(), kCannotCreateFolderMessage);
  EXPECT_FALSE(ForceFolders(*system_, "Q:\\x\\y").ok());
  MakeFile("C:\\file");
  EXPECT_FALSE(ForceFolders(*system_, "C:\\file\\sub").ok());
}

TEST_F(FolderUtilsTest, FileSizeOfTheFirstMatch) {
  MakeFolder("C:\\Data");
  MakeFile("C:\\Data\\a.bin", std::string(1234, 'a'));
  MakeFile("C:\\Data\\b.txt", "12");
  EXPECT_EQ(GetFileSizeOf(*system_, "C:\\Data\\a.bin"), 1234u);
  EXPECT_EQ(GetFileSizeOf(*system_, "C:\\data\\*.TXT"), 2u);
  EXPECT_EQ(GetFileSizeOf(*system_, "C:\\Data\\a.*"), 1234u);
  EXPECT_EQ(GetFileSizeOf(*system_, "C:\\Data\\*.none"), 0u);
  EXPECT_EQ(GetFileSizeOf(*system_, "C:\\Data"), 0u);
  EXPECT_EQ(GetFileSizeOf(*system_, "not a path"), 0u);
  EXPECT_EQ(GetShortPath("C:\\Program Files\\x.exe"), "C:\\Program Files\\x.exe");
}

TEST_F(FolderUtilsTest, ProtectedFoldersCompareAsPaths) {
  const std::string desktop = GetShellFolder(*system_, "Desktop");
  ASSERT_FALSE(desktop.empty());
  EXPECT_TRUE(IsProtectedFolder(*system_, desktop));
  EXPECT_TRUE(IsProtectedFolder(*system_, desktop + "\\"));
  EXPECT_TRUE(IsProtectedFolder(*system_, "c:\\documents and settings\\TARO\\デスクトップ"));
  EXPECT_TRUE(IsProtectedFolder(*system_, GetTempFolder(*system_)));
  EXPECT_TRUE(IsProtectedFolder(*system_, GetDefaultShellFolder(*system_, "Startup", kAllUsers)));
  EXPECT_FALSE(IsProtectedFolder(*system_, desktop + "\\App"));
  EXPECT_FALSE(IsProtectedFolder(*system_, ""));
}

TEST_F(FolderUtilsTest, EmptyFolderTreeNeverRemovesTheDesktop) {
  const std::string desktop = GetShellFolder(*system_, "Desktop");
  MakeFolder(desktop + "\\Empty\\Deeper");
  MakeFolder(desktop + "\\Full");
  MakeFile(desktop + "\\Full\\keep.txt");
  MakeFolder(desktop + "\\.hidden");
  MakeFolder(desktop + "\\.hidden\\inner");
  EXPECT_FALSE(RemoveEmptyFolderTree(*system_, desktop).ok());
  EXPECT_TRUE(IsFolder(desktop));
  EXPECT_FALSE(IsFolder(desktop + "\\Empty"));
  EXPECT_TRUE(IsFolder(desktop + "\\Full"));
  EXPECT_TRUE(IsFolder(desktop + "\\.hidden\\inner"));  // dot names are not entered
}

TEST_F(FolderUtilsTest, EmptyFolderTreeRemovesAnEmptyProductFolder) {
  MakeFolder("C:\\Program Files\\Maker\\Data\\Cache");
  EXPECT_TRUE(RemoveEmptyFolderTree(*system_, "C:\\Program Files\\Maker").ok());
  EXPECT_FALSE(IsFolder("C:\\Program Files\\Maker"));
  EXPECT_TRUE(IsFolder("C:\\Program Files"));
  EXPECT_FALSE(RemoveEmptyFolderTree(*system_, "C:\\Program Files\\Missing").ok());
}

TEST_F(FolderUtilsTest, RemoveFolderAndEmptyParentsStopsAtAFolderThatHoldsSomething) {
  MakeFolder("C:\\Program Files\\Maker\\App");
  MakeFolder("C:\\Program Files\\Other");
  RemoveFolderAndEmptyParents(*system_, "C:\\Program Files\\Maker\\App");
  EXPECT_FALSE(IsFolder("C:\\Program Files\\Maker"));
  EXPECT_TRUE(IsFolder("C:\\Program Files\\Other"));
  // A folder that is already gone is passed over to its parents.
  MakeFolder("C:\\Tools\\Empty");
  RemoveFolderAndEmptyParents(*system_, "C:\\Tools\\Empty\\Gone\\Gone");
  EXPECT_FALSE(IsFolder("C:\\Tools"));
  EXPECT_TRUE(IsFolder("C:\\WINDOWS"));
}

TEST_F(FolderUtilsTest, RemoveFolderAndEmptyParentsKeepsProtectedFolders) {
  const std::string desktop = GetShellFolder(*system_, "Desktop");
  MakeFolder(desktop + "\\Maker");
  RemoveFolderAndEmptyParents(*system_, desktop + "\\Maker");
  EXPECT_FALSE(IsFolder(desktop + "\\Maker"));
  EXPECT_TRUE(IsFolder(desktop));
  RemoveFolderAndEmptyParents(*system_, desktop + "\\");
  EXPECT_TRUE(IsFolder(desktop));
  RemoveFolderAndEmptyParents(*system_, "");
  RemoveFolderAndEmptyParents(*system_, "C:\\");
  EXPECT_TRUE(IsFolder("C:\\WINDOWS"));

  // The last shared file of a product leaves a fresh system's empty system
  // folder and the emptied Start-menu Programs folder in place.
  const std::string system_folder = GetSystemFolder(*system_);
  const std::string programs = GetShellFolder(*system_, "Programs");
  MakeFolder(system_folder);
  MakeFolder(programs + "\\Maker");
  RemoveFolderAndEmptyParents(*system_, system_folder);
  RemoveFolderAndEmptyParents(*system_, programs + "\\Maker");
  EXPECT_TRUE(IsFolder(system_folder));
  EXPECT_FALSE(IsFolder(programs + "\\Maker"));
  EXPECT_TRUE(IsFolder(programs));
}

}  // namespace
}  // namespace setup
