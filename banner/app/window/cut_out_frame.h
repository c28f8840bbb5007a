#pragma once

#include <QFrame>
#include <QPoint>

namespace plakato {

// The banner-sized frame of the image chooser: a bordered transparent
// rectangle that the user drags with the mouse. Positions it reports are in
// its parent's coordinates; where the frame lands is the chooser's rule.
class CutOutFrame : public QFrame {
  Q_OBJECT

 public:
  explicit CutOutFrame(QWidget* parent);

 signals:
  void dragStarted(QPoint press);  // where the button went down
  void dragMoved(QPoint pointer);
  void dropped(QPoint pointer);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool dragging_ = false;
};

}  // namespace plakato
