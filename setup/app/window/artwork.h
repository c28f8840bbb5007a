#pragma once

#include <QPixmap>

namespace setup::window {

// The installer's own pictures (drawn by the shared artwork code, the same
// pixels as in the Win32 windows) as the toolkit's pixmaps.

// The left column of the wizard: 120 x 248.
QPixmap WizardSidePicture();
// The step marker beside the running step's label: 5 x 11.
QPixmap StepMarker();
// The clean-up question's picture: 32 x 32.
QPixmap CleanUpIcon();

}  // namespace setup::window
