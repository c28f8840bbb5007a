#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "setup/core/setup_script.h"

namespace setup::paint {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// A script colour value: red in the lowest byte, then green, then blue.
Rgb RgbFromColorValue(std::int64_t value);

// A font as the script describes it: a Windows face name and a size in
// points at 96 dots per inch.
struct ScriptFont {
  std::string face;
  int points = 9;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  bool operator==(const ScriptFont&) const = default;
};

struct TextExtent {
  int width = 0;
  int height = 0;  // the font's line height, as TextHeight gives it
};

// Text measurement in a font; the window answers with its font metrics,
// tests with fixed numbers.
class FontMeasure {
 public:
  virtual ~FontMeasure() = default;
  virtual TextExtent Measure(const ScriptFont& font, std::string_view text) const = 0;
};

// One full-width band of the colour field.
struct BandFill {
  int top = 0;
  int height = 0;
  Rgb color;
};

enum class PictureMode { kNone, kCentred, kTiled, kStretched };

// One text drawn without filling its background; (x, y) is the top left of
// its line.
struct TextDraw {
  std::string text;
  ScriptFont font;
  int x = 0;
  int y = 0;
  Rgb color;
};

// Everything the background window paints, in painting order: the bands,
// the picture, then the texts.
struct BackgroundPlan {
  int width = 0;
  int height = 0;
  std::vector<BandFill> bands;
  PictureMode picture_mode = PictureMode::kNone;
  std::string picture_file;  // [Background] File as written
  std::vector<TextDraw> texts;
};

// The face of the product mark and of the window's default font.
inline constexpr std::string_view kMarkFace = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kProductMark = "kestro Setup for Windows";

// Plans the background of a screen of width x height pixels from the
// [Background] section. Way 0, 1 and 2 fade red, green or blue in 32 bands
// of height / 32 pixels from 255 down to 7, the rest below at 0; Way 3 and
// every value outside 0 to 3 fill with the plain colour (the channel index
// has no meaning there).
BackgroundPlan PlanBackground(const SetupScript& script, int width, int height, const FontMeasure& measure);

// Where a picture of w x h pixels goes on the screen: its top left and the
// size it is drawn at (the tile size when tiled). Nothing for a picture
// without area.
struct PicturePlacement {
  bool draw = false;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
PicturePlacement PlacePicture(PictureMode mode, int screen_width, int screen_height, int w, int h);

}  // namespace setup::paint
