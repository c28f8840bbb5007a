#pragma once

#include <string_view>
#include <vector>

#include "banner/render/bitmap.h"
#include "banner/render/color.h"
#include "banner/render/font_backend.h"
#include "banner/render/raster_op.h"
#include "banner/render/screen_geometry.h"

namespace plakato {

// A hidden drawing buffer: a bitmap plus the state that stays with it between
// renders (background and text colour, font, pen width, text cursor). Lines
// and circles take pixel coordinates; the text cursor is held in twips, as
// the title painter computes it.
class WorkPicture {
 public:
  explicit WorkPicture(ScreenGeometry geometry, Color back_color = kWhite, Color fore_color = kBlack);

  const ScreenGeometry& geometry() const { return geometry_; }
  void SetGeometry(ScreenGeometry geometry);
  int width() const { return bitmap_.width(); }
  int height() const { return bitmap_.height(); }
  double width_twips() const { return static_cast<double>(width()) * geometry_.tx; }
  double height_twips() const { return static_cast<double>(height()) * geometry_.ty; }

  // A new size clears the picture to the background colour.
  void Resize(int width, int height);
  // Fills the whole picture with the background colour.
  void Clear();

  Color back_color() const { return back_color_; }
  // Setting the background colour also fills the picture with it.
  void SetBackColor(Color color);
  Color fore_color() const { return fore_color_; }
  void SetForeColor(Color color) { fore_color_ = color & 0xFFFFFF; }

  const FontSpec& font() const { return font_; }
  FontSpec& font() { return font_; }

  int pen_width() const { return pen_width_; }
  void SetPenWidth(int width) { pen_width_ = width < 1 ? 1 : width; }

  double current_x() const { return current_x_; }
  double current_y() const { return current_y_; }
  void SetCurrentPosition(double x_twips, double y_twips) {
    current_x_ = x_twips;
    current_y_ = y_twips;
  }

  // A 1-pixel line from (x1, y1) towards (x2, y2); the last point is not drawn.
  void DrawLine(int x1, int y1, int x2, int y2, Color color);
  // A circle outline around (cx, cy) in pixels (fractions allowed) with the
  // current pen: the pixels whose centres lie at a distance d from the centre
  // with radius - pen/2 <= d < radius + pen/2. Consecutive radii with a pen of
  // 2 therefore overlap by one pixel and leave no gaps between them.
  void DrawCircle(double cx, double cy, double radius, Color color);
  // The same pixels as DrawCircle(cx, cy, k, colors[k]) for k = 0, 1, ...
  // in that order (later rings win where they overlap), in one pass over the
  // picture instead of one per ring.
  void DrawConcentricRings(double cx, double cy, const std::vector<Color>& colors);

  // Text cell of text in the current font, in twips.
  struct TextCell {
    double width = 0;
    double height = 0;
  };
  TextCell MeasureText(FontBackend& fonts, std::string_view text) const;
  double TextWidth(FontBackend& fonts, std::string_view text) const;
  double TextHeight(FontBackend& fonts, std::string_view text) const;
  // Draws text with a transparent background in the text colour, the text
  // cell's top-left corner at the text cursor.
  void DrawText(FontBackend& fonts, std::string_view text);

  // Combines source into this picture (see BitBlt).
  void Blit(int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy, RasterOp op) {
    BitBlt(bitmap_, dx, dy, w, h, source, sx, sy, op);
  }
  // Draws picture from the top-left corner over what is there.
  void DrawPicture(const Bitmap& picture);

  Bitmap& bitmap() { return bitmap_; }
  const Bitmap& bitmap() const { return bitmap_; }

 private:
  void FillSpan(int y, int x_begin, int x_end, Color color);
  bool empty_picture() const { return bitmap_.empty(); }

  ScreenGeometry geometry_;
  Bitmap bitmap_;
  Color back_color_;
  Color fore_color_;
  FontSpec font_;
  int pen_width_ = 1;
  double current_x_ = 0;
  double current_y_ = 0;
};

}  // namespace plakato
