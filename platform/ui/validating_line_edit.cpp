#include "platform/ui/validating_line_edit.h"

#include <QFocusEvent>
#include <QTimer>

namespace platform::ui {

ValidatingLineEdit::ValidatingLineEdit(QWidget* parent) : QLineEdit(parent) {}

void ValidatingLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!check_) return;
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (!check_()) return;
  // The focus change is under way; take the focus back once it is done.
  QTimer::singleShot(0, this, [this] {
    setFocus(Qt::OtherFocusReason);
    selectAll();
  });
}

}  // namespace platform::ui
