#include <gtest/gtest.h>

#include <string>

#include "platform/target_system/known_folder.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform::target {
namespace {

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(KnownFolderWin32Test, ShellFoldersComeFromTheShellAndUnknownNamesGiveNothing) {
  const std::string desktop = KnownShellFolder("Desktop");
  const std::string programs = KnownShellFolder("Programs");
  const std::string common_programs = KnownShellFolder("Common Programs");
  for (const std::string& folder : {desktop, programs, common_programs}) {
    ASSERT_GE(folder.size(), 3u) << folder;
    EXPECT_NE(folder.back(), '\\') << folder;
    EXPECT_TRUE(IsFolder(folder)) << folder;
  }
  EXPECT_TRUE(EndsWith(programs, "\\Start Menu\\Programs")) << programs;
  EXPECT_TRUE(EndsWith(common_programs, "\\Start Menu\\Programs")) << common_programs;
  EXPECT_NE(programs, common_programs);
  EXPECT_EQ(KnownShellFolder("ProgramFilesDir"), "");  // read from the registry
  EXPECT_EQ(KnownShellFolder("desktop "), "");
}

}  // namespace
}  // namespace platform::target
