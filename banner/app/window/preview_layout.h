#pragma once

namespace plakato {

// How much of the banner the main window shows: all of it while it fits,
// otherwise a scrolling part as large as the window's width and the screen's
// height allow, so the window never grows taller than the screen.
struct PreviewLayout {
  int visible_width = 0;
  int visible_height = 0;
  int window_extra_height = 0;  // pixels above the designed height
};

inline constexpr int kPreviewLeft = 9;
inline constexpr int kPreviewTop = 435;

// max_client_height: the tallest inside the screen leaves for the window.
PreviewLayout LayOutPreview(int banner_width, int banner_height, int designed_height, int client_width,
                            int max_client_height);

}  // namespace plakato
