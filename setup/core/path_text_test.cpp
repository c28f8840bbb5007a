#include "setup/core/path_text.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(JoinPathTest, OneBackslashBetweenFolderAndRest) {
  EXPECT_EQ(JoinPath("C:\\Foo\\", "\\\\Bar"), "C:\\Foo\\Bar");
  EXPECT_EQ(JoinPath("C:\\Foo", "Bar"), "C:\\Foo\\Bar");
  EXPECT_EQ(JoinPath("C:\\Foo", "\\Bar\\"), "C:\\Foo\\Bar\\");
  EXPECT_EQ(JoinPath("C:\\Foo", ""), "C:\\Foo");
  EXPECT_EQ(JoinPath("C:\\Foo\\", ""), "C:\\Foo\\");
  EXPECT_EQ(JoinPath("", "Bar"), "\\Bar");
}

TEST(JoinPathTest, DoubleByteLastCharacterIsNotABackslash) {
  // In code page 932 the trail byte of "ソ" is 0x5C, the code of "\".
  EXPECT_EQ(JoinPath("C:\\ソ", "x.txt"), "C:\\ソ\\x.txt");
  EXPECT_EQ(JoinPath("C:\\表", "\\x.txt"), "C:\\表\\x.txt");
}

TEST(StripTest, RemovesEveryRepetitionOnOneSideOnly) {
  EXPECT_EQ(StripTrailing("C:\\A\\\\\\", "\\"), "C:\\A");
  EXPECT_EQ(StripTrailing("\\\\A", "\\"), "\\\\A");
  EXPECT_EQ(StripLeading("\\\\A\\", "\\"), "A\\");
  EXPECT_EQ(StripTrailing("abab", "ab"), "");
  EXPECT_EQ(StripTrailing("x", ""), "x");
  EXPECT_EQ(StripLeading("", "\\"), "");
}

TEST(PositionTest, CountsCharactersNotBytes) {
  EXPECT_EQ(LastPos("\\", "C:\\ソフト\\a.exe"), 7u);
  EXPECT_EQ(LastPos("\\", "ソソ"), 0u);
  EXPECT_EQ(LastPos("", "abc"), 0u);
  EXPECT_EQ(PosFrom("\\", "ソ\\ソ\\", 1), 2u);
  EXPECT_EQ(PosFrom("\\", "ソ\\ソ\\", 3), 4u);
  EXPECT_EQ(PosFrom("\\", "ソ\\ソ\\", 4), 4u);
  EXPECT_EQ(PosFrom("\\", "ソ\\ソ\\", 5), 0u);  // beyond the text
  EXPECT_EQ(PosFrom("\\", "ソ\\", 0), 2u);
  EXPECT_EQ(PosFrom("z", "ソ\\", 1), 0u);
  EXPECT_EQ(CopyFrom("ソフト\\a", 4), "\\a");
  EXPECT_EQ(CopyFrom("ソフト", 3), "ト");
  EXPECT_EQ(CopyFrom("ソフト", 4), "");
  EXPECT_EQ(CopyFrom("ソフト", 99), "");
  EXPECT_EQ(FirstChars("ソフトウェア", 3), "ソフト");
  EXPECT_EQ(FirstChars("ab", 12), "ab");
  EXPECT_EQ(CharCount("aソ\\"), 3u);
}

TEST(ParentPathTest, KeepsDriveRootWhole) {
  EXPECT_EQ(ParentPath("C:\\Program Files\\Maker\\App"), "C:\\Program Files\\Maker");
  EXPECT_EQ(ParentPath("C:\\Program Files\\Maker\\App\\"), "C:\\Program Files\\Maker");
  EXPECT_EQ(ParentPath("C:\\Program Files"), "C:\\");
  EXPECT_EQ(ParentPath("C:\\"), "C:\\");
  EXPECT_EQ(ParentPath("C:\\ソ\\ソ"), "C:\\ソ");
  EXPECT_EQ(ParentPath("App"), "");
  EXPECT_EQ(ParentPath("\\App"), "\\");
}

TEST(TextFoldingTest, TrimAndLowerTouchOnlyAscii) {
  EXPECT_EQ(TrimBlanks(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(AsciiLower("C:\\ＡBc\\デスクトップ"), "c:\\Ａbc\\デスクトップ");
}

}  // namespace
}  // namespace setup
