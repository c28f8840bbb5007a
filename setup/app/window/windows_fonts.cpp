#include "setup/app/window/windows_fonts.h"

#include <QFontMetrics>
#include <algorithm>

#include "setup/app/paint/font_size.h"

namespace setup::window {
namespace {

struct FaceAlias {
  std::string_view windows;
  const char* host;
};

constexpr FaceAlias kAliases[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},  {"MS UI Gothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},    {"MS Gothic", "IPAGothic"},    {"ＭＳ 明朝", "IPAMincho"},
    {"MS Mincho", "IPAMincho"},        {"ＭＳ Ｐ明朝", "IPAPMincho"}, {"MS PMincho", "IPAPMincho"},
};

}  // namespace

QString HostFace(std::string_view windows_face) {
  for (const FaceAlias& alias : kAliases) {
    if (alias.windows == windows_face) return QString::fromLatin1(alias.host);
  }
  return QString::fromUtf8(windows_face.data(), static_cast<qsizetype>(windows_face.size()));
}

int PointsToPixels(int points) { return paint::PointsToPixels(points); }

QFont MakeFont(const paint::ScriptFont& wanted) {
  QFont font(HostFace(wanted.face));
  font.setPixelSize(PointsToPixels(wanted.points));
  font.setBold(wanted.bold);
  font.setItalic(wanted.italic);
  font.setUnderline(wanted.underline);
  font.setStrikeOut(wanted.strike_out);
  font.setKerning(false);
  return font;
}

QFont DialogFont() { return MakeFont(paint::ScriptFont{std::string(paint::kMarkFace), 9}); }

paint::TextExtent QtFontMeasure::Measure(const paint::ScriptFont& font, std::string_view text) const {
  const QFontMetrics metrics(MakeFont(font));
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return {metrics.horizontalAdvance(s), metrics.height()};
}

}  // namespace setup::window
