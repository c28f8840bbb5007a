#include "platform/target_system/windows_path.h"

#include <gtest/gtest.h>

#include "platform/target_system/name_folding.h"

namespace platform::target {
namespace {

std::string Normal(std::string_view text) {
  WindowsPath path;
  Status s = WindowsPath::Parse(text, &path);
  return s.ok() ? path.ToString() : "<" + std::string(s.IsInvalidArgument() ? "invalid" : "error") + ">";
}

TEST(WindowsPathTest, ParsesAndNormalisesAsWindowsDoes) {
  EXPECT_EQ(Normal("c:\\Program Files\\Maker\\"), "C:\\Program Files\\Maker");
  EXPECT_EQ(Normal("C:/a//b/./c"), "C:\\a\\b\\c");
  EXPECT_EQ(Normal("C:\\a\\..\\..\\..\\b"), "C:\\b");  // never above the root
  EXPECT_EQ(Normal("C:\\name. \\x"), "C:\\name\\x");
  EXPECT_EQ(Normal("C:"), "C:\\");
  EXPECT_EQ(Normal("C:\\ﾃﾞｽｸﾄｯﾌﾟ\\デスクトップ"), "C:\\ﾃﾞｽｸﾄｯﾌﾟ\\デスクトップ");
}

TEST(WindowsPathTest, RefusesWhatNoDrivePathCanBe) {
  for (const char* bad : {"", "relative\\x", "\\\\server\\share\\x", "C:relative", "1:\\x", "C:\\a:b",
                          "C:\\a|b", "C:\\a\"b", "C:\\a\x01z", "C:\\*\\x", "C:\\a?"}) {
    EXPECT_EQ(Normal(bad), "<invalid>") << bad;
  }
  WindowsPath pattern;
  EXPECT_TRUE(WindowsPath::Parse("C:\\WINDOWS\\*.i?i", &pattern, true).ok());
  EXPECT_EQ(pattern.Name(), "*.i?i");
  EXPECT_FALSE(WindowsPath::Parse("C:\\W*\\x.ini", &pattern, true).ok());
}

TEST(WindowsPathTest, ParentAndChild) {
  WindowsPath path;
  ASSERT_TRUE(WindowsPath::Parse("D:\\a\\b", &path).ok());
  EXPECT_EQ(path.Parent().ToString(), "D:\\a");
  EXPECT_EQ(path.Parent().Parent().Parent().ToString(), "D:\\");
  EXPECT_TRUE(path.Parent().Parent().IsRoot());
  EXPECT_EQ(path.Child("c").ToString(), "D:\\a\\b\\c");
  EXPECT_EQ(path.RootString(), "D:\\");
}

TEST(NameFoldingTest, FoldsLettersOnly) {
  EXPECT_TRUE(NamesEqual("Program Files", "PROGRAM FILES"));
  EXPECT_TRUE(NamesEqual("ｆｉｌｅ", "ＦＩＬＥ"));
  EXPECT_TRUE(NamesEqual("café", "CAFÉ"));
  EXPECT_FALSE(NamesEqual("ﾃﾞｽｸﾄｯﾌﾟ", "デスクトップ"));  // half and full width differ
  EXPECT_FALSE(NamesEqual("a[", "A{"));                  // only letters fold
  EXPECT_EQ(FoldName("\xFF"
                     "a"),
            "\xFF"
            "A");  // invalid bytes are kept
}

TEST(NameFoldingTest, WildcardsMatchLikeFindFirstFile) {
  EXPECT_TRUE(WildcardMatch("*.DLL", "msvcrt.dll"));
  EXPECT_TRUE(WildcardMatch("*.*", "README"));
  EXPECT_TRUE(WildcardMatch("a?c", "aテc"));  // one character, not one byte
  EXPECT_FALSE(WildcardMatch("a?c", "ac"));
  EXPECT_TRUE(WildcardMatch("*a*b*", "xxaYYbzz"));
  EXPECT_FALSE(WildcardMatch("*a*b", "xxaYYbzz"));
  EXPECT_TRUE(WildcardMatch("*", ""));
  EXPECT_FALSE(WildcardMatch("setup.exe", "setup.exe.bak"));
}

}  // namespace
}  // namespace platform::target
