#include "setup/app/confined_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/atomic_file.h"
#include "setup/core/test_system.h"

namespace setup::app {
namespace {

namespace fs = std::filesystem;

TEST(ConfinedFileTest, OnlyRegularFilesOnTheDrivesWithinTheLimitAreRead) {
  setup::testing::TestSystem system;
  const fs::path drive_c = system->folder() / "drive_c";
  const auto& drives = system->drives();
  ASSERT_TRUE(platform::WriteFileAtomically(drive_c / "back.bmp", "BM picture").ok());
  EXPECT_EQ(ReadConfinedFile(drives, drive_c / "back.bmp", 100), "BM picture");
  EXPECT_EQ(ReadConfinedFile(drives, drive_c / "back.bmp", 9), std::nullopt) << "over the limit";

  // A FIFO would block the window before it appears; it is not even opened
  // for long.
  ASSERT_EQ(::mkfifo((drive_c / "pipe.bmp").c_str(), 0600), 0);
  EXPECT_EQ(ReadConfinedFile(drives, drive_c / "pipe.bmp", 100), std::nullopt);

  ASSERT_TRUE(platform::WriteFileAtomically(system.dir() / "host.bmp", "host").ok());
  fs::create_symlink(system.dir() / "host.bmp", drive_c / "link.bmp");
  EXPECT_EQ(ReadConfinedFile(drives, drive_c / "link.bmp", 100), std::nullopt);
  EXPECT_EQ(ReadConfinedFile(drives, system.dir() / "host.bmp", 100), std::nullopt);
  EXPECT_EQ(ReadConfinedFile(drives, drive_c, 100), std::nullopt) << "a folder";
  fs::create_symlink(drive_c / "back.bmp", drive_c / "inner.bmp");
  EXPECT_EQ(ReadConfinedFile(drives, drive_c / "inner.bmp", 100), "BM picture") << "a link inside the drive";
}

}  // namespace
}  // namespace setup::app
