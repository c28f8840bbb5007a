#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

namespace platform::win32 {
namespace {

TEST(WideTextTest, ShiftJisAndUtf8MeetInUtf16) {
  const std::string sjis = "\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5b\x83\x8b";  // インストール
  EXPECT_EQ(Cp932ToWide(sjis), L"\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb");
  bool lossy = true;
  EXPECT_EQ(WideToCp932(Cp932ToWide(sjis), &lossy), sjis);
  EXPECT_FALSE(lossy);
  EXPECT_EQ(WideToUtf8(Utf8ToWide("インストール")), "インストール");
  // Half-width katakana are single bytes of the code page.
  EXPECT_EQ(WideToCp932(L"\uff83"), "\xc3");
}

TEST(WideTextTest, MissingCharactersAreMarkedAndNulsKept) {
  bool lossy = false;
  EXPECT_EQ(WideToCp932(L"caf\u00e9", &lossy), "caf?");
  EXPECT_TRUE(lossy);
  // A list of texts keeps its separating NULs both ways.
  const std::string list("a\0b\0\0", 5);
  EXPECT_EQ(Utf8ToWide(list).size(), 5u);
  EXPECT_EQ(WideToUtf8(Utf8ToWide(list)), list);
  EXPECT_EQ(Utf8ToWide(""), L"");
}

}  // namespace
}  // namespace platform::win32
