#include "setup/app/win32/wizard/win32_wizard_front.h"

#include <commdlg.h>

#include "platform/win32/wide_text.h"
#include "setup/app/exit_status.h"
#include "setup/app/win32/backgrd_form_win32.h"
#include "setup/app/win32/win32_browse_dialog.h"
#include "setup/app/wizard_exit_status.h"

namespace setup::win32 {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

std::string ShellWizardDialogs::ChooseFolder(HWND owner, const wizard::BrowseRequest& request) {
  return win32::ChooseFolder(owner, request).value_or(std::string());
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
  // Setup mode covers the screen with the painted background; uninstall
  // and clean-up show the wizard alone.
  std::unique_ptr<TBackgrdForm> background;
  if (model.mode() == wizard::WizardMode::kSetup) {
    background = std::make_unique<TBackgrdForm>();
    if (background->Create(GetModuleHandleW(nullptr))) {
      background->Paint(model.script(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
      background->ShowCovering();
      owner_ = background->hwnd();
    }
  }
  Win32WorkBox box(model, dialogs_);
  if (!box.Create(owner_)) return app::kExitRefused;
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
