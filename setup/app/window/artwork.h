#pragma once

#include <QPixmap>

namespace setup::window {

// The installer's own pictures, drawn in code so that they scale with
// nothing and need no files.

// The left column of the wizard: 120 x 248, a deep blue fade with a boxed
// package and the product's name.
QPixmap WizardSidePicture();
// The step marker beside the running step's label: 5 x 11, an arrow head.
QPixmap StepMarker();
// The clean-up question's picture: 32 x 32, a waste bin.
QPixmap CleanUpIcon();

}  // namespace setup::window
