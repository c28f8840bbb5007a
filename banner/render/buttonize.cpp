#include "banner/render/buttonize.h"

#include <algorithm>

namespace plakato {

namespace {

constexpr int kTopChange = 80;
constexpr int kBottomChange = -80;
constexpr int kLeftChange = 45;
constexpr int kRightChange = -45;

class BandPainter {
 public:
  explicit BandPainter(Bitmap& banner) : banner_(banner) {}

  // Pixels x_first..x_last of row y; anything outside the banner is skipped.
  void Change(int y, int x_first, int x_last, int change) {
    if (y < 0 || y >= banner_.height()) return;
    x_first = std::max(x_first, 0);
    x_last = std::min(x_last, banner_.width() - 1);
    Color* row = banner_.row(y);
    for (int x = x_first; x <= x_last; ++x) {
      const Color c = row[x];
      row[x] = MakeColor(Clamp(Red(c) + change), Clamp(Green(c) + change), Clamp(Blue(c) + change));
    }
  }

 private:
  static int Clamp(int v) { return std::min(255, std::max(0, v)); }
  Bitmap& banner_;
};

}  // namespace

platform::Status ButtonizeBanner(Bitmap& banner) {
  if (banner.empty()) return platform::Status::InvalidArgument(kBitmapReadFailed);
  const int w = banner.width();
  const int h = banner.height();
  BandPainter band(banner);

  band.Change(h - 1, 0, w - 1, kBottomChange);
  band.Change(h - 2, 1, w - 2, kBottomChange);
  band.Change(h - 3, 2, w - 3, kBottomChange);

  band.Change(0, 0, w - 1, kTopChange);
  band.Change(1, 1, w - 2, kTopChange);
  band.Change(2, 2, w - 3, kTopChange);

  band.Change(1, 0, 0, kLeftChange);
  band.Change(h - 2, 0, 0, kLeftChange);
  band.Change(2, 0, 1, kLeftChange);
  band.Change(h - 3, 0, 1, kLeftChange);
  for (int y = 3; y <= h - 4; ++y) band.Change(y, 0, 2, kLeftChange);

  band.Change(1, w - 1, w - 1, kRightChange);
  band.Change(h - 2, w - 1, w - 1, kRightChange);
  band.Change(2, w - 2, w - 1, kRightChange);
  band.Change(h - 3, w - 2, w - 1, kRightChange);
  for (int y = 3; y <= h - 4; ++y) band.Change(y, w - 3, w - 1, kRightChange);
  return platform::Status::Ok();
}

}  // namespace plakato
