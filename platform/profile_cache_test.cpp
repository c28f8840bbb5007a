#include "platform/profile_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/private_profile.h"
#include "platform/testing/temp_dir.h"

namespace platform {
namespace {

// Rewrites the file in place (same inode), as an editor saving over it does.
void Overwrite(const std::filesystem::path& file, std::string_view text) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::close(fd);
}

TEST(ProfileCacheTest, EveryChangeIsSeenEvenWithinOneClockTick) {
  testing::TempDir dir;
  const auto file = dir / "Setup.dat";
  ASSERT_TRUE(WriteFileAtomically(file, "[S]\nk=1\n").ok());
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", file), "1");
  const auto first = ReadProfileIndex(file);
  EXPECT_EQ(ReadProfileIndex(file), first);  // unchanged: taken apart once

  Overwrite(file, "[S]\nk=2\n");  // same size, same inode, same moment
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", file), "2");
  ASSERT_TRUE(WriteFileAtomically(file, "[S]\nk=3\n").ok());  // replaced by rename
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", file), "3");

  // Putting the old modification time back does not hide a change.
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  Overwrite(file, "[S]\nk=4\n");
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", file), "4");

  ASSERT_TRUE(std::filesystem::remove(file));
  EXPECT_EQ(GetPrivateProfileString("S", "k", "gone", file), "gone");
  EXPECT_EQ(ReadProfileIndex(file), nullptr);
}

TEST(ProfileCacheTest, RepeatedSectionsAndKeysKeepTheFirstLine) {
  ProfileIndex index(
      "k=before any section\r\n[A]\r\n x = 1 \r\n[B]\r\ny=b\r\n[ a ]\r\nX=2\r\ny=3\r\n[A\r\nz=4\r\n");
  EXPECT_EQ(index.Find("a", "x"), "1");
  EXPECT_EQ(index.Find("A", "Y"), "3");
  EXPECT_EQ(index.Find("A", "z"), "4");  // a header without "]" still opens the section
  EXPECT_EQ(index.Find("B", "x"), std::nullopt);
  EXPECT_EQ(index.Find("", "k"), std::nullopt);
  EXPECT_EQ(index.Keys("A"), (std::vector<std::string>{"x", "X", "y", "z"}));
  EXPECT_EQ(index.Sections(), (std::vector<std::string>{"A", "B", "a", "A"}));
}

TEST(ProfileCacheTest, ItemsAreFoundAsTheirWholeNamesAre) {
  // Repeats, another case, leading zeros, a field ending in a digit, a
  // number far beyond the list, blanks and a zero: an item lookup finds
  // exactly what a lookup of "field" followed by the number finds.
  ProfileIndex index(
      "[F]\nFile1=a\nFILE1=b\nfile2=c\nFile012=d\nPart12=e\nFile 3=f\nFile0=g\nNewFile2= \"h\" "
      "\nAttrs5000=s\n"
      "[G]\nFile1=i\nFile99999999999=j\n");
  for (std::string_view section : {"F", "f", "G", "H"}) {
    for (std::string_view field :
         {"File", "file", "NEWFILE", "Part", "Part1", "File ", " File", "x", "Attrs"}) {
      for (std::int64_t n :
           {std::int64_t{-1}, std::int64_t{0}, std::int64_t{1}, std::int64_t{2}, std::int64_t{3},
            std::int64_t{12}, std::int64_t{13}, std::int64_t{5000}, std::int64_t{99999999999}}) {
        EXPECT_EQ(index.FindItem(section, field, n),
                  index.Find(section, std::string(field) + std::to_string(n)))
            << section << " " << field << " " << n;
      }
    }
  }
  EXPECT_EQ(index.FindItem("F", "File", 1), "a");
  EXPECT_EQ(index.FindItem("G", "File", 99999999999), "j");
  EXPECT_EQ(index.FindItem("F", "attrs", 5000), "s");  // one far item: no table of five thousand
}

}  // namespace
}  // namespace platform
