#include "banner/app/window/preview_layout.h"

#include <algorithm>

#include "banner/render/banner_renderer.h"

namespace plakato {

PreviewLayout LayOutPreview(int banner_width, int banner_height, int designed_height, int client_width,
                            int max_client_height) {
  // The margin below the preview box in the designed window.
  const int bottom_margin = designed_height - kPreviewTop - kPreviewBaseHeight;
  const int tallest = std::max(kPreviewBaseHeight, max_client_height - kPreviewTop - bottom_margin);
  PreviewLayout layout;
  layout.visible_width = std::min(banner_width, client_width - 2 * kPreviewLeft);
  layout.visible_height = std::min(banner_height, tallest);
  layout.window_extra_height = std::max(0, layout.visible_height - kPreviewBaseHeight);
  return layout;
}

int PageRoomHeight(int designed_height, int screen_client_height) {
  const int bottom_margin = designed_height - kPreviewTop - kPreviewBaseHeight;
  return std::max({designed_height, screen_client_height, kPreviewTop + kPreviewShownWhole + bottom_margin});
}

WindowFit FitWindowToScreen(int page_height, int screen_client_height) {
  if (page_height <= screen_client_height) return {page_height, false};
  return {std::max(1, screen_client_height), true};
}

}  // namespace plakato
