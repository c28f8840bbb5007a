#pragma once

#include <QLineEdit>
#include <functional>

namespace platform::ui {

// A text box that checks its text when it is about to lose the focus to
// another control of the window. When the check refuses, the focus comes
// back and the whole text is selected so that the user can type over it.
// Switching to another window checks nothing.
class ValidatingLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Returns true to keep the focus.
  using Check = std::function<bool()>;

  explicit ValidatingLineEdit(QWidget* parent);
  void SetCheck(Check check) { check_ = std::move(check); }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  Check check_;
};

}  // namespace platform::ui
