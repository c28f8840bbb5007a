#include "banner/app/setting_values.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(SettingValuesTest, StrictInt16AcceptsOnlyWholeNumbers) {
  EXPECT_EQ(StrictInt16("3"), 3);
  EXPECT_EQ(StrictInt16("  -1 "), -1);
  EXPECT_EQ(StrictInt16("2.5"), 2);  // halves to the even neighbour
  EXPECT_EQ(StrictInt16("3.5"), 4);
  EXPECT_EQ(StrictInt16("&H10"), 16);
  EXPECT_EQ(StrictInt16("1e1"), 10);
  EXPECT_EQ(StrictInt16("abc"), std::nullopt);
  EXPECT_EQ(StrictInt16("3x"), std::nullopt);
  EXPECT_EQ(StrictInt16(""), std::nullopt);
  EXPECT_EQ(StrictInt16("40000"), std::nullopt);
  EXPECT_EQ(StrictInt16("1e400"), std::nullopt);
}

TEST(SettingValuesTest, LenientNumbersTakeTheLeadingNumber) {
  EXPECT_EQ(LenientInt16("7abc"), 7);
  EXPECT_EQ(LenientInt16("abc"), 0);
  EXPECT_EQ(LenientInt16(" 12 3"), 12);
  EXPECT_EQ(LenientInt16("4.5px"), 4);
  EXPECT_EQ(LenientInt16("99999"), std::nullopt);
  EXPECT_EQ(LenientInt32("99999"), 99999);
  EXPECT_EQ(LenientInt32("-20"), -20);
}

TEST(SettingValuesTest, BooleansAreWordsOrNumbers) {
  for (const char* on : {"True", "true", "TRUE", " tRuE ", "1", "-1", "2"})
    EXPECT_EQ(ParseBoolean(on), true) << on;
  for (const char* off : {"False", "false", "0", "0.0"}) EXPECT_EQ(ParseBoolean(off), false) << off;
  for (const char* bad : {"yes", "", "1x", "on"}) EXPECT_EQ(ParseBoolean(bad), std::nullopt) << bad;
}

TEST(SettingValuesTest, ColoursAreBlueGreenRed) {
  EXPECT_EQ(ParseHexColor("0000FF"), 0x0000FFu);  // pure red
  EXPECT_EQ(ParseHexColor("FF0000"), 0xFF0000u);  // pure blue
  EXPECT_EQ(ParseHexColor("ffffff"), 0xFFFFFFu);
  EXPECT_EQ(ParseHexColor("80"), 0x80u);
  EXPECT_EQ(ParseHexColor("1FFFFFF"), 0xFFFFFFu);  // only 24 bits are a colour
  EXPECT_EQ(ParseHexColor("zz"), std::nullopt);
}

}  // namespace
}  // namespace plakato
