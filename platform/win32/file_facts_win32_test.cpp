#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/file_facts.h"
#include "platform/private_profile.h"
#include "platform/testing/temp_dir.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

class FileFactsWin32Test : public ::testing::Test {
 protected:
  testing::TempDir dir_;
};

TEST_F(FileFactsWin32Test, ReadOnlyProfilesAndFilesStayAsTheyAre) {
  const auto ini = dir_ / "app.ini";
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "old", ini).ok());
  ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(IsReadOnlyFile(ini));
  const Status refused = WritePrivateProfileString("S", "K", "new", ini);
  EXPECT_NE(refused.message().find("read-only"), std::string::npos) << refused.message();
  EXPECT_FALSE(WriteFileAtomically(ini, "x").ok());
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", ini), "old");
  EXPECT_FALSE(IsReadOnlyFile(dir_.path()));
  SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileFactsWin32Test, StampsTellVersionsApart) {
  const auto file = dir_ / "a.txt";
  FileStamp none;
  EXPECT_FALSE(ReadFileStamp(file, &none));
  EXPECT_FALSE(ReadFileStamp(dir_.path(), &none));
  ASSERT_TRUE(WriteFileAtomically(file, "one").ok());
  FileStamp first, second;
  ASSERT_TRUE(ReadFileStamp(file, &first));
  EXPECT_EQ(first.size, 3u);
  ASSERT_TRUE(WriteFileAtomically(file, "three").ok());
  ASSERT_TRUE(ReadFileStamp(file, &second));
  EXPECT_NE(first, second);
  std::string data;
  ASSERT_TRUE(ReadWholeFile(file, data).ok());
  EXPECT_EQ(data, "three");
}

TEST_F(FileFactsWin32Test, AFolderLockKeepsOthersWaiting) {
  std::atomic<bool> acquired{false};
  std::thread other;
  {
    FolderLock lock(dir_.path());
    ASSERT_TRUE(lock.held());
    other = std::thread([&] {
      FolderLock second(dir_.path() / ".");
      acquired = second.held();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(acquired.load());
  }
  other.join();
  EXPECT_TRUE(acquired.load());
}

}  // namespace
}  // namespace platform
