#include "banner/render/caching_font_backend.h"

#include <gtest/gtest.h>

#include "banner/render/fake_font_backend.h"

namespace plakato {
namespace {

TEST(CachingFontBackendTest, MeasuresEachFontAndTextOnce) {
  auto inner = std::make_shared<FakeFontBackend>();
  CachingFontBackend cache(inner);
  const FontSpec font{"A", false, false, 10};
  EXPECT_EQ(cache.Measure(font, "abc"), (TextExtent{30, 12}));
  EXPECT_EQ(cache.Measure(font, "abc"), (TextExtent{30, 12}));
  EXPECT_EQ(inner->measure_calls, 1);
  // Every part of the key counts.
  FontSpec other = font;
  other.points = 11;
  EXPECT_EQ(cache.Measure(other, "abc").width, 33);
  other = font;
  other.bold = true;
  cache.Measure(other, "abc");
  other = font;
  other.italic = true;
  cache.Measure(other, "abc");
  other = font;
  other.face = "B";
  cache.Measure(other, "abc");
  cache.Measure(font, "abcd");
  EXPECT_EQ(inner->measure_calls, 6);
  // A face ending like the text begins cannot collide with another split.
  cache.Measure({"A1", false, false, 1}, "x");
  cache.Measure({"A", false, false, 1}, "1x");
  EXPECT_EQ(inner->measure_calls, 8);
}

TEST(CachingFontBackendTest, ForgetsWhenFullButStaysCorrect) {
  auto inner = std::make_shared<FakeFontBackend>();
  CachingFontBackend cache(inner, 2, 1);
  const FontSpec font{"A", false, false, 3};
  cache.Measure(font, "a");
  cache.Measure(font, "bb");
  cache.Measure(font, "ccc");
  EXPECT_EQ(cache.Measure(font, "a").width, 3);
  EXPECT_EQ(inner->measure_calls, 4);
  const auto first = cache.Render(font, "a");
  EXPECT_EQ(cache.Render(font, "a"), first);
  cache.Render(font, "bb");
  const auto again = cache.Render(font, "a");
  EXPECT_NE(again, first);
  EXPECT_EQ(again->coverage, first->coverage);
  EXPECT_EQ(inner->render_calls, 3);
}

}  // namespace
}  // namespace plakato
