#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace platform::ui {

// Two arrow buttons that step a whole number within a range and keep the
// text of a buddy box equal to the value.
class UpDownControl : public QWidget {
  Q_OBJECT

 public:
  UpDownControl(int minimum, int maximum, QWidget* parent);

  void SetBuddy(QLineEdit* buddy);
  int value() const { return value_; }
  // Clamped into the range; emits valueChanged only for a new value.
  void SetValue(int value);
  void StepUp() { SetValue(value_ + 1); }
  void StepDown() { SetValue(value_ - 1); }

 signals:
  void valueChanged(int value);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int minimum_;
  int maximum_;
  int value_;
  QLineEdit* buddy_ = nullptr;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace platform::ui
