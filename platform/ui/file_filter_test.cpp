#include "platform/ui/file_filter.h"

#include <gtest/gtest.h>

namespace platform::ui {
namespace {

TEST(FileFilterTest, KeepsDescriptionsAsWrittenAndSplitsPatterns) {
  EXPECT_EQ(ParseFileFilter("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png"),
            (std::vector<FileTypeFilter>{{"ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)", {"*.bmp"}}, {"PNGﾌｧｲﾙ(*.png)", {"*.png"}}}));
  const auto entries = ParseFileFilter("画像ﾌｧｲﾙ(*.bmp, *.jpg)|*.bmp;*.jpg|JPEG|*.jpg;*.jpeg");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(ToToolkitFilter(entries[0]), "画像ﾌｧｲﾙ(*.bmp, *.jpg) (*.bmp *.jpg)");
  EXPECT_EQ(entries[1].patterns, (std::vector<std::string>{"*.jpg", "*.jpeg"}));
}

TEST(FileFilterTest, MalformedFiltersStayHarmless) {
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("only a description").empty());
  EXPECT_EQ(ParseFileFilter("A|*.a|dangling"), (std::vector<FileTypeFilter>{{"A", {"*.a"}}}));
  EXPECT_EQ(ParseFileFilter("A||B|;*.b;"), (std::vector<FileTypeFilter>{{"B", {"*.b"}}}));
}

}  // namespace
}  // namespace platform::ui
