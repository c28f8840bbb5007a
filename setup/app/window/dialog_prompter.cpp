#include "setup/app/window/dialog_prompter.h"

#include "platform/ui/qt_dialog_service.h"

namespace setup::window {
namespace {

namespace ui = platform::ui;
using wizard::Answer;
using wizard::MessageButtons;
using wizard::MessageIcon;

ui::MessageIcon ToUi(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError: return ui::MessageIcon::kError;
    case MessageIcon::kWarning: return ui::MessageIcon::kWarning;
    case MessageIcon::kQuestion: return ui::MessageIcon::kQuestion;
    case MessageIcon::kInformation: return ui::MessageIcon::kInformation;
    case MessageIcon::kNone: break;
  }
  return ui::MessageIcon::kNone;
}

ui::MessageButtons ToUi(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kYesNo: return ui::MessageButtons::kYesNo;
    case MessageButtons::kAbortRetryIgnore: return ui::MessageButtons::kAbortRetryIgnore;
    case MessageButtons::kOk: break;
  }
  return ui::MessageButtons::kOk;
}

ui::Answer ToUi(Answer answer) {
  switch (answer) {
    case Answer::kYes: return ui::Answer::kYes;
    case Answer::kNo: return ui::Answer::kNo;
    case Answer::kAbort: return ui::Answer::kAbort;
    case Answer::kRetry: return ui::Answer::kRetry;
    case Answer::kIgnore: return ui::Answer::kIgnore;
    case Answer::kOk: break;
  }
  return ui::Answer::kOk;
}

// A closed Yes/No box counts as No; the other boxes have no Cancel.
Answer FromUi(ui::Answer answer, MessageButtons buttons) {
  switch (answer) {
    case ui::Answer::kYes: return Answer::kYes;
    case ui::Answer::kNo: return Answer::kNo;
    case ui::Answer::kAbort: return Answer::kAbort;
    case ui::Answer::kRetry: return Answer::kRetry;
    case ui::Answer::kIgnore: return Answer::kIgnore;
    case ui::Answer::kCancel: return buttons == MessageButtons::kYesNo ? Answer::kNo : Answer::kOk;
    case ui::Answer::kOk: break;
  }
  return Answer::kOk;
}

}  // namespace

Answer DialogPrompter::Ask(const wizard::Message& message) {
  if (before_showing_) before_showing_();
  const std::unique_ptr<ui::DialogService> service = service_for_(message.caption);
  const ui::Answer answer = service->ShowMessage(
      {message.text, ToUi(message.icon), ToUi(message.buttons), ToUi(message.default_answer)});
  return FromUi(answer, message.buttons);
}

std::unique_ptr<DialogPrompter> MakeQtPrompter(std::function<QWidget*()> owner) {
  return std::make_unique<DialogPrompter>([owner](const std::string& caption) {
    return std::make_unique<ui::QtDialogService>(owner ? owner() : nullptr, ui::MessageBoxTexts{caption});
  });
}

}  // namespace setup::window
