#include "setup/app/win32/gdi_background.h"

#include "platform/win32/wide_text.h"
#include "setup/app/paint/background_field.h"
#include "setup/app/paint/font_size.h"
#include "setup/app/win32/pixel_bitmap_win32.h"

namespace setup::win32 {

using platform::win32::Utf8ToWide;

HFONT CreateScriptFont(const paint::ScriptFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = -paint::PointsToPixels(font.points);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strike_out;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  const std::wstring face = Utf8ToWide(font.face);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

GdiFontMeasure::GdiFontMeasure() : dc_(CreateCompatibleDC(nullptr)) {}

GdiFontMeasure::~GdiFontMeasure() {
  if (dc_) DeleteDC(dc_);
}

paint::TextExtent GdiFontMeasure::Measure(const paint::ScriptFont& font, std::string_view text) const {
  HFONT handle = CreateScriptFont(font);
  HGDIOBJ old = SelectObject(dc_, handle);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  const std::wstring wide = Utf8ToWide(text);
  SIZE size{};
  if (!wide.empty()) GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc_, old);
  DeleteObject(handle);
  return {static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)};
}

paint::PixelBuffer PaintBackgroundGdi(const paint::BackgroundPlan& plan, const paint::PixelBuffer& picture) {
  const paint::PixelBuffer field = paint::PaintBackgroundField(plan, picture);
  HBITMAP bitmap = BitmapFromPixels(field);
  if (!bitmap) return field;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  for (const paint::TextDraw& text : plan.texts) {
    HFONT font = CreateScriptFont(text.font);
    HGDIOBJ old_font = SelectObject(dc, font);
    SetTextColor(dc, RGB(text.color.red, text.color.green, text.color.blue));
    const std::wstring wide = Utf8ToWide(text.text);
    TextOutW(dc, text.x, text.y, wide.c_str(), static_cast<int>(wide.size()));
    SelectObject(dc, old_font);
    DeleteObject(font);
  }
  GdiFlush();
  SelectObject(dc, old_bitmap);
  DeleteDC(dc);
  paint::PixelBuffer painted = PixelsOfBitmap(bitmap, field.width, field.height);
  DeleteObject(bitmap);
  return painted.empty() ? field : painted;
}

}  // namespace setup::win32
