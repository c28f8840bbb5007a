#include "platform/target_system/drive_map.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/target_system/target_files.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;
using platform::testing::TempDir;

class DriveMapTest : public ::testing::Test {
 protected:
  DriveMapTest()
      : map_({Drive{'C', dir_ / "drive_c", DriveType::kFixed},
              Drive{'Q', dir_ / "drive_c" / "cd", DriveType::kCdRom},
              Drive{'R', dir_ / "missing", DriveType::kRemovable}, Drive{'Z', "/", DriveType::kFixed}}) {
    fs::create_directories(dir_ / "drive_c" / "windows" / "System32");
    fs::create_directories(dir_ / "drive_c" / "cd");
  }

  fs::path Host(std::string_view windows) {
    fs::path host;
    Status s = map_.ToHostPath(windows, &host);
    return s.ok() ? host : fs::path("<" + s.ToString() + ">");
  }

  TempDir dir_;
  DriveMap map_;
};

TEST_F(DriveMapTest, ExistingNamesAreFoundWithoutRegardToCase) {
  EXPECT_EQ(Host("C:\\WINDOWS\\SYSTEM32"), dir_ / "drive_c" / "windows" / "System32");
  EXPECT_EQ(Host("c:\\Windows\\system32\\NewFolder\\Deeper"),
            dir_ / "drive_c" / "windows" / "System32" / "NewFolder" / "Deeper");
  EXPECT_EQ(Host("C:\\"), dir_ / "drive_c");
  EXPECT_EQ(Host("C:\\windows\\..\\..\\..\\etc"), dir_ / "drive_c" / "etc");  // stays on the drive
  EXPECT_EQ(Host("Y:\\x").string().substr(0, 2), "<N");
}

TEST_F(DriveMapTest, ExactSpellingWinsOverAnotherCase) {
  fs::create_directories(dir_ / "drive_c" / "Data");
  fs::create_directories(dir_ / "drive_c" / "DATA");
  EXPECT_EQ(Host("C:\\DATA"), dir_ / "drive_c" / "DATA");
  EXPECT_EQ(Host("C:\\Data"), dir_ / "drive_c" / "Data");
  EXPECT_EQ(Host("C:\\data"), dir_ / "drive_c" / "DATA");  // the first in byte order
}

TEST_F(DriveMapTest, NewNamesKeepTheCaseTheyWereCreatedWith) {
  TargetFiles files(map_);
  ASSERT_TRUE(files.CreateFolderTree("C:\\WINDOWS\\Temp\\MixedCase").ok());
  EXPECT_TRUE(fs::is_directory(dir_ / "drive_c" / "windows" / "Temp" / "MixedCase"));
  EXPECT_FALSE(fs::exists(dir_ / "drive_c" / "WINDOWS"));
  // Later lookups in any case find the folder that was made.
  EXPECT_EQ(Host("C:\\windows\\TEMP\\mixedcase"), dir_ / "drive_c" / "windows" / "Temp" / "MixedCase");
}

TEST_F(DriveMapTest, HostPathsMapBackByTheLongestDrivePrefix) {
  std::string windows;
  ASSERT_TRUE(map_.ToWindowsPath(dir_ / "drive_c" / "cd" / "Setup.exe", &windows).ok());
  EXPECT_EQ(windows, "Q:\\Setup.exe");
  ASSERT_TRUE(map_.ToWindowsPath(dir_ / "drive_c" / "windows" / "kestro.exe", &windows).ok());
  EXPECT_EQ(windows, "C:\\windows\\kestro.exe");
  ASSERT_TRUE(map_.ToWindowsPath(dir_ / "drive_c" / "x" / ".." / "y", &windows).ok());
  EXPECT_EQ(windows, "C:\\y");
  ASSERT_TRUE(map_.ToWindowsPath(dir_ / "drive_c", &windows).ok());
  EXPECT_EQ(windows, "C:\\");
  ASSERT_TRUE(map_.ToWindowsPath("/usr/share", &windows).ok());
  EXPECT_EQ(windows, "Z:\\usr\\share");
  // A prefix of a name is no prefix of the path.
  ASSERT_TRUE(map_.ToWindowsPath(dir_ / "drive_cc", &windows).ok());
  EXPECT_EQ(windows[0], 'Z');
  EXPECT_TRUE(map_.ToWindowsPath("/tmp/a\\b", &windows).IsInvalidArgument());
}

TEST_F(DriveMapTest, DriveTypesAndFreeSpace) {
  EXPECT_EQ(map_.TypeOf("C:\\"), DriveType::kFixed);
  EXPECT_EQ(map_.TypeOf("q:\\"), DriveType::kCdRom);
  EXPECT_EQ(map_.TypeOf("Q:\\sub\\file"), DriveType::kCdRom);
  EXPECT_EQ(map_.TypeOf("R:\\"), DriveType::kNoRootDir);  // its folder is missing
  EXPECT_EQ(map_.TypeOf("M:\\"), DriveType::kNoRootDir);
  EXPECT_EQ(map_.TypeOf(""), DriveType::kNoRootDir);
  std::uint64_t free_bytes = 0, total = 0;
  ASSERT_TRUE(map_.FreeSpace("C:\\Not\\Made\\Yet", &free_bytes, &total).ok());
  EXPECT_GT(total, 0u);
  EXPECT_LE(free_bytes, total);
  EXPECT_FALSE(map_.FreeSpace("M:\\", &free_bytes).ok());
}

}  // namespace
}  // namespace platform::target
