#include "setup/app/win32/win32_browse_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace setup::win32 {
namespace {

using window::TOKButtonState;

struct Sent {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  std::wstring text;
  bool operator==(const Sent&) const = default;
};

std::vector<Sent> Callback(TBrowseDialog& dialog, UINT message, const std::string& path = "") {
  std::vector<Sent> sent;
  RunBrowseCallback(dialog, 77, message, path, [&](UINT m, WPARAM w, LPARAM l, const std::wstring* text) {
    sent.push_back({m, w, text ? 0 : l, text ? *text : L""});
  });
  return sent;
}

TEST(Win32BrowseDialogTest, OpeningPreselectsDirectoryWithoutItsTrailingBackslash) {
  TBrowseDialog dialog;
  std::string seen = "unset";
  dialog.OnInitialized = [&](TBrowseDialog& sender, std::intptr_t wnd, const std::string& path, std::string&,
                             TOKButtonState&) {
    EXPECT_EQ(&sender, &dialog);
    EXPECT_EQ(wnd, 77);
    seen = path;
  };
  dialog.Directory = "C:\\Program Files\\サンプル\\";
  EXPECT_EQ(Callback(dialog, BFFM_INITIALIZED),
            (std::vector<Sent>{{BFFM_SETSELECTIONW, TRUE, 0, L"C:\\Program Files\\サンプル"},
                               {BFFM_SETSTATUSTEXTW, 0, 0, L""}}));
  EXPECT_EQ(seen, "C:\\Program Files\\サンプル");

  dialog.Directory = "C:\\";
  EXPECT_EQ(Callback(dialog, BFFM_INITIALIZED)[0].text, L"C:\\");

  // Nothing to pre-select: the hook still runs, with an empty path.
  dialog.Directory.clear();
  EXPECT_EQ(Callback(dialog, BFFM_INITIALIZED), (std::vector<Sent>{{BFFM_SETSTATUSTEXTW, 0, 0, L""}}));
  EXPECT_EQ(seen, "");
}

TEST(Win32BrowseDialogTest, SelectionHookSetsStatusTextAndOkButton) {
  TBrowseDialog dialog;
  TOKButtonState answer = TOKButtonState::kDisable;
  dialog.OnSelectionChanged = [&](TBrowseDialog&, std::intptr_t, const std::string& path,
                                  std::string& show_text, TOKButtonState& ok) {
    EXPECT_EQ(ok, TOKButtonState::kUnchanged);
    EXPECT_TRUE(show_text.empty());
    show_text = "選択: " + path;
    ok = answer;
  };
  EXPECT_EQ(Callback(dialog, BFFM_SELCHANGED, "D:\\data"),
            (std::vector<Sent>{{BFFM_SETSTATUSTEXTW, 0, 0, L"選択: D:\\data"}, {BFFM_ENABLEOK, 0, 0, L""}}));
  answer = TOKButtonState::kEnable;
  EXPECT_EQ(Callback(dialog, BFFM_SELCHANGED, "D:\\").back(), (Sent{BFFM_ENABLEOK, 0, 1, L""}));
  answer = TOKButtonState::kUnchanged;
  EXPECT_EQ(Callback(dialog, BFFM_SELCHANGED, "D:\\").size(), 1u);
  // Other messages of the shell only clear the status text; the selection
  // hook is not called for them.
  answer = TOKButtonState::kEnable;
  EXPECT_EQ(Callback(dialog, BFFM_VALIDATEFAILEDW), (std::vector<Sent>{{BFFM_SETSTATUSTEXTW, 0, 0, L""}}));
}

TEST(Win32BrowseDialogTest, OptionsStartWithFileSystemFoldersOnly) {
  TBrowseDialog dialog;
  EXPECT_EQ(window::ShellFlags(dialog.Options), UINT(BIF_RETURNONLYFSDIRS));
  dialog.Options.Include(window::biStatusText);
  EXPECT_EQ(window::ShellFlags(dialog.Options), UINT(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT));
}

}  // namespace
}  // namespace setup::win32

namespace setup::win32 {
namespace {

// The shell's own dialog, answered from its opening hook: OK takes the
// pre-selected folder, Cancel leaves Directory as it was, a root is the
// top of the tree. Under Wine the
// dialog needs a display (scripts/test-windows.sh gives it a virtual one).
TEST(Win32BrowseDialogTest, ShellDialogReturnsThePreselectionOnOkAndNothingOnCancel) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  const std::string folder = platform::win32::WideToUtf8(windows);
  TBrowseDialog dialog;
  dialog.Caption = "インストール先";
  WPARAM button = IDOK;
  int opened = 0;
  dialog.OnInitialized = [&](TBrowseDialog&, std::intptr_t wnd, const std::string&, std::string&,
                             TOKButtonState&) {
    ++opened;
    PostMessageW(reinterpret_cast<HWND>(wnd), WM_COMMAND, button, 0);
  };
  dialog.Directory = folder + "\\";
  const bool chosen = dialog.Execute(nullptr);
  ASSERT_EQ(opened, 1) << "the folder picker did not open (no display?)";
  ASSERT_TRUE(chosen);
  EXPECT_EQ(dialog.Directory, folder);
  EXPECT_FALSE(dialog.display_name().empty());

  button = IDCANCEL;
  dialog.Directory = "C:\\no such folder\\";
  EXPECT_FALSE(dialog.Execute(nullptr));
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(dialog.Directory, "C:\\no such folder\\");

  // A root folder is the top of the tree.
  std::wstring top;
  dialog.Root = folder;
  dialog.OnInitialized = [&](TBrowseDialog&, std::intptr_t wnd, const std::string&, std::string&,
                             TOKButtonState&) {
    HWND tree = FindWindowExW(reinterpret_cast<HWND>(wnd), nullptr, WC_TREEVIEWW, nullptr);
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetRoot(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (tree && item.hItem && TreeView_GetItem(tree, &item)) top = text;
    PostMessageW(reinterpret_cast<HWND>(wnd), WM_COMMAND, IDCANCEL, 0);
  };
  EXPECT_FALSE(dialog.Execute(nullptr));
  EXPECT_EQ(_wcsicmp(top.c_str(), L"windows"), 0) << platform::win32::WideToUtf8(top);
}

}  // namespace
}  // namespace setup::win32
