#include "banner/render/title_painter.h"

#include "banner/render/gradient_painter.h"
#include "banner/render/nearest.h"

namespace plakato {

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

void FitTitleFont(WorkPicture& mask, FontBackend& fonts, std::string_view text) {
  const double width_bound = static_cast<float>(0.7 * static_cast<float>(mask.width_twips()));
  const double height_bound = static_cast<float>(0.7 * static_cast<float>(mask.height_twips()));
  for (int points = kMinTitlePoints + 1; points <= kMaxTitlePoints; ++points) {
    mask.font().points = points;
    const WorkPicture::TextCell cell = mask.MeasureText(fonts, text);
    const float tw = static_cast<float>(cell.width);
    const float th = static_cast<float>(cell.height);
    if (tw > width_bound || th > height_bound) {
      mask.font().points = points - 1;
      return;
    }
  }
}

TitlePosition LocateTitle(int location, float w, float h, float tw, float th) {
  const float free_x = w - tw;
  const float free_y = h - th;
  const float centre = free_x / 2.0f, middle = free_y / 2.0f;
  const float left = free_x / 5.0f, upper = free_y / 5.0f;
  const float right = free_x * 4.0f / 5.0f, lower = free_y * 4.0f / 5.0f;
  switch (location) {
    case 0: return {centre, middle};
    case 1: return {centre, upper};
    case 2: return {centre, lower};
    case 3: return {left, upper};
    case 4: return {left, middle};
    case 5: return {left, lower};
    case 6: return {right, upper};
    case 7: return {right, middle};
    case 8: return {right, lower};
    default: return {0, 0};
  }
}

Displacement ShadowDisplacement(int direction, long long offset, int tx) {
  const double d = static_cast<double>(tx) * static_cast<double>(offset);
  switch (direction) {
    case 0: return {d, d};
    case 1: return {-d, d};
    case 2: return {d, -d};
    case 3: return {-d, -d};
    case 4: return {0, -d};
    case 5: return {0, d};
    case 6: return {-d, 0};
    case 7: return {d, 0};
    default: return {0, 0};
  }
}

void CompositeTitleLayer(WorkPicture& background, const WorkPicture& mask0, const WorkPicture& mask1,
                         WorkPicture& colour_layer) {
  const int w = background.width();
  const int h = background.height();
  background.Blit(0, 0, w, h, mask0.bitmap(), 0, 0, RasterOp::kSrcPaint);
  colour_layer.Blit(0, 0, w, h, mask1.bitmap(), 0, 0, RasterOp::kSrcPaint);
  background.Blit(0, 0, w, h, colour_layer.bitmap(), 0, 0, RasterOp::kSrcAnd);
}

namespace {

void DrawMasks(const TitleBuffers& buffers, FontBackend& fonts, std::string_view text, float x, float y) {
  for (WorkPicture* mask : {&buffers.mask0, &buffers.mask1}) {
    mask->Resize(buffers.background.width(), buffers.background.height());
    mask->SetCurrentPosition(x, y);
    mask->DrawText(fonts, text);
  }
}

}  // namespace

TitleRepairs PaintTitle(const TitleBuffers& buffers, FontBackend& fonts, BannerSettings::TitleGroup& title) {
  TitleRepairs repairs;
  const std::string_view text = TrimSpaces(title.String);
  if (text.empty()) return repairs;
  const int width = buffers.background.width();
  const int height = buffers.background.height();

  // Both masks take the face so that they always stay exact inverses.
  if (!title.FontName.empty()) {
    buffers.mask0.font().face = title.FontName;
    buffers.mask1.font().face = title.FontName;
  }
  if (title.Location == -1) {
    title.Location = 0;
    repairs.location = true;
  }

  repairs.font_error = fonts.CheckFont(buffers.mask0.font()).message();
  for (WorkPicture* mask : {&buffers.mask0, &buffers.mask1}) {
    mask->Resize(width, height);
    FitTitleFont(*mask, fonts, text);
  }
  const WorkPicture::TextCell cell = buffers.mask0.MeasureText(fonts, text);
  TitlePosition at = LocateTitle(title.Location, static_cast<float>(buffers.mask0.width_twips()),
                                 static_cast<float>(buffers.mask0.height_twips()),
                                 static_cast<float>(cell.width), static_cast<float>(cell.height));
  // The title lands on the pixel the text drawing rounds it to; snapping it
  // first keeps its shadow exactly Offset pixels away, where rounding the
  // two positions apart could move the shadow by one.
  const ScreenGeometry& geometry = buffers.mask0.geometry();
  at.x = static_cast<float>(Nearest(at.x / geometry.tx) * static_cast<double>(geometry.tx));
  at.y = static_cast<float>(Nearest(at.y / geometry.ty) * static_cast<double>(geometry.ty));

  if (title.Shadow) {
    if (title.ShadowDirection == -1) {
      title.ShadowDirection = 0;
      repairs.shadow_direction = true;
    }
    const Displacement shift =
        ShadowDisplacement(title.ShadowDirection, title.Offset, buffers.mask0.geometry().tx);
    DrawMasks(buffers, fonts, text, static_cast<float>(at.x + shift.dx), static_cast<float>(at.y + shift.dy));
    buffers.colour_layer.Resize(width, height);
    buffers.colour_layer.SetBackColor(title.ShadowColor);
    CompositeTitleLayer(buffers.background, buffers.mask0, buffers.mask1, buffers.colour_layer);
  }

  DrawMasks(buffers, fonts, text, at.x, at.y);
  buffers.colour_layer.Resize(width, height);
  const Color colours[3] = {title.Color1, title.Color2, title.Color3};
  switch (title.Pattern) {
    case 0: buffers.colour_layer.SetBackColor(title.Color1); break;
    case 1: PaintGradient(buffers.colour_layer, colours, 2, title.Direction); break;
    case 2: PaintGradient(buffers.colour_layer, colours, 3, title.Direction); break;
    default: break;
  }
  CompositeTitleLayer(buffers.background, buffers.mask0, buffers.mask1, buffers.colour_layer);
  return repairs;
}

}  // namespace plakato
