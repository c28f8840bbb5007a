#include "banner/app/window/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "banner/app/window/bitmap_image.h"

namespace plakato {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  // Clicking a swatch takes the focus, so an edited size box is checked
  // first; Tab reaches it, and Space or Enter asks for a colour.
  setFocusPolicy(Qt::StrongFocus);
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
  if (hasFocus()) {
    QPainter focus(this);
    // Dark on a light colour, light on a dark one, so the mark always shows.
    const QColor fill = ToQColor(color_);
    const bool dark = fill.red() * 299 + fill.green() * 587 + fill.blue() * 114 < 128 * 1000;
    focus.setPen(QPen(dark ? Qt::white : Qt::black, 1, Qt::DotLine));
    focus.drawRect(contentsRect().adjusted(1, 1, -2, -2));
  }
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    emit doubleClicked();
    return;
  }
  QFrame::keyPressEvent(event);
}

void ColorSwatch::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace plakato
