// Compares the Win32 window's background painting with this window's, case
// by case: paints each background case with the toolkit as the Setup window
// does and compares it with the <case>.bmp that the Windows build's
// background_probe painted in the same folder, from the same pictures.
// Usage: background-compare FOLDER. Writes <case>.qt.png beside each for
// looking at; the exit status is 1 when any case differs.
#include <QGuiApplication>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/cp932.h"
#include "setup/app/paint/background_cases.h"
#include "setup/app/paint/background_compare.h"
#include "setup/app/paint/background_field.h"
#include "setup/app/window/background_painter.h"
#include "setup/app/window/pixel_image.h"
#include "setup/app/window/windows_fonts.h"

namespace fs = std::filesystem;
using namespace setup;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: background-compare FOLDER\n";
    return 2;
  }
  // Fonts and images need no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const fs::path folder = fs::absolute(argv[1]);
  fs::current_path(folder);
  const window::QtFontMeasure measure;
  int differing = 0;
  for (const paint::BackgroundCase& c : paint::BackgroundCases()) {
    const fs::path script = folder / (c.name + ".qt.dat");
    std::ofstream(script, std::ios::binary) << platform::Utf8ToCp932("[Background]\r\n" + c.background);
    const paint::BackgroundPlan plan = paint::PlanBackground(SetupScript(script), c.width, c.height, measure);
    QImage picture;
    if (plan.picture_mode != paint::PictureMode::kNone) {
      picture = window::LoadBackgroundPicture(folder / plan.picture_file);
    }
    const QImage qt = window::PaintBackground(plan, picture);
    qt.save(QString::fromStdString((folder / (c.name + ".qt.png")).string()), "PNG");
    const QImage gdi(QString::fromStdString((folder / (c.name + ".bmp")).string()), "BMP");
    if (gdi.isNull()) {
      std::cout << c.name << ": no painting of the Windows build\n";
      ++differing;
      continue;
    }
    const paint::PixelBuffer field = paint::PaintBackgroundField(
        plan, picture.isNull() ? paint::PixelBuffer() : window::ToPixels(picture));
    const paint::BackgroundComparison result = paint::CompareBackgrounds(
        window::ToPixels(qt), window::ToPixels(gdi), field, paint::TextRegions(plan, measure));
    std::cout << c.name << ": " << (result.same ? "same" : "DIFFERENT") << '\n' << result.report;
    if (!result.same) ++differing;
  }
  std::cout << differing << " of " << paint::BackgroundCases().size() << " backgrounds differ\n";
  return differing == 0 ? 0 : 1;
}
