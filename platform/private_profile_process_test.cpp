// Profile files changed by several processes at once, and read-only files.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/private_profile.h"
#include "platform/testing/temp_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(PrivateProfileProcessTest, WritersInSeveralProcessesLoseNoKey) {
  testing::TempDir dir;
  const fs::path file = dir / "shared.ini";
  constexpr int kWriters = 4;
  constexpr int kKeys = 50;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      int failures = 0;
      for (int k = 0; k < kKeys; ++k) {
        const std::string key = "w" + std::to_string(w) + "k" + std::to_string(k);
        failures += WritePrivateProfileString("Shared", key, key, file).ok() ? 0 : 1;
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(GetPrivateProfileKeys("Shared", file).size(), static_cast<std::size_t>(kWriters * kKeys));
  for (int w = 0; w < kWriters; ++w) {
    const std::string key = "w" + std::to_string(w) + "k" + std::to_string(kKeys - 1);
    EXPECT_EQ(GetPrivateProfileString("Shared", key, "", file), key);
  }
}

TEST(PrivateProfileProcessTest, AReadOnlyFileIsRefusedAndKeptAsItIs) {
  testing::TempDir dir;
  const fs::path file = dir / "locked.ini";
  ASSERT_TRUE(WriteFileAtomically(file, "[S]\r\nk=old\r\n").ok());
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);

  EXPECT_FALSE(WritePrivateProfileString("S", "k", "new", file).ok());
  EXPECT_FALSE(WritePrivateProfileString("S", "k", std::nullopt, file).ok());
  EXPECT_FALSE(DeletePrivateProfileSection("S", file).ok());

  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // not replaced by a rename
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", file), "old");
  // Deleting from a file that is not there still has nothing to do.
  EXPECT_TRUE(WritePrivateProfileString("S", "k", std::nullopt, dir / "no" / "such.ini").ok());
}

}  // namespace
}  // namespace platform
