#pragma once

#include <QImage>
#include <QWidget>

#include "platform/target_system/drive_map.h"
#include "setup/core/setup_script.h"

namespace setup::window {

// The installer's main window in setup mode: borderless, black, covering
// the screen, showing the background painted once from the script.
class TBackgrdForm : public QWidget {
 public:
  TBackgrdForm();

  // Paints the background of a screen of that size from [Background].
  void Paint(const SetupScript& script, const platform::target::DriveMap& drives, QSize screen);
  // Shows the window over the whole screen.
  void ShowCovering(const QRect& screen);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace setup::window
