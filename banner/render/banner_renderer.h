#pragma once

#include <memory>
#include <string>
#include <utility>

#include "banner/render/banner_settings.h"
#include "banner/render/bitmap.h"
#include "banner/render/buttonize.h"
#include "banner/render/font_backend.h"
#include "banner/render/screen_geometry.h"
#include "banner/render/work_picture.h"

namespace plakato {

// The designed size of the preview box before the first render.
inline constexpr int kInitialPreviewWidth = 88;
inline constexpr int kInitialPreviewHeight = 31;
// The main window grows with user sizes taller than this many pixels.
inline constexpr int kPreviewBaseHeight = 60;
// User sizes beyond this many pixels on a side are refused like a zero size
// (the banner keeps its previous size) instead of exhausting memory.
inline constexpr int kMaxBannerSide = 4096;

// What a render tells the main window besides the picture.
struct RenderReport {
  bool user_size_enabled = false;  // the Width/Height edit fields are enabled
  int preview_width = 0;           // pixels
  int preview_height = 0;
  int window_extra_height = 0;             // pixels above the base height, 0 = base height
  bool title_controls_enabled = false;     // font button and location list enabled now
  bool location_repaired = false;          // Title.Location went from -1 to 0
  bool shadow_direction_repaired = false;  // Title.ShadowDirection went from -1 to 0
  std::string buttonize_error;             // empty, or one of the two messages above
  std::string font_error;                  // empty, or why the title could not be drawn
};

// Owns the work pictures and the preview, and renders BannerSettings into
// them. State that outlives a render: the last background colours of the
// background buffer and of the colour layer, the masks' font face and style,
// and the preview picture and size.
class BannerRenderer {
 public:
  explicit BannerRenderer(std::shared_ptr<FontBackend> fonts, ScreenGeometry geometry = {15, 15});

  // A renderer on the FreeType back end.
  static std::unique_ptr<BannerRenderer> CreateDefault(ScreenGeometry geometry = {15, 15});

  // One full render. May repair settings.Title.Location and
  // settings.Title.ShadowDirection (-1 becomes 0); the report says so.
  // picBackground is the prepared background picture for pattern 3, or null.
  RenderReport Render(BannerSettings& settings, const Bitmap* picBackground);

  // Face, bold and italic of both title masks (the settings loader and the
  // font dialog set them; a render itself only changes the face, and only
  // when the settings name one).
  void SetTitleFont(std::string face, bool bold, bool italic);
  const std::string& title_font_face() const;
  bool title_font_bold() const;
  bool title_font_italic() const;
  // The point size the last title fit chose.
  int title_font_size() const;

  // The finished banner (what export writes).
  const Bitmap& preview() const { return preview_; }
  int previewWidth() const { return preview_.width(); }
  int previewHeight() const { return preview_.height(); }
  bool hasRendered() const { return has_rendered_; }

  // The banner size in pixels that a render of these settings gives: the
  // selected preset's, else a usable user size, else the current one.
  std::pair<int, int> BannerSizeFor(const BannerSettings& settings) const;
  // True when the selected size item names its size ("200×40").
  static bool IsPresetSize(const BannerSettings& settings);

  void SetGeometry(ScreenGeometry geometry);
  const ScreenGeometry& geometry() const { return geometry_; }

 private:
  void ApplyBannerSize(const BannerSettings& settings, RenderReport& report);

  std::shared_ptr<FontBackend> fonts_;
  ScreenGeometry geometry_;
  WorkPicture bg_image_;   // pic_h_BGImage
  WorkPicture string_[2];  // pic_h_String(0), pic_h_String(1)
  WorkPicture str_color_;  // pic_h_StrColor
  Bitmap preview_;
  bool has_rendered_ = false;
};

}  // namespace plakato
