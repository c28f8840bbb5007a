#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/testing/temp_dir.h"

namespace platform {
namespace {

std::string Slurp(const std::filesystem::path& p) {
  std::string s;
  return ReadWholeFile(p, s).ok() ? s : "(unreadable)";
}

int OpenDescriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

class AtomicFileTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
};

TEST_F(AtomicFileTest, ReplacesAFileAndKeepsItsMode) {
  const auto file = dir_ / "a.txt";
  ASSERT_TRUE(WriteFileAtomically(file, "one").ok());
  std::filesystem::permissions(file, std::filesystem::perms(0600));
  ASSERT_TRUE(WriteFileAtomically(file, "two").ok());
  EXPECT_EQ(Slurp(file), "two");
  EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0600));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1)
      << "no temporary file left";
}

TEST_F(AtomicFileTest, WritesThroughSymbolicLinksToTheirTarget) {
  std::filesystem::create_directory(dir_ / "real");
  const auto target = dir_ / "real" / "design.pkc";
  ASSERT_TRUE(WriteFileAtomically(target, "old").ok());
  std::filesystem::create_symlink("real/design.pkc", dir_ / "link.pkc");
  std::filesystem::create_symlink(dir_ / "link.pkc", dir_ / "link2.pkc");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "link2.pkc", "new").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.pkc"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link2.pkc"));
  EXPECT_EQ(Slurp(target), "new");
  // A link to a file not yet there creates the file.
  std::filesystem::create_symlink("real/later.pkc", dir_ / "later.pkc");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "later.pkc", "x").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "later.pkc"));
  EXPECT_EQ(Slurp(dir_ / "real" / "later.pkc"), "x");
  // A loop is an error, not a hang.
  std::filesystem::create_symlink("loop2", dir_ / "loop1");
  std::filesystem::create_symlink("loop1", dir_ / "loop2");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "loop1", "x").ok());
}

TEST_F(AtomicFileTest, RefusesWhatIsNoRegularWritableFileAndLeavesIt) {
  const auto fifo = dir_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir_ / "folder");
  const auto locked = dir_ / "locked.pkc";
  ASSERT_TRUE(WriteFileAtomically(locked, "keep").ok());
  std::filesystem::permissions(locked, std::filesystem::perms(0444));
  const int descriptors = OpenDescriptors();

  EXPECT_EQ(WriteFileAtomically(fifo, "x").message(), "not a regular file");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_FALSE(WriteFileAtomically(dir_ / "folder", "x").ok());
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "folder"));
  // Through a link too.
  std::filesystem::create_symlink("locked.pkc", dir_ / "to-locked");
  for (const auto& path : {locked, dir_ / "to-locked"}) {
    const Status refused = WriteFileAtomically(path, "x");
    EXPECT_TRUE(refused.IsAccessDenied());
    EXPECT_EQ(refused.message(), "read-only file");
  }
  EXPECT_EQ(Slurp(locked), "keep");
  EXPECT_TRUE(WriteFileAtomically(dir_ / "missing" / "x", "x").IsNotFound());
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 4);
}

}  // namespace
}  // namespace platform
