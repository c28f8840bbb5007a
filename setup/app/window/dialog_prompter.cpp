#include "setup/app/window/dialog_prompter.h"

#include "platform/ui/qt_dialog_service.h"

namespace setup::window {

namespace ui = platform::ui;
using platform::Answer;
using platform::MessageButtons;

Answer DialogPrompter::Ask(const platform::Message& message) {
  if (before_showing_) before_showing_();
  const std::unique_ptr<ui::DialogService> service =
      service_for_(message.caption.empty() ? std::string(wizard::kSetupTitle) : message.caption);
  const Answer answer = service->ShowMessage(message);
  // A Yes/No box that was closed all the same counts as No.
  return answer == Answer::kCancel && message.buttons == MessageButtons::kYesNo ? Answer::kNo : answer;
}

std::unique_ptr<DialogPrompter> MakeQtPrompter(std::function<QWidget*()> owner) {
  return std::make_unique<DialogPrompter>([owner](const std::string& caption) {
    return std::make_unique<ui::QtDialogService>(owner ? owner() : nullptr, ui::MessageBoxTexts{caption});
  });
}

}  // namespace setup::window
