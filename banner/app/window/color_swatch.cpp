#include "banner/app/window/color_swatch.h"

#include <QMouseEvent>
#include <QPainter>

#include "banner/app/window/bitmap_image.h"

namespace plakato {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  // Clicking a swatch takes the focus, so an edited size box is checked first.
  setFocusPolicy(Qt::ClickFocus);
}

void ColorSwatch::SetColor(Color color) {
  if (color_ == color) return;
  color_ = color;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(contentsRect(), ToQColor(color_));
  painter.end();
  QFrame::paintEvent(event);
}

void ColorSwatch::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace plakato
