#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace platform::ui {

// Option buttons and check boxes that react to a click anywhere in their
// designed rectangle, not only on the mark and the caption.

class OptionButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class CheckBoxButton : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace platform::ui
