#pragma once

#include <string>

#include "banner/render/bitmap.h"
#include "platform/status.h"

namespace plakato {

// The messages of the button effect, reported as values.
inline constexpr const char* kBitmapReadFailed = "ビットマップ情報の取得に失敗しました";
inline constexpr const char* kBitmapWriteFailed = "ビットマップの更新に失敗しました";

// Gives the banner a raised look: a 3-pixel band along the top (+80) and left
// (+45) edges is lightened, one along the bottom (-80) and right (-45) edges
// darkened, with mitred corners. The bands are applied in the order bottom,
// top, left, right; each change is clamped to 0..255. On banners smaller than
// 6 x 6 pixels, rows and pixels outside the banner are skipped and a pixel
// that several bands reach is changed by each of them in that order.
// A banner that has no pixels is refused with kBitmapReadFailed.
platform::Status ButtonizeBanner(Bitmap& banner);

}  // namespace plakato
