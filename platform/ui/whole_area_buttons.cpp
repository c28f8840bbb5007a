#include "platform/ui/whole_area_buttons.h"

#include <QButtonGroup>
#include <QKeyEvent>

namespace platform::ui {

void OptionButton::checkStateSet() {
  QRadioButton::checkStateSet();
  UpdateTabStops();
}

void OptionButton::nextCheckState() {
  QRadioButton::nextCheckState();
  UpdateTabStops();
}

void OptionButton::UpdateTabStops() {
  if (!isChecked()) return;
  const QList<QAbstractButton*> options = group() ? group()->buttons() : QList<QAbstractButton*>{this};
  for (QAbstractButton* option : options)
    option->setFocusPolicy(option == this ? Qt::StrongFocus : Qt::ClickFocus);
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
  int step = 0;
  if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Right) step = 1;
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Left) step = -1;
  const QList<QAbstractButton*> options = group() ? group()->buttons() : QList<QAbstractButton*>{};
  if (step == 0 || options.size() < 2) {
    QRadioButton::keyPressEvent(event);
    return;
  }
  const qsizetype count = options.size();
  qsizetype at = options.indexOf(this);
  for (qsizetype tried = 1; tried < count; ++tried) {
    at = (at + step + count) % count;
    QAbstractButton* next = options[at];
    if (!next->isEnabled() || !next->isVisibleTo(window())) continue;
    next->setFocus(Qt::TabFocusReason);
    if (!next->isChecked()) next->click();
    break;
  }
  event->accept();
}

}  // namespace platform::ui
