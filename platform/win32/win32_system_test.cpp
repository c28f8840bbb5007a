#include "platform/win32/win32_system.h"

#include <gtest/gtest.h>

namespace platform::win32 {
namespace {

using platform::target::DriveType;

TEST(Win32SystemTest, TheEnginesSeeTheRealMachine) {
  Win32System system;
  platform::target::TargetSystem& target = system;
  EXPECT_EQ(target.os_kind(), 200);
  EXPECT_TRUE(target.files().IsFolder(target.windows_folder()));
  EXPECT_TRUE(
      target.registry().OpenKey(platform::target::RegistryRoot::kLocalMachine, "Software\\Microsoft").ok());

  const auto& drives = target.drives();
  ASSERT_NE(drives.FindDrive('c'), nullptr);
  EXPECT_EQ(drives.TypeOf("C:\\Program Files"), DriveType::kFixed);
  EXPECT_EQ(drives.TypeOf("no drive"), DriveType::kNoRootDir);
  std::uint64_t free_bytes = 0, total_bytes = 0;
  ASSERT_TRUE(drives.FreeSpace("c:\\", &free_bytes, &total_bytes).ok());
  EXPECT_GT(free_bytes, 0u);
  EXPECT_GE(total_bytes, free_bytes);

  // A Windows path names itself, both ways.
  std::filesystem::path host;
  ASSERT_TRUE(drives.ToHostPath("C:\\WINDOWS\\win.ini", &host).ok());
  EXPECT_EQ(host.wstring(), L"C:\\WINDOWS\\win.ini");
  std::string windows;
  ASSERT_TRUE(drives.ToWindowsPath(host, &windows).ok());
  EXPECT_EQ(windows, "C:\\WINDOWS\\win.ini");
  EXPECT_TRUE(drives.ToHostPath("relative\\path", &host).IsInvalidArgument());
}

}  // namespace
}  // namespace platform::win32
