#pragma once

#include <QImage>
#include <QWidget>

#include "banner/render/bitmap.h"

namespace plakato {

// Shows a banner 1:1 and keeps its size equal to the banner's. Used for the
// preview box of the main window and the inside of the preview window.
class PreviewBox : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewBox(QWidget* parent);

  // An empty banner leaves the box at the given size and blank.
  void ShowBanner(const Bitmap& banner, int width, int height);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace plakato
