#include "banner/app/window/cut_out_frame.h"

#include <QMouseEvent>
#include <QPainter>

namespace plakato {

CutOutFrame::CutOutFrame(QWidget* parent) : QFrame(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  setCursor(Qt::SizeAllCursor);
}

void CutOutFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CutOutFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  emit dragStarted(mapToParent(event->position().toPoint()));
}

void CutOutFrame::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) emit dragMoved(mapToParent(event->position().toPoint()));
}

void CutOutFrame::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  emit dropped(mapToParent(event->position().toPoint()));
}

}  // namespace plakato
