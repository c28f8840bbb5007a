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

// max_client_height: the tallest the window's page may grow.
PreviewLayout LayOutPreview(int banner_width, int banner_height, int designed_height, int client_width,
                            int max_client_height);

// Banners up to this height show whole, whatever the screen.
inline constexpr int kPreviewShownWhole = 400;

// The tallest the window's page may grow for the preview: what the screen
// leaves, but never less than the designed window with a banner of
// kPreviewShownWhole pixels.
int PageRoomHeight(int designed_height, int screen_client_height);

// The window shows its page whole while the screen has room for it;
// otherwise it is as tall as the screen leaves and the page scrolls.
struct WindowFit {
  int height = 0;
  bool scrolls = false;
};
WindowFit FitWindowToScreen(int page_height, int screen_client_height);

}  // namespace plakato
