#pragma once

#include <QImage>
#include <filesystem>
#include <string>

#include "setup/app/window/background_plan.h"

namespace setup::window {

// Paints a plan onto a new image of the plan's size: the bands, the picture
// by its mode (a null picture or one without area is skipped), the texts
// without background.
QImage PaintBackground(const BackgroundPlan& plan, const QImage& picture);

// The background picture file: a Windows bitmap; a null image when it is
// missing or cannot be read.
QImage LoadBackgroundPicture(const std::filesystem::path& file);
// The same from the file's bytes.
QImage LoadBackgroundPictureData(const std::string& bytes);

}  // namespace setup::window
