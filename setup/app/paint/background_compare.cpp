#include "setup/app/paint/background_compare.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "platform/utf8.h"

namespace setup::paint {
namespace {

// How far the mean colour of a region's ink may differ per channel: edge
// smoothing mixes small text and field differently (by up to 35 between
// FreeType and Wine), wrong colours differ more.
constexpr int kColourSlack = 64;

bool SameColour(Argb a, Argb b) { return (a & 0xFFFFFFu) == (b & 0xFFFFFFu); }

bool Overlap(const Region& a, const Region& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

struct Ink {
  long long count = 0;
  Region box{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
  long long red = 0, green = 0, blue = 0;  // sums over the ink
  int Mean(long long sum) const { return static_cast<int>(sum / count); }
};

Ink InkIn(const PixelBuffer& painted, const PixelBuffer& field, const Region& r) {
  Ink ink;
  for (int y = std::max(0, r.top); y < std::min(painted.height, r.bottom); ++y) {
    for (int x = std::max(0, r.left); x < std::min(painted.width, r.right); ++x) {
      if (SameColour(painted.At(x, y), field.At(x, y))) continue;
      ++ink.count;
      ink.red += RedOf(painted.At(x, y));
      ink.green += GreenOf(painted.At(x, y));
      ink.blue += BlueOf(painted.At(x, y));
      ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y), std::max(ink.box.right, x + 1),
                 std::max(ink.box.bottom, y + 1)};
    }
  }
  return ink;
}

bool InRegions(const std::vector<Region>& regions, int x, int y) {
  for (const Region& r : regions) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

}  // namespace

std::vector<Region> TextRegions(const BackgroundPlan& plan, const FontMeasure& measure) {
  std::vector<Region> regions;
  for (const TextDraw& text : plan.texts) {
    const TextExtent e = measure.Measure(text.font, text.text);
    const int characters = static_cast<int>(platform::DecodeUtf8(text.text).size());
    const int slack_x = 3 + e.width / 20 + characters;
    const int slack_y = 3 + e.height / 10;
    const int overhang = e.height / 4;
    regions.push_back({text.x - slack_x - overhang, text.y - slack_y - overhang,
                       text.x + e.width + slack_x + overhang, text.y + e.height + slack_y + overhang, slack_x,
                       slack_y});
  }
  // Merge until no two regions overlap.
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < regions.size() && !merged; ++i) {
      for (std::size_t j = i + 1; j < regions.size() && !merged; ++j) {
        if (!Overlap(regions[i], regions[j])) continue;
        const Region& a = regions[i];
        const Region& b = regions[j];
        regions[i] = {std::min(a.left, b.left),       std::min(a.top, b.top),
                      std::max(a.right, b.right),     std::max(a.bottom, b.bottom),
                      std::max(a.slack_x, b.slack_x), std::max(a.slack_y, b.slack_y)};
        regions.erase(regions.begin() + static_cast<std::ptrdiff_t>(j));
        merged = true;
      }
    }
  }
  return regions;
}

BackgroundComparison CompareBackgrounds(const PixelBuffer& expected, const PixelBuffer& actual,
                                        const PixelBuffer& field, const std::vector<Region>& regions) {
  BackgroundComparison result;
  std::ostringstream report;
  auto fail = [&](const std::string& line) {
    result.same = false;
    report << line << '\n';
  };
  if (expected.width != actual.width || expected.height != actual.height || field.width != expected.width ||
      field.height != expected.height) {
    fail("sizes differ");
    result.report = report.str();
    return result;
  }
  long long outside = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (SameColour(expected.At(x, y), actual.At(x, y)) || InRegions(regions, x, y)) continue;
      if (outside++ == 0) {
        std::ostringstream at;
        at << "first difference outside the texts at " << x << "," << y << ": " << std::hex
           << (expected.At(x, y) & 0xFFFFFFu) << " against " << (actual.At(x, y) & 0xFFFFFFu);
        fail(at.str());
      }
    }
  }
  if (outside > 1) fail(std::to_string(outside) + " pixels differ outside the texts");

  for (const Region& r : regions) {
    const Ink a = InkIn(expected, field, r);
    const Ink b = InkIn(actual, field, r);
    std::ostringstream where;
    where << "text region " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << ": ";
    if ((a.count == 0) != (b.count == 0)) {
      fail(where.str() + "ink on one side only (" + std::to_string(a.count) + " against " +
           std::to_string(b.count) + ")");
      continue;
    }
    if (a.count == 0) continue;
    const double ratio = static_cast<double>(a.count) / static_cast<double>(b.count);
    if (ratio > 1.6 || ratio < 1 / 1.6) {
      fail(where.str() + "ink amounts " + std::to_string(a.count) + " against " + std::to_string(b.count));
    }
    if (std::abs(a.Mean(a.red) - b.Mean(b.red)) > kColourSlack ||
        std::abs(a.Mean(a.green) - b.Mean(b.green)) > kColourSlack ||
        std::abs(a.Mean(a.blue) - b.Mean(b.blue)) > kColourSlack) {
      std::ostringstream colours;
      colours << "ink colours " << a.Mean(a.red) << "," << a.Mean(a.green) << "," << a.Mean(a.blue)
              << " against " << b.Mean(b.red) << "," << b.Mean(b.green) << "," << b.Mean(b.blue);
      fail(where.str() + colours.str());
    }
    const int tx = r.slack_x;
    const int ty = r.slack_y;
    if (std::abs(a.box.left - b.box.left) > tx || std::abs(a.box.right - b.box.right) > tx ||
        std::abs(a.box.top - b.box.top) > ty || std::abs(a.box.bottom - b.box.bottom) > ty) {
      std::ostringstream boxes;
      boxes << "ink boxes " << a.box.left << "," << a.box.top << "-" << a.box.right << "," << a.box.bottom
            << " against " << b.box.left << "," << b.box.top << "-" << b.box.right << "," << b.box.bottom;
      fail(where.str() + boxes.str());
    }
  }
  result.report = report.str();
  return result;
}

}  // namespace setup::paint
