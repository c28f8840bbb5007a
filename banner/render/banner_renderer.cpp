#include "banner/render/banner_renderer.h"

#include <string_view>
#include <utility>

#include "banner/render/background_painter.h"
#include "banner/render/leading_number.h"
#include "banner/render/nearest.h"
#include "banner/render/title_painter.h"

namespace plakato {

namespace {

constexpr std::string_view kTimesSign = "×";
// The colour of the preview box before anything is drawn on it.
constexpr Color kPreviewBackColor = 0xF0F0F0;
constexpr const char* kInitialTitleFace = "ＭＳ Ｐゴシック";

// Pixels for a size given in screen pixels, going through twips as the
// window system does.
int PixelsOf(double value, int twips_per_pixel) { return Nearest(value * twips_per_pixel / twips_per_pixel); }

bool UsableSide(int pixels) { return pixels > 0 && pixels <= kMaxBannerSide; }

}  // namespace

BannerRenderer::BannerRenderer(std::shared_ptr<FontBackend> fonts, ScreenGeometry geometry)
    : fonts_(std::move(fonts)),
      geometry_(geometry),
      bg_image_(geometry, kWhite),
      string_{WorkPicture(geometry, kBlack, kWhite), WorkPicture(geometry, kWhite, kBlack)},
      str_color_(geometry, kWhite),
      preview_(kInitialPreviewWidth, kInitialPreviewHeight, kPreviewBackColor) {
  SetGeometry(geometry);
  for (WorkPicture& mask : string_) mask.font().face = kInitialTitleFace;
}

std::unique_ptr<BannerRenderer> BannerRenderer::CreateDefault(ScreenGeometry geometry) {
  return std::make_unique<BannerRenderer>(CreateDefaultFontBackend(), geometry);
}

void BannerRenderer::SetGeometry(ScreenGeometry geometry) {
  bg_image_.SetGeometry(geometry);
  string_[0].SetGeometry(geometry);
  string_[1].SetGeometry(geometry);
  str_color_.SetGeometry(geometry);
  geometry_ = bg_image_.geometry();
}

void BannerRenderer::SetTitleFont(std::string face, bool bold, bool italic) {
  for (WorkPicture& mask : string_) {
    mask.font().face = face;
    mask.font().bold = bold;
    mask.font().italic = italic;
  }
}

const std::string& BannerRenderer::title_font_face() const { return string_[0].font().face; }
bool BannerRenderer::title_font_bold() const { return string_[0].font().bold; }
bool BannerRenderer::title_font_italic() const { return string_[0].font().italic; }
int BannerRenderer::title_font_size() const { return string_[0].font().points; }

bool BannerRenderer::IsPresetSize(const BannerSettings& settings) {
  const int item = settings.Size.index;
  return item >= 0 && item < static_cast<int>(kSizePresetTexts.size()) &&
         kSizePresetTexts[static_cast<std::size_t>(item)].find(kTimesSign) != std::string_view::npos;
}

std::pair<int, int> BannerRenderer::BannerSizeFor(const BannerSettings& settings) const {
  if (IsPresetSize(settings)) {
    const std::string_view text = kSizePresetTexts[static_cast<std::size_t>(settings.Size.index)];
    const auto sign = text.find(kTimesSign);
    return {PixelsOf(LeadingNumber(text.substr(0, sign)), geometry_.tx),
            PixelsOf(LeadingNumber(text.substr(sign + kTimesSign.size())), geometry_.ty)};
  }
  const int user_width = PixelsOf(LeadingNumber(settings.Size.Width), geometry_.tx);
  const int user_height = PixelsOf(LeadingNumber(settings.Size.Height), geometry_.ty);
  if (UsableSide(user_width) && UsableSide(user_height)) return {user_width, user_height};
  return {preview_.width(), preview_.height()};
}

void BannerRenderer::ApplyBannerSize(const BannerSettings& settings, RenderReport& report) {
  const auto [width, height] = BannerSizeFor(settings);
  report.user_size_enabled = !IsPresetSize(settings);
  report.window_extra_height =
      report.user_size_enabled && height > kPreviewBaseHeight ? height - kPreviewBaseHeight : 0;
  if (width != preview_.width() || height != preview_.height()) {
    preview_ = Bitmap(width, height, kPreviewBackColor);
  }
}

RenderReport BannerRenderer::Render(BannerSettings& settings, const Bitmap* picBackground) {
  RenderReport report;
  ApplyBannerSize(settings, report);

  bg_image_.Resize(preview_.width(), preview_.height());
  PaintBackground(bg_image_, settings.BackGround, picBackground);

  if (!TrimSpaces(settings.Title.String).empty()) {
    report.title_controls_enabled = true;
    const TitleRepairs repairs =
        PaintTitle({bg_image_, string_[0], string_[1], str_color_}, *fonts_, settings.Title);
    report.location_repaired = repairs.location;
    report.shadow_direction_repaired = repairs.shadow_direction;
    report.font_error = repairs.font_error;
  }

  if (settings.BackGround.Buttonize) report.buttonize_error = ButtonizeBanner(bg_image_.bitmap()).message();

  BitBlt(preview_, 0, 0, bg_image_.width(), bg_image_.height(), bg_image_.bitmap(), 0, 0, RasterOp::kSrcCopy);
  has_rendered_ = true;
  report.preview_width = preview_.width();
  report.preview_height = preview_.height();
  return report;
}

}  // namespace plakato
