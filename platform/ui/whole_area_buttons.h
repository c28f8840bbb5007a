#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace platform::ui {

// Option buttons and check boxes that react to a click anywhere in their
// designed rectangle, not only on the mark and the caption.

// Option buttons of one QButtonGroup behave as one control for the
// keyboard: Tab stops only at the selected one, and the arrow keys select
// the previous or next option (round the group) and move the focus with it.
class OptionButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void keyPressEvent(QKeyEvent* event) override;
  // Both ways a button gets checked, signals blocked or not.
  void checkStateSet() override;
  void nextCheckState() override;

 private:
  void UpdateTabStops();
};

class CheckBoxButton : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace platform::ui
