#pragma once

#include <QImage>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/target_system/drive_map.h"
#include "setup/app/paint/background_plan.h"

namespace setup::window {

// Paints a plan onto a new image of the plan's size: the shared colour
// field and picture (a null picture or one without area is skipped), then
// the texts without background.
QImage PaintBackground(const paint::BackgroundPlan& plan, const QImage& picture);

// The background picture file: a BMP, JPEG or GIF picture; a null image
// when it is missing, of another kind or cannot be read.
QImage LoadBackgroundPicture(const std::filesystem::path& file);
// The same from the file's bytes.
QImage LoadBackgroundPictureData(const std::string& bytes);

// The host file of [Background] File: a drive path of the target system
// through its drives, anything else from the process's current folder.
// Empty when a drive path names no drive.
std::filesystem::path PictureHostPath(std::string_view file, const platform::target::DriveMap& drives);

}  // namespace setup::window
