#include "setup/app/win32/win32_prompter.h"

#include "platform/win32/wide_text.h"

namespace setup::win32 {

using wizard::Answer;
using wizard::MessageButtons;
using wizard::MessageIcon;

namespace {

UINT ButtonsFlag(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kYesNo: return MB_YESNO;
    case MessageButtons::kYesNoCancel: return MB_YESNOCANCEL;
    case MessageButtons::kAbortRetryIgnore: return MB_ABORTRETRYIGNORE;
    case MessageButtons::kOk: break;
  }
  return MB_OK;
}

UINT IconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError: return MB_ICONERROR;
    case MessageIcon::kWarning: return MB_ICONWARNING;
    case MessageIcon::kQuestion: return MB_ICONQUESTION;
    case MessageIcon::kInformation: return MB_ICONINFORMATION;
    case MessageIcon::kNone: break;
  }
  return 0;
}

// The default answer's place among the box's buttons; an answer the box
// lacks leaves the first button the default.
UINT DefaultButtonFlag(const wizard::Message& m) {
  int place = 1;
  if ((m.buttons == MessageButtons::kYesNo || m.buttons == MessageButtons::kYesNoCancel) &&
      m.default_answer == Answer::kNo) {
    place = 2;
  }
  if (m.buttons == MessageButtons::kYesNoCancel && m.default_answer == Answer::kCancel) place = 3;
  if (m.buttons == MessageButtons::kAbortRetryIgnore) {
    if (m.default_answer == Answer::kRetry) place = 2;
    if (m.default_answer == Answer::kIgnore) place = 3;
  }
  return place == 1 ? MB_DEFBUTTON1 : place == 2 ? MB_DEFBUTTON2 : MB_DEFBUTTON3;
}

}  // namespace

UINT MessageBoxFlags(const wizard::Message& message, bool owned) {
  return ButtonsFlag(message.buttons) | IconFlag(message.icon) | DefaultButtonFlag(message) |
         (owned ? MB_APPLMODAL : MB_TASKMODAL);
}

Answer AnswerOfBox(int result, const wizard::Message& message) {
  switch (result) {
    case IDOK: return Answer::kOk;
    case IDYES: return Answer::kYes;
    case IDNO: return Answer::kNo;
    case IDABORT: return Answer::kAbort;
    case IDRETRY: return Answer::kRetry;
    case IDIGNORE: return Answer::kIgnore;
    case IDCANCEL:
      if (message.buttons == MessageButtons::kYesNoCancel) return Answer::kCancel;
      return message.buttons == MessageButtons::kYesNo ? Answer::kNo : Answer::kOk;
    default: break;
  }
  return message.default_answer;
}

Win32Prompter::Win32Prompter(std::function<HWND()> owner, ShowBox show)
    : owner_(std::move(owner)), show_(std::move(show)) {
  if (!show_) {
    show_ = [](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
      return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    };
  }
}

Answer Win32Prompter::Ask(const wizard::Message& message) {
  HWND owner = owner_ ? owner_() : nullptr;
  const int result =
      show_(owner, platform::win32::Utf8ToWide(message.text), platform::win32::Utf8ToWide(message.caption),
            MessageBoxFlags(message, owner != nullptr));
  return AnswerOfBox(result, message);
}

}  // namespace setup::win32
