#include <gtest/gtest.h>

#include <string>

#include "platform/target_system/short_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform::target {
namespace {

std::wstring LongForm(const std::string& path) {
  const std::wstring wide = win32::Utf8ToWide(path);
  std::wstring long_form(GetLongPathNameW(wide.c_str(), nullptr, 0), L'\0');
  long_form.resize(GetLongPathNameW(wide.c_str(), long_form.data(), static_cast<DWORD>(long_form.size())));
  return long_form;
}

TEST(ShortPathWin32Test, ALongNameGetsItsShortFormAndAMissingPathStaysAsItIs) {
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  const std::string folder =
      win32::WideToUtf8(temp) + "Long Folder Name " + std::to_string(GetCurrentProcessId());
  const std::string file = folder + "\\A long file name.text";
  ASSERT_TRUE(CreateDirectoryW(win32::Utf8ToWide(folder).c_str(), nullptr));
  HANDLE h = CreateFileW(win32::Utf8ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);

  const std::string shortened = ShortPathName(file);
  EXPECT_NE(shortened, file);
  EXPECT_EQ(shortened.find(' '), std::string::npos) << shortened;
  const std::size_t name_at = shortened.rfind('\\');
  ASSERT_NE(name_at, std::string::npos);
  EXPECT_LE(shortened.size() - name_at - 1, 12u) << shortened;  // 8.3
  EXPECT_EQ(LongForm(shortened), win32::Utf8ToWide(file));

  const std::string missing = folder + "\\no such file.exe";
  EXPECT_EQ(ShortPathName(missing), missing);
  EXPECT_EQ(ShortPathName(""), "");

  DeleteFileW(win32::Utf8ToWide(file).c_str());
  RemoveDirectoryW(win32::Utf8ToWide(folder).c_str());
}

}  // namespace
}  // namespace platform::target
