#include "banner/app/window/file_filter.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(FileFilterTest, KeepsDescriptionsAndJoinsPatterns) {
  EXPECT_EQ(ToToolkitFilter("Plakato設定ﾌｧｲﾙ(*.pkc)|*.pkc"), "Plakato設定ﾌｧｲﾙ(*.pkc) (*.pkc)");
  EXPECT_EQ(ToToolkitFilter("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png"),
            "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp) (*.bmp);;PNGﾌｧｲﾙ(*.png) (*.png)");
  EXPECT_EQ(ToToolkitFilter("画像ﾌｧｲﾙ(*.bmp, *.jpg)|*.bmp;*.jpg|JPEG|*.jpg;*.jpeg"),
            "画像ﾌｧｲﾙ(*.bmp, *.jpg) (*.bmp *.jpg);;JPEG (*.jpg *.jpeg)");
}

TEST(FileFilterTest, MalformedFiltersStayHarmless) {
  EXPECT_EQ(ToToolkitFilter(""), "");
  EXPECT_EQ(ToToolkitFilter("only a description"), "");
  EXPECT_EQ(ToToolkitFilter("A|*.a|dangling"), "A (*.a)");
  EXPECT_EQ(ToToolkitFilter("A||B|;*.b;"), "B (*.b)");
}

}  // namespace
}  // namespace plakato
