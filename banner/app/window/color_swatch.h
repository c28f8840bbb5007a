#pragma once

#include <QFrame>

#include "banner/render/color.h"

namespace plakato {

// A sunken box filled with one colour; a double click, Space or Enter asks
// for a new one.
class ColorSwatch : public QFrame {
  Q_OBJECT

 public:
  explicit ColorSwatch(QWidget* parent);

  Color color() const { return color_; }
  void SetColor(Color color);

 signals:
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Color color_ = kWhite;
};

}  // namespace plakato
