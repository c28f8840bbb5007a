#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/testing/temp_dir.h"

namespace platform {
namespace {

std::string Slurp(const std::filesystem::path& p) {
  std::string s;
  ReadWholeFile(p, s);
  return s;
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
  ASSERT_TRUE(WriteFileAtomically(file, "one"));
  std::filesystem::permissions(file, std::filesystem::perms(0600));
  ASSERT_TRUE(WriteFileAtomically(file, "two"));
  EXPECT_EQ(Slurp(file), "two");
  EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0600));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1) << "no temporary file left";
}

TEST_F(AtomicFileTest, WritesThroughSymbolicLinksToTheirTarget) {
  std::filesystem::create_directory(dir_ / "real");
  const auto target = dir_ / "real" / "design.pkc";
  ASSERT_TRUE(WriteFileAtomically(target, "old"));
  std::filesystem::create_symlink("real/design.pkc", dir_ / "link.pkc");
  std::filesystem::create_symlink(dir_ / "link.pkc", dir_ / "link2.pkc");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "link2.pkc", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.pkc"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link2.pkc"));
  EXPECT_EQ(Slurp(target), "new");
  // A link to a file not yet there creates the file.
  std::filesystem::create_symlink("real/later.pkc", dir_ / "later.pkc");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "later.pkc", "x"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "later.pkc"));
  EXPECT_EQ(Slurp(dir_ / "real" / "later.pkc"), "x");
  // A loop is an error, not a hang.
  std::filesystem::create_symlink("loop2", dir_ / "loop1");
  std::filesystem::create_symlink("loop1", dir_ / "loop2");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "loop1", "x"));
}

TEST_F(AtomicFileTest, RefusesWhatIsNoRegularWritableFileAndLeavesIt) {
  const auto fifo = dir_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir_ / "folder");
  const auto locked = dir_ / "locked.pkc";
  ASSERT_TRUE(WriteFileAtomically(locked, "keep"));
  std::filesystem::permissions(locked, std::filesystem::perms(0444));
  const int descriptors = OpenDescriptors();

  std::string error;
  EXPECT_FALSE(WriteFileAtomically(fifo, "x", &error));
  EXPECT_EQ(error, "not a regular file");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_FALSE(WriteFileAtomically(dir_ / "folder", "x", &error));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "folder"));
  // Through a link too.
  std::filesystem::create_symlink("locked.pkc", dir_ / "to-locked");
  for (const auto& path : {locked, dir_ / "to-locked"}) {
    EXPECT_FALSE(WriteFileAtomically(path, "x", &error));
    EXPECT_EQ(error, "read-only file");
  }
  EXPECT_EQ(Slurp(locked), "keep");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "missing" / "x", "x", &error));
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 4);
}

}  // namespace
}  // namespace platform
