#pragma once

#include <algorithm>

namespace setup::paint {

// Points at 96 dots per inch as Windows turns them into a character height
// (the em, without internal leading): points * 96 / 72, rounded to the
// nearest pixel, at least 1. Both windows size their fonts by it.
inline int PointsToPixels(int points) {
  const long long scaled = static_cast<long long>(points) * 96;
  const long long pixels = scaled >= 0 ? (scaled + 36) / 72 : (scaled - 36) / 72;
  return static_cast<int>(std::clamp<long long>(pixels, 1, 4096));
}

}  // namespace setup::paint
