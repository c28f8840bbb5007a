#include "setup/app/win32/wizard/win32_wizard_front.h"

#include <commdlg.h>
#include <shlobj.h>

#include "platform/win32/wide_text.h"
#include "setup/app/exit_status.h"
#include "setup/app/wizard_exit_status.h"

namespace setup::win32 {
namespace {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;
using wizard::Answer;
using wizard::MessageButtons;
using wizard::MessageIcon;

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

// The buttons and, by the default answer's place among them, the default.
UINT ButtonFlags(MessageButtons buttons, Answer default_answer) {
  switch (buttons) {
    case MessageButtons::kYesNo: return MB_YESNO | (default_answer == Answer::kNo ? MB_DEFBUTTON2 : 0);
    case MessageButtons::kAbortRetryIgnore:
      return MB_ABORTRETRYIGNORE | (default_answer == Answer::kRetry    ? MB_DEFBUTTON2
                                    : default_answer == Answer::kIgnore ? MB_DEFBUTTON3
                                                                        : 0);
    case MessageButtons::kOk: break;
  }
  return MB_OK;
}

int CALLBACK PreselectFolder(HWND window, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

}  // namespace

Answer MessageBoxPrompter::Ask(const wizard::Message& message) {
  if (before_showing_) before_showing_();
  const int pressed = MessageBoxW(owner_ ? owner_() : nullptr, Utf8ToWide(message.text).c_str(),
                                  Utf8ToWide(message.caption).c_str(),
                                  IconFlag(message.icon) | ButtonFlags(message.buttons, message.default_answer));
  switch (pressed) {
    case IDYES: return Answer::kYes;
    case IDNO: return Answer::kNo;
    case IDABORT: return Answer::kAbort;
    case IDRETRY: return Answer::kRetry;
    case IDIGNORE: return Answer::kIgnore;
    default: break;
  }
  // A closed Yes/No box counts as No.
  return message.buttons == MessageButtons::kYesNo ? Answer::kNo : Answer::kOk;
}

std::string ShellWizardDialogs::ChooseFolder(HWND owner, const wizard::BrowseRequest& request) {
  const std::wstring title = Utf8ToWide(request.title);
  const std::wstring start = Utf8ToWide(request.start);
  wchar_t display[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = PreselectFolder;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (SUCCEEDED(com)) CoUninitialize();
  if (!chosen) return {};
  wchar_t path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  return found ? WideToUtf8(path) : std::string();
}

std::string ShellWizardDialogs::ChooseFile(HWND owner, const wizard::BrowseRequest& request) {
  // "name|pattern|..." becomes the dialog's list of NUL-ended strings.
  std::wstring filter = Utf8ToWide(request.filter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.append(2, L'\0');
  const std::wstring title = Utf8ToWide(request.title);
  const std::wstring extension = Utf8ToWide(request.default_extension);
  std::wstring file = Utf8ToWide(request.start);
  file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOREADONLYRETURN;
  if (!GetOpenFileNameW(&dialog)) return {};
  return WideToUtf8(file.c_str());
}

Win32WizardFront::Win32WizardFront() : prompter_([this] { return owner_; }) {}

int Win32WizardFront::ShowWizard(wizard::WizardModel& model) {
  Win32WorkBox box(model, dialogs_);
  if (!box.Create(nullptr)) return app::kExitRefused;
  progress_.Attach(&box);
  prompter_.set_before_showing([&box] { box.Refresh(); });
  owner_ = box.window();
  box.Start();
  box.RunModal();
  prompter_.set_before_showing(nullptr);
  progress_.Attach(nullptr);
  owner_ = nullptr;
  return app::WizardExitStatus(model.mode(), box.furthest_page(), model.run().log.leftovers());
}

std::unique_ptr<app::ProgramFront> MakeWin32WizardFront(std::ostream& err) {
  // A top-level window is what the wizard needs; Wine without a display
  // refuses to make one.
  HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (!probe) {
    err << "Setup: no display to show the windows on; run it with /silent for the unattended mode (every "
           "question takes its default answer)\n";
    return nullptr;
  }
  DestroyWindow(probe);
  return std::make_unique<Win32WizardFront>();
}

}  // namespace setup::win32
