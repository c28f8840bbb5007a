#include "setup/app/win32/win32_browse_dialog.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

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
  dialog.OnSelectionChanged = [&](TBrowseDialog&, std::intptr_t, const std::string& path, std::string& show_text,
                                  TOKButtonState& ok) {
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
