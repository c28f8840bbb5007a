#include "platform/target_system/shell_link.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

using platform::testing::TempDir;

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

ShellLink SampleLink() {
  ShellLink link;
  link.target_path = "C:\\Program Files\\Maker\\プラカート.exe";
  link.description = "Produced by Tallowmere Tools";
  link.relative_path =
      RelativeLinkPath("C:\\Documents and Settings\\taro\\デスクトップ\\Plakato.lnk", link.target_path);
  link.working_folder = "C:\\Program Files\\Maker";
  link.arguments = "/x \"a b\"";
  link.icon_location = "C:\\Program Files\\Maker\\icons.dll";
  link.icon_index = 255;
  link.show_command = kShowMinNoActive;
  link.target_attributes = 0x20;
  link.target_size = 123456;
  return link;
}

TEST(ShellLinkTest, HeaderCarriesSizeClassIdFlagsAndFields) {
  const std::string bytes = EncodeShellLink(SampleLink());
  ASSERT_GE(bytes.size(), 76u);
  EXPECT_EQ(U32(bytes, 0), 0x4Cu);
  const std::string class_id("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  EXPECT_EQ(bytes.substr(4, 16), class_id);
  // HasLinkInfo, HasName, HasRelativePath, HasWorkingDir, HasArguments,
  // HasIconLocation, IsUnicode; no item-id list.
  EXPECT_EQ(U32(bytes, 0x14), 0xFEu);
  EXPECT_EQ(U32(bytes, 0x18), 0x20u);
  EXPECT_EQ(U32(bytes, 0x34), 123456u);
  EXPECT_EQ(U32(bytes, 0x38), 255u);
  EXPECT_EQ(U32(bytes, 0x3C), 7u);
  // The LinkInfo follows the header: its size, header size 0x24, and the
  // volume-and-local-path flag; the code page 932 path is at its offset.
  const std::uint32_t info_size = U32(bytes, 76);
  EXPECT_EQ(U32(bytes, 80), 0x24u);
  EXPECT_EQ(U32(bytes, 84), 1u);
  const std::size_t ansi_at = 76 + U32(bytes, 76 + 16);
  EXPECT_EQ(bytes.substr(ansi_at, 25), "C:\\Program Files\\Maker\\\x83v");
  // String data starts right after, the description first, in UTF-16.
  const std::size_t strings = 76 + info_size;
  EXPECT_EQ(static_cast<unsigned char>(bytes[strings]), 28u);
  EXPECT_EQ(bytes.substr(strings + 2, 6), std::string("P\0r\0o\0", 6));
  // Ends with the empty extra-data block.
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));
}

TEST(ShellLinkTest, WriteThenReadGivesTheSameShortcut) {
  TempDir dir;
  const ShellLink link = SampleLink();
  EXPECT_EQ(link.relative_path, "..\\..\\..\\Program Files\\Maker\\プラカート.exe");
  ASSERT_TRUE(WriteShellLinkFile(dir / "Plakato.lnk", link).ok());
  ShellLink read;
  ASSERT_TRUE(ReadShellLinkFile(dir / "Plakato.lnk", &read).ok());
  EXPECT_EQ(read, link);

  ShellLink plain;
  plain.target_path = "C:\\x.exe";
  plain.show_command = 5;  // anything but 3 and 7 reads as normal
  ASSERT_TRUE(DecodeShellLink(EncodeShellLink(plain), &read).ok());
  EXPECT_EQ(read.target_path, "C:\\x.exe");
  EXPECT_EQ(read.show_command, kShowNormal);
  EXPECT_TRUE(read.icon_location.empty());
  EXPECT_TRUE(read.description.empty());
}

TEST(ShellLinkTest, DamagedFilesAreRefusedWithoutReadingPastTheEnd) {
  const std::string good = EncodeShellLink(SampleLink());
  ShellLink link;
  // Every truncation must fail cleanly; a sanitizer build checks the reads.
  for (std::size_t size = 0; size + 4 < good.size(); ++size) {
    EXPECT_FALSE(DecodeShellLink(good.substr(0, size), &link).ok()) << size;
  }
  std::string wrong_class = good;
  wrong_class[4] = 0x02;
  EXPECT_FALSE(DecodeShellLink(wrong_class, &link).ok());
  std::string huge_info = good;
  huge_info[76 + 3] = 0x7F;  // LinkInfo size far past the end
  EXPECT_FALSE(DecodeShellLink(huge_info, &link).ok());
  std::string bad_offset = good;
  bad_offset[76 + 0x1C + 3] = 0x7F;  // UTF-16 path offset outside the block
  EXPECT_FALSE(DecodeShellLink(bad_offset, &link).ok());
  TempDir dir;
  EXPECT_TRUE(ReadShellLinkFile(dir / "none.lnk", &link).IsNotFound());
}

TEST(ShellLinkTest, RelativePathsFromTheLinkFolder) {
  EXPECT_EQ(RelativeLinkPath("C:\\A\\link.lnk", "C:\\A\\app.exe"), ".\\app.exe");
  EXPECT_EQ(RelativeLinkPath("C:\\a\\B\\link.lnk", "c:\\A\\b\\Sub\\app.exe"), ".\\Sub\\app.exe");
  EXPECT_EQ(RelativeLinkPath("C:\\A\\B\\link.lnk", "C:\\C\\app.exe"), "..\\..\\C\\app.exe");
  EXPECT_EQ(RelativeLinkPath("C:\\A\\link.lnk", "D:\\app.exe"), "");
  EXPECT_EQ(RelativeLinkPath("link.lnk", "C:\\app.exe"), "");
}

}  // namespace
}  // namespace platform::target
