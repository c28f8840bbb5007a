#include "platform/ui/validating_line_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

namespace platform::ui {

ValidatingLineEdit::ValidatingLineEdit(QWidget* parent) : QLineEdit(parent) {}

void ValidatingLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Mouse presses reach the window before the toolkit moves the focus, so
  // they are looked at there.
  qApp->installEventFilter(this);
  armed_ = true;
}

void ValidatingLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  armed_ = false;
  if (!check_) return;
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (!check_()) {
    qApp->removeEventFilter(this);
    return;
  }
  // Refused: the click that took the focus must not act either.
  armed_ = true;
  // The focus change is under way; take the focus back once it is done.
  QTimer::singleShot(0, this, [this] {
    setFocus(Qt::OtherFocusReason);
    selectAll();
  });
}

bool ValidatingLineEdit::Refused() {
  if (!check_ || !check_()) return false;
  setFocus(Qt::OtherFocusReason);
  selectAll();
  return true;
}

bool ValidatingLineEdit::AimsElsewhere(QObject* receiver, QEvent* event) const {
  if (event->type() == QEvent::Shortcut) return receiver != this;
  // Sent to a control directly (as tests and accessibility tools do).
  if (auto* control = qobject_cast<QWidget*>(receiver)) {
    return control != this && control->window() == window() && !control->isAncestorOf(this);
  }
  auto* target = qobject_cast<QWindow*>(receiver);
  if (!target || !window()->windowHandle() || target != window()->windowHandle()) return false;
  const QPoint at = window()->mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
  QWidget* hit = window()->childAt(at);
  return hit && hit != this && !isAncestorOf(hit);
}

bool ValidatingLineEdit::eventFilter(QObject* watched, QEvent* event) {
  if (!armed_ || !isEnabled()) return QLineEdit::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Shortcut:
      if (AimsElsewhere(watched, event) && Refused()) {
        swallowing_release_ = event->type() != QEvent::Shortcut;
        if (event->type() == QEvent::Shortcut) emit shortcutRefused();
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (swallowing_release_ && watched != this) {
        swallowing_release_ = false;
        return true;
      }
      break;
    default: break;
  }
  return QLineEdit::eventFilter(watched, event);
}

}  // namespace platform::ui
