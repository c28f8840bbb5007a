#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Utf8Test, DecodesAndReplacesEveryInvalidByte) {
  EXPECT_EQ(DecodeUtf8("aé日𝄞"), (std::vector<char32_t>{U'a', U'é', U'日', U'𝄞'}));
  EXPECT_EQ(DecodeUtf8("\xff"), std::vector<char32_t>{kReplacementChar});
  EXPECT_EQ(DecodeUtf8("\xe6\x97"),
            (std::vector<char32_t>{kReplacementChar, kReplacementChar}));  // cut short
  EXPECT_EQ(DecodeUtf8("\xc0\xafx"),
            (std::vector<char32_t>{kReplacementChar, kReplacementChar, U'x'}));  // overlong
  EXPECT_EQ(DecodeUtf8("\xed\xa0\x80").size(), 3u);  // a surrogate is no character
  EXPECT_EQ(DecodeUtf8("\xe6x"), (std::vector<char32_t>{kReplacementChar, U'x'}));
}

TEST(Utf8Test, EncodesEveryLength) {
  std::string out;
  for (char32_t c : {U'a', U'é', U'日', U'𝄞'}) AppendUtf8(out, c);
  EXPECT_EQ(out, "aé日𝄞");
  std::size_t i = 0;
  EXPECT_EQ(NextUtf8Char(out, i), U'a');
  EXPECT_EQ(i, 1u);
  EXPECT_EQ(NextUtf8Char(out, i), U'é');
  EXPECT_EQ(i, 3u);
}

}  // namespace
}  // namespace platform
