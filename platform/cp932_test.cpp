#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Cp932Test, RoundTripsJapaneseText) {
  const std::string utf8 = "ユーザ指定 88×31 ｷｬﾝｾﾙ ＭＳ Ｐゴシック ソ表";
  const std::string sjis = Utf8ToCp932(utf8);
  EXPECT_NE(sjis, utf8);
  EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
  EXPECT_TRUE(IsCp932Representable(utf8));
}

TEST(Cp932Test, KnownByteSequences) {
  EXPECT_EQ(Utf8ToCp932("ソ"), "\x83\x5c");
  EXPECT_EQ(Utf8ToCp932("×"), "\x81\x7e");
  EXPECT_EQ(Utf8ToCp932("ｱ"), "\xb1");
  EXPECT_EQ(Cp932ToUtf8("\x82\xa0"), "あ");
}

TEST(Cp932Test, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");  // truncated lead byte
  EXPECT_EQ(Cp932ToUtf8("\xa0z"), "\xEF\xBF\xBDz");  // byte that is no character
  EXPECT_EQ(Cp932ToUtf8(std::string("\x81\x00", 2)).substr(0, 3), "\xEF\xBF\xBD");
}

TEST(Cp932Test, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
  EXPECT_FALSE(IsCp932Representable("😀"));
  // Converted, but to a different character: ¢ comes back as the full-width ￠.
  EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932("¢")), "￠");
  EXPECT_FALSE(IsCp932Representable("¢"));
  EXPECT_EQ(Utf8ToCp932("x\xC3"), "x?");  // truncated UTF-8
}

TEST(Cp932Test, LeadBytes) {
  EXPECT_TRUE(IsCp932LeadByte(0x83));
  EXPECT_TRUE(IsCp932LeadByte(0xE0));
  EXPECT_FALSE(IsCp932LeadByte(0x5C));
  EXPECT_FALSE(IsCp932LeadByte(0xB1));  // half-width katakana is one byte
}

}  // namespace
}  // namespace platform
