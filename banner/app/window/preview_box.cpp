#include "banner/app/window/preview_box.h"

#include <QPainter>

#include "banner/app/window/bitmap_image.h"

namespace plakato {

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void PreviewBox::ShowBanner(const Bitmap& banner, int width, int height) {
  image_ = ToQImage(banner);
  if (!image_.isNull()) {
    width = image_.width();
    height = image_.height();
  }
  setFixedSize(std::max(width, 1), std::max(height, 1));
  update();
}

void PreviewBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

}  // namespace plakato
