#include "setup/app/paint/background_plan.h"

#include <algorithm>
#include <array>
#include <string>

namespace setup::paint {
namespace {

constexpr std::string_view kSection = "Background";
constexpr int kBandCount = 32;
constexpr Rgb kMarkShadow{128, 128, 128};
constexpr Rgb kMarkColor{255, 255, 0};

std::string Key(std::string_view field, int n) { return std::string(field) + std::to_string(n); }

std::uint8_t LowByte(std::int64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

struct Caption {
  std::string text;
  ScriptFont font;
  bool shadow = false;
  Rgb shadow_color;
  int shadow_left = 0;
  int shadow_top = 0;
  Rgb color;
};

Caption ReadCaption(const SetupScript& script, int n) {
  Caption c;
  c.text = script.Read(kSection, Key("Caption", n));
  c.font.face = script.Read(kSection, Key("Name", n), kMarkFace);
  c.font.points = script.ReadInteger(kSection, Key("Size", n), 72);
  c.font.bold = script.ReadOneFlag(kSection, Key("Bold", n), "1");
  c.font.italic = script.ReadOneFlag(kSection, Key("Italic", n), "1");
  c.font.underline = script.ReadOneFlag(kSection, Key("Underline", n), "0");
  c.font.strike_out = script.ReadOneFlag(kSection, Key("StrikeOut", n), "0");
  c.shadow = script.ReadOneFlag(kSection, Key("ShadowVisible", n), "1");
  c.shadow_color = RgbFromColorValue(script.ReadInteger(kSection, Key("ShadowColor", n), 0));
  c.shadow_top = script.ReadInteger(kSection, Key("ShadowTop", n), 2);
  c.shadow_left = script.ReadInteger(kSection, Key("ShadowLeft", n), 2);
  c.color = RgbFromColorValue(script.ReadInteger(kSection, Key("Color", n), 16776960));
  return c;
}

// The shadow copy first, then the caption itself.
void DrawCaption(const Caption& c, int x, int y, std::vector<TextDraw>& texts) {
  if (c.shadow) texts.push_back({c.text, c.font, x + c.shadow_left, y + c.shadow_top, c.shadow_color});
  texts.push_back({c.text, c.font, x, y, c.color});
}

void PlanColourField(const SetupScript& script, int height, BackgroundPlan& plan) {
  const int way = script.ReadInteger(kSection, "Way", 0);
  const Rgb base{LowByte(script.ReadInteger(kSection, "Red", 0)),
                 LowByte(script.ReadInteger(kSection, "Green", 0)),
                 LowByte(script.ReadInteger(kSection, "Blue", 0))};
  if (way < 0 || way > 2) {
    plan.bands.push_back({0, height, base});
    return;
  }
  auto with_channel = [&](int level) {
    Rgb c = base;
    std::array<std::uint8_t*, 3> channels{&c.red, &c.green, &c.blue};
    *channels[static_cast<std::size_t>(way)] = static_cast<std::uint8_t>(level);
    return c;
  };
  const int band = height / kBandCount;
  int top = 0;
  for (int i = 0; i < kBandCount; ++i, top += band) {
    if (band > 0) plan.bands.push_back({top, band, with_channel(255 - 8 * i)});
  }
  if (top < height) plan.bands.push_back({top, height - top, with_channel(0)});
}

void PlanCaptions(const SetupScript& script, int width, int height, const FontMeasure& measure,
                  BackgroundPlan& plan) {
  std::array<Caption, 6> captions;
  std::array<TextExtent, 6> extents{};
  for (int n = 1; n <= 6; ++n) {
    captions[n - 1] = ReadCaption(script, n);
    extents[n - 1] = measure.Measure(captions[n - 1].font, captions[n - 1].text);
  }
  // Top left: the second and third line end where the widest of the three
  // ends.
  const int f = std::max({extents[0].width, extents[1].width, extents[2].width});
  int y = 16;
  if (!captions[0].text.empty()) {
    DrawCaption(captions[0], 16, y, plan.texts);
    y += extents[0].height + 4;
  }
  if (!captions[1].text.empty()) {
    DrawCaption(captions[1], f - extents[1].width + 16, y, plan.texts);
    y += extents[1].height + 4;
  }
  if (!captions[2].text.empty()) DrawCaption(captions[2], f - extents[2].width + 16, y, plan.texts);

  // Bottom right: left-aligned lines going upwards from the bottom.
  const int l = std::max({extents[3].width, extents[4].width, extents[5].width});
  const int x = width - l - 16;
  y = height - 12;
  for (int i = 5; i >= 3; --i) {
    if (captions[i].text.empty()) continue;
    y -= extents[i].height + 4;
    DrawCaption(captions[i], x, y, plan.texts);
  }
}

void PlanProductMark(int height, const FontMeasure& measure, BackgroundPlan& plan) {
  const ScriptFont small{std::string(kMarkFace), 8};
  const ScriptFont mark{std::string(kMarkFace), 10, true, true};
  const ScriptFont tm{std::string(kMarkFace), 5};
  int y = height - 14;
  y -= measure.Measure(small, "A").height + 2;
  y -= measure.Measure(mark, kProductMark).height + 2;
  plan.texts.push_back({std::string(kProductMark), mark, 17, y + 1, kMarkShadow});
  plan.texts.push_back({std::string(kProductMark), mark, 16, y, kMarkColor});
  const int x = 16 + measure.Measure(mark, kProductMark.substr(0, 5)).width;
  plan.texts.push_back({"TM", tm, x + 1, y - 4, kMarkShadow});
  plan.texts.push_back({"TM", tm, x, y - 5, kMarkColor});
}

}  // namespace

Rgb RgbFromColorValue(std::int64_t value) {
  return {LowByte(value), LowByte(value >> 8), LowByte(value >> 16)};
}

BackgroundPlan PlanBackground(const SetupScript& script, int width, int height, const FontMeasure& measure) {
  BackgroundPlan plan;
  plan.width = std::max(0, width);
  plan.height = std::max(0, height);
  PlanColourField(script, plan.height, plan);

  plan.picture_file = script.Read(kSection, "File");
  if (!plan.picture_file.empty()) {
    switch (script.ReadInteger(kSection, "Position", 0)) {
      case 0: plan.picture_mode = PictureMode::kCentred; break;
      case 1: plan.picture_mode = PictureMode::kTiled; break;
      case 2: plan.picture_mode = PictureMode::kStretched; break;
      default: plan.picture_mode = PictureMode::kNone; break;
    }
  }
  PlanCaptions(script, plan.width, plan.height, measure, plan);
  PlanProductMark(plan.height, measure, plan);
  return plan;
}

PicturePlacement PlacePicture(PictureMode mode, int screen_width, int screen_height, int w, int h) {
  if (w <= 0 || h <= 0) return {};
  switch (mode) {
    case PictureMode::kCentred:
      // Integer division toward zero: a picture larger than the screen is
      // cut evenly on both sides.
      return {true, (screen_width - w) / 2, (screen_height - h) / 2, w, h};
    case PictureMode::kTiled: return {true, 0, 0, w, h};
    case PictureMode::kStretched: return {true, 0, 0, screen_width, screen_height};
    case PictureMode::kNone: break;
  }
  return {};
}

}  // namespace setup::paint
