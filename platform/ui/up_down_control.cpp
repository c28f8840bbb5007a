#include "platform/ui/up_down_control.h"

#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace platform::ui {

UpDownControl::UpDownControl(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(std::max(minimum, maximum)), value_(minimum) {
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  connect(up_, &QToolButton::clicked, this, &UpDownControl::StepUp);
  connect(down_, &QToolButton::clicked, this, &UpDownControl::StepDown);
}

void UpDownControl::SetBuddy(QLineEdit* buddy) {
  buddy_ = buddy;
  if (buddy_) buddy_->setText(QString::number(value_));
}

void UpDownControl::SetValue(int value) {
  value = std::clamp(value, minimum_, maximum_);
  if (buddy_ && buddy_->text() != QString::number(value)) buddy_->setText(QString::number(value));
  if (value == value_) return;
  value_ = value;
  emit valueChanged(value_);
}

void UpDownControl::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace platform::ui
