#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/target_system/shell_link.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/windows_api.h"

namespace platform::target {
namespace {

class ShellLinkFileWin32Test : public ::testing::Test {
 protected:
  ShellLinkFileWin32Test() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    dir_ = win32::WideToUtf8(temp) + "kestro-linkfile-" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(files_.CreateFolderTree(dir_).ok());
  }
  ~ShellLinkFileWin32Test() override {
    std::vector<FileEntry> entries;
    if (files_.ListEntries(dir_, &entries).ok()) {
      for (const FileEntry& e : entries) {
        const std::wstring path = win32::Utf8ToWide(dir_ + "\\" + e.name);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    }
    (void)files_.RemoveEmptyFolder(dir_);
  }
  std::filesystem::path Host(const std::string& name) const { return win32::Utf8ToWide(dir_ + "\\" + name); }
  std::string Bytes(const std::string& name) const {
    std::ifstream in(Host(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  win32::Win32Files files_;
  std::string dir_;
};

TEST_F(ShellLinkFileWin32Test, TheShellWritesTheLinkAndItReadsBackAsWritten) {
  const std::string target = dir_ + "\\App.exe";
  { std::ofstream(Host("App.exe"), std::ios::binary) << std::string(1234, 'x'); }
  ShellLink link;
  link.target_path = target;
  link.description = "Produced by Tallowmere Tools";
  link.relative_path = RelativeLinkPath(dir_ + "\\アプリ.lnk", target);
  link.working_folder = dir_;
  link.arguments = "/open \"説明.pkc\"";
  link.icon_location = target;
  link.icon_index = 3;
  link.show_command = kShowMinNoActive;
  link.target_attributes = GetFileAttributesW(Host("App.exe").c_str());
  link.target_size = 1234;
  ASSERT_EQ(link.relative_path, ".\\App.exe");

  ASSERT_TRUE(WriteShellLinkFile(Host("アプリ.lnk"), link).ok());
  ShellLink read;
  ASSERT_TRUE(ReadShellLinkFile(Host("アプリ.lnk"), &read).ok());
  EXPECT_EQ(read, link);

  // Our own encoder writes no item-id list; a link saved by the shell has one.
  const std::string bytes = Bytes("アプリ.lnk");
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x4C);
  EXPECT_TRUE(static_cast<unsigned char>(bytes[0x14]) & 0x01) << "no target item list";
  EXPECT_EQ(static_cast<unsigned char>(bytes[0x3C]), 7) << "show command in the header";
  // Windows keeps the relative path (flag bit 3); Wine would write it
  // without that bit and shift every later field, so it gets none.
  EXPECT_EQ((static_cast<unsigned char>(bytes[0x14]) & 0x08) != 0, !win32::RunningUnderWine());
}

// Every Wine prefix has its own settings key; Windows has none.
TEST(RunningUnderWineTest, AgreesWithTheRegistryOfWine) {
  HKEY wine = nullptr;
  const bool has_wine_key =
      RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, KEY_READ, &wine) == ERROR_SUCCESS;
  if (wine) RegCloseKey(wine);
  EXPECT_EQ(win32::RunningUnderWine(), has_wine_key);
}

TEST_F(ShellLinkFileWin32Test, AReadOnlyLinkIsRefusedAndKept) {
  { std::ofstream(Host("old.lnk"), std::ios::binary) << "kept"; }
  SetFileAttributesW(Host("old.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
  ShellLink link;
  link.target_path = "C:\\windows\\notepad.exe";
  EXPECT_TRUE(WriteShellLinkFile(Host("old.lnk"), link).IsAccessDenied());
  EXPECT_EQ(Bytes("old.lnk"), "kept");
}

TEST_F(ShellLinkFileWin32Test, SomethingThatIsNoLinkDoesNotRead) {
  { std::ofstream(Host("bad.lnk"), std::ios::binary) << "not a link"; }
  ShellLink link;
  EXPECT_FALSE(ReadShellLinkFile(Host("bad.lnk"), &link).ok());
  EXPECT_FALSE(ReadShellLinkFile(Host("missing.lnk"), &link).ok());
}

}  // namespace
}  // namespace platform::target
