#pragma once

#include <functional>
#include <string>

#include "platform/win32/windows_api.h"
#include "setup/wizard/prompter.h"

namespace setup::win32 {

// The MessageBoxW flags of a message: its buttons, its icon, the default
// button at the place of the message's default answer, and task-modal when
// the box has no owner window.
UINT MessageBoxFlags(const wizard::Message& message, bool owned);

// The answer of a box's result; a box that could not be shown (0) answers
// with the message's default, a closed Yes/No box with No.
wizard::Answer AnswerOfBox(int result, const wizard::Message& message);

// The installer's questions as the system's message boxes, captioned with
// the message's caption ("kestro Setup for Windows"), with the button texts
// in the system's language.
class Win32Prompter : public wizard::Prompter {
 public:
  // The box itself: MessageBoxW, or a test's recorder.
  using ShowBox =
      std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags)>;

  // owner: the window the boxes belong to when one opens (the background
  // window, later the wizard); may answer null.
  explicit Win32Prompter(std::function<HWND()> owner, ShowBox show = ShowBox());

  wizard::Answer Ask(const wizard::Message& message) override;

 private:
  std::function<HWND()> owner_;
  ShowBox show_;
};

}  // namespace setup::win32
