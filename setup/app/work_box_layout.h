#pragma once

#include <optional>
#include <span>

#include "setup/wizard/model/control_id.h"

namespace setup::window {

// The wizard window as designed, shared by the Qt and the Win32 window so
// that both place every control at the same spot (pixels at 96 dpi): a
// fixed client area, the picture on the left, one page panel at a time on
// the right, the buttons under a bevel.
inline constexpr int kWorkBoxWidth = 465;
inline constexpr int kWorkBoxHeight = 302;
inline constexpr int kPanelX = 144;
inline constexpr int kPanelWidth = 313;
inline constexpr int kPanelHeight = 262;
inline constexpr int kCleanUpPanelWidth = 340;
inline constexpr int kCleanUpPanelHeight = 112;
inline constexpr int kBevelY = 264;

enum class ControlKind {
  kPanel,
  kLabel,
  kEdit,
  kMemo,
  kListBox,
  kCheckBox,
  kRadioButton,
  kSpeedButton,
  kButton,
  kProgressBar,
  kImage,
  kUnknown,
};

// A control's place in its parent (the window or its panel).
struct ControlPlace {
  wizard::Control control;
  int x;
  int y;
  int width;
  int height;
};

// Every control the window builds, the step markers included.
std::span<const ControlPlace> ControlPlaces();
const ControlPlace* FindPlace(wizard::Control control);

// The kind from the form name's prefix ("Label1003" is a label).
ControlKind KindOf(wizard::Control control);
// The panel a control sits on: the page's panel from the leading digits of
// its number, Panel1 for the clean-up controls, none for the window's own
// (the buttons, the bevel, the picture, the panels, the installer's title).
std::optional<wizard::Control> ParentOf(wizard::Control control);

}  // namespace setup::window
