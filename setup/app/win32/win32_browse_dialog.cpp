#include "setup/app/win32/win32_browse_dialog.h"

#include <shlobj.h>

#include <vector>

#include "platform/win32/wide_text.h"
#include "setup/app/win32/com_scope_win32.h"

namespace setup::win32 {
namespace {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

std::string PathOfItem(LPCITEMIDLIST item) {
  wchar_t path[MAX_PATH + 1] = {};
  if (!item || !SHGetPathFromIDListW(item, path)) return {};
  return WideToUtf8(path);
}

int CALLBACK ShellCallback(HWND wnd, UINT message, LPARAM lparam, LPARAM data) {
  auto* dialog = reinterpret_cast<TBrowseDialog*>(data);
  if (!dialog) return 0;
  const std::string path =
      message == BFFM_SELCHANGED ? PathOfItem(reinterpret_cast<LPCITEMIDLIST>(lparam)) : "";
  RunBrowseCallback(*dialog, reinterpret_cast<std::intptr_t>(wnd), message, path,
                    [wnd](UINT m, WPARAM w, LPARAM l, const std::wstring* text) {
                      SendMessageW(wnd, m, w, text ? reinterpret_cast<LPARAM>(text->c_str()) : l);
                    });
  return 0;
}

// The windows of this thread that the picker disables while it is open,
// as a modal dialog of the application does.
BOOL CALLBACK DisableOne(HWND wnd, LPARAM list) {
  if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    EnableWindow(wnd, FALSE);
  }
  return TRUE;
}

}  // namespace

void RunBrowseCallback(TBrowseDialog& dialog, std::intptr_t wnd, UINT message,
                       const std::string& selection_path, const BrowseSend& send) {
  std::string show_text;
  window::TOKButtonState ok = window::TOKButtonState::kUnchanged;
  if (message == BFFM_SELCHANGED) {
    if (dialog.OnSelectionChanged) dialog.OnSelectionChanged(dialog, wnd, selection_path, show_text, ok);
  } else if (message == BFFM_INITIALIZED) {
    std::string path;
    if (!dialog.Directory.empty()) {
      path = window::PreselectionOf(dialog.Directory);
      const std::wstring wide = Utf8ToWide(path);
      send(BFFM_SETSELECTIONW, TRUE, 0, &wide);
    }
    if (dialog.OnInitialized) dialog.OnInitialized(dialog, wnd, path, show_text, ok);
  }
  const std::wstring status = Utf8ToWide(show_text);
  send(BFFM_SETSTATUSTEXTW, 0, 0, &status);
  if (ok == window::TOKButtonState::kEnable) send(BFFM_ENABLEOK, 0, 1, nullptr);
  if (ok == window::TOKButtonState::kDisable) send(BFFM_ENABLEOK, 0, 0, nullptr);
}

bool TBrowseDialog::Execute(HWND owner) {
  ComScope com;
  LPITEMIDLIST root = nullptr;
  if (!Root.empty()) {
    const std::wstring wide_root = Utf8ToWide(Root);
    if (FAILED(SHParseDisplayName(wide_root.c_str(), nullptr, &root, 0, nullptr))) root = nullptr;
  }
  wchar_t display[MAX_PATH + 1] = {};
  const std::wstring title = Utf8ToWide(Caption);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = window::ShellFlags(Options);
  info.lpfn = &ShellCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  HWND active = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));
  LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
  for (HWND wnd : disabled) EnableWindow(wnd, TRUE);
  if (active) SetActiveWindow(active);

  if (chosen) {
    display_name_ = WideToUtf8(display);
    Directory = PathOfItem(chosen);
    CoTaskMemFree(chosen);
  }
  if (root) CoTaskMemFree(root);
  return chosen != nullptr;
}

std::optional<std::string> ChooseFolder(HWND owner, const wizard::BrowseRequest& request) {
  TBrowseDialog dialog;
  dialog.Caption = request.title;
  dialog.Directory = request.start;
  if (!dialog.Execute(owner)) return std::nullopt;
  return dialog.Directory;
}

}  // namespace setup::win32
