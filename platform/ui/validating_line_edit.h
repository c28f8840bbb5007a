#pragma once

#include <QLineEdit>
#include <functional>

namespace platform::ui {

// A text box that checks its text when it is about to lose the focus to
// another control of the window. When the check refuses, the focus comes
// back and the whole text is selected so that the user can type over it.
// Switching to another window checks nothing. While the box has the focus,
// a click on another control of the window or a shortcut is checked first:
// refused, it never reaches that control (a button does not act, a list
// does not open).
class ValidatingLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Returns true to keep the focus.
  using Check = std::function<bool()>;

  explicit ValidatingLineEdit(QWidget* parent);
  void SetCheck(Check check) { check_ = std::move(check); }

 signals:
  // A shortcut was held back because the check refused; a keyboard user
  // sees nothing else happen, so the window says why.
  void shortcutRefused();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // True when the check refuses (the text is then selected again).
  bool Refused();
  bool AimsElsewhere(QObject* receiver, QEvent* event) const;

  Check check_;
  bool armed_ = false;  // has the focus, or is taking it back
  bool swallowing_release_ = false;
};

}  // namespace platform::ui
