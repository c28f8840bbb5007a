#pragma once

#include <QFont>
#include <QString>
#include <string_view>

#include "setup/app/paint/background_plan.h"

namespace setup::window {

// The installed face that stands in for a Windows face name: the Japanese
// Windows faces map onto the IPA faces of the same kind (proportional or
// fixed, gothic or mincho); other names are used as they are.
QString HostFace(std::string_view windows_face);

// Points at 96 dots per inch as Windows turns them into a character height:
// points * 96 / 72, rounded to the nearest pixel, at least 1.
int PointsToPixels(int points);

// The font of a script or window font description, sized in pixels so that
// it looks the same on every screen.
QFont MakeFont(const paint::ScriptFont& wanted);

// The window font of the installer: "ＭＳ Ｐゴシック" 9 points.
QFont DialogFont();

// Measures with the toolkit's font metrics.
class QtFontMeasure : public paint::FontMeasure {
 public:
  paint::TextExtent Measure(const paint::ScriptFont& font, std::string_view text) const override;
};

}  // namespace setup::window
