#include "setup/app/window/artwork.h"

#include "setup/app/paint/artwork_pixels.h"
#include "setup/app/window/pixel_image.h"

namespace setup::window {

QPixmap WizardSidePicture() { return QPixmap::fromImage(ToQImage(paint::LeftPicture())); }

QPixmap StepMarker() { return QPixmap::fromImage(ToQImage(paint::StepMarker())); }

QPixmap CleanUpIcon() { return QPixmap::fromImage(ToQImage(paint::CleanUpIcon())); }

}  // namespace setup::window
