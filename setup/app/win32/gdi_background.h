#pragma once

#include <string>

#include "platform/win32/windows_api.h"
#include "setup/app/paint/background_plan.h"
#include "setup/app/paint/pixel_buffer.h"

namespace setup::win32 {

// A script font as GDI makes it: the face as named, the character height
// from the points at 96 dots per inch, weight, italic, underline, strike-out.
HFONT CreateScriptFont(const paint::ScriptFont& font);

// Measures with GDI on the screen: the text's extent and the font's
// line height (ascent + descent).
class GdiFontMeasure : public paint::FontMeasure {
 public:
  GdiFontMeasure();
  ~GdiFontMeasure() override;
  GdiFontMeasure(const GdiFontMeasure&) = delete;
  GdiFontMeasure& operator=(const GdiFontMeasure&) = delete;
  paint::TextExtent Measure(const paint::ScriptFont& font, std::string_view text) const override;

 private:
  HDC dc_;
};

// The background as the window shows it: the shared colour field and
// picture in a 32-bit bitmap, then the plan's texts with TextOutW, without
// filling their background.
paint::PixelBuffer PaintBackgroundGdi(const paint::BackgroundPlan& plan, const paint::PixelBuffer& picture);

}  // namespace setup::win32
