// The Win32 wizard window driven as a user drives it, by control
// identifier, on the Windows it runs on (a Wine prefix whose C:\pkg holds
// the example package and Setup.exe). The install and uninstall tests run
// in that order on one prefix; the questions are answered by a script.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "platform/win32/wide_text.h"
#include "setup/app/exit_status.h"
#include "setup/app/win32/win32_setup_program.h"
#include "setup/app/win32/wizard/win32_wizard_front.h"
#include "setup/app/win32/wizard/win32_work_box.h"
// windows.h first: the common controls header needs its types.
#include <commctrl.h>
#include "setup/app/wizard_exit_status.h"
#include "setup/app/work_box_layout.h"
#include "setup/wizard/model/wizard_pages.h"
#include "setup/wizard/test_fakes.h"

namespace setup::win32 {
namespace {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;
using wizard::Answer;
using wizard::Control;

class NoDialogs : public WizardDialogs {
 public:
  std::string ChooseFolder(HWND, const wizard::BrowseRequest&) override { return {}; }
  std::string ChooseFile(HWND, const wizard::BrowseRequest&) override { return {}; }
};

// The user in front of the window: clicks, typing and keys go through the
// window's messages; what they read comes from the Win32 controls.
class User {
 public:
  User(Win32WorkBox& box, wizard::testing::ScriptedPrompter& prompter) : box_(box), prompter_(prompter) {}

  HWND Window(Control control) const { return box_.ControlWindow(control); }
  bool Visible(Control control) const { return IsWindowVisible(Window(control)); }
  bool Enabled(Control control) const { return IsWindowEnabled(Window(control)); }
  bool Checked(Control control) const {
    return SendMessageW(Window(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  bool Focused(Control control) const { return GetFocus() == Window(control); }
  std::string Text(Control control) const { return TextOf(Window(control)); }
  std::string Title() const { return TextOf(box_.window()); }
  LONG FontWeight(Control control) const {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Window(control), WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfWeight;
  }

  // A click on a control the user can reach.
  void Click(Control control) {
    ASSERT_TRUE(Visible(control) && Enabled(control)) << wizard::ControlName(control) << " cannot be clicked";
    SendMessageW(Window(control), BM_CLICK, 0, 0);
    box_.ProcessMessages();
  }
  void Type(Control control, const std::string& text) {
    ASSERT_TRUE(Visible(control) && Enabled(control)) << wizard::ControlName(control) << " takes no text";
    SetWindowTextW(Window(control), Utf8ToWide(text).c_str());
    box_.ProcessMessages();
  }
  // A key pressed where the focus is.
  void Press(UINT key) {
    PostMessageW(GetFocus() ? GetFocus() : box_.window(), WM_KEYDOWN, key, 0);
    box_.ProcessMessages();
  }
  // Next with a refusal expected: the message, the page kept, the focus.
  void RefusedNext(int page, const std::string& message, Control focus) {
    const std::size_t asked = prompter_.asked.size();
    Click(Control::kButton2);
    ASSERT_EQ(prompter_.asked.size(), asked + 1) << "no refusal on page " << page;
    EXPECT_EQ(prompter_.asked.back().text, message);
    EXPECT_EQ(prompter_.asked.back().icon, wizard::MessageIcon::kError);
    EXPECT_EQ(Page(), page);
    EXPECT_TRUE(Focused(focus)) << "focus not on " << wizard::ControlName(focus);
  }
  // The page the window shows: the one visible page panel's number.
  int Page() const {
    for (int page = wizard::kFirstPage; page <= wizard::kLastPage; ++page) {
      const Control panel = wizard::PagePanel(page);
      // Panels have no window of their own: a page shows when its first
      // placed control does.
      for (const Control control : wizard::AllControls()) {
        if (window::ParentOf(control) == panel && window::FindPlace(control) && Visible(control)) return page;
      }
    }
    return 0;
  }

 private:
  static std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return WideToUtf8(text);
  }

  Win32WorkBox& box_;
  wizard::testing::ScriptedPrompter& prompter_;
};

// What the window shows while an engine counts an item: the running
// step's marker beside its bold label, one row per step.
struct StepLook {
  int step;
  bool marker_shown;
  LONG marker_offset;  // marker top less label top
  LONG label_weight;
};

class WatchingProgress : public Win32WorkBoxProgress {
 public:
  void Watch(Win32WorkBox* box) {
    box_ = box;
    Attach(box);
  }
  void Advanced(int step) override {
    Win32WorkBoxProgress::Advanced(step);
    const bool installing =
        box_->ControlWindow(Control::kImage1002) && IsWindowVisible(box_->ControlWindow(Control::kImage1002));
    const Control marker = installing ? Control::kImage1002 : Control::kImage1302;
    const Control label = installing ? wizard::InstallStepLabel(step) : wizard::UninstallStepLabel(step);
    RECT marker_rect{}, label_rect{};
    GetWindowRect(box_->ControlWindow(marker), &marker_rect);
    GetWindowRect(box_->ControlWindow(label), &label_rect);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box_->ControlWindow(label), WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    looks.push_back({step, static_cast<bool>(IsWindowVisible(box_->ControlWindow(marker))),
                     marker_rect.top - label_rect.top, font.lfWeight});
  }
  std::vector<StepLook> looks;

 private:
  Win32WorkBox* box_ = nullptr;
};

// A window front whose wizard the test drives instead of a user.
class DrivenFront : public app::ProgramFront {
 public:
  using Drive = std::function<void(User&, Win32WorkBox&, wizard::WizardModel&)>;
  DrivenFront(wizard::testing::ScriptedPrompter& prompter, Drive drive)
      : prompter_(prompter), drive_(std::move(drive)) {}

  wizard::Prompter& prompter() override { return prompter_; }
  wizard::EngineProgress& progress() override { return progress_; }
  const wizard::TextMeasure* text_measure() const override { return &measure_; }
  int ShowWizard(wizard::WizardModel& model) override {
    NoDialogs dialogs;
    Win32WorkBox box(model, dialogs);
    EXPECT_TRUE(box.Create(nullptr));
    progress_.Watch(&box);
    box.Start();
    box.Show();
    box.ProcessMessages();
    User user(box, prompter_);
    drive_(user, box, model);
    progress_.Attach(nullptr);
    EXPECT_TRUE(box.closed()) << "the wizard is still open";
    return app::WizardExitStatus(model.mode(), box.furthest_page(), model.run().log.leftovers());
  }

 private:
  wizard::testing::ScriptedPrompter& prompter_;
  DrivenFront::Drive drive_;
  WatchingProgress progress_;
  Win32LabelMeasure measure_;

 public:
  // What the engines' progress showed, for the test to look at after the run.
  static inline std::vector<StepLook> last_looks;
  ~DrivenFront() override { last_looks = progress_.looks; }
};

int RunDriven(const std::wstring& program, std::vector<std::string> arguments,
              wizard::testing::ScriptedPrompter& prompter, DrivenFront::Drive drive) {
  std::ostringstream err;
  return app::RunWin32SetupProgram(program, arguments, err,
                                   [&] { return std::make_unique<DrivenFront>(prompter, drive); });
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Every bar of the engine's page has counted all of its step's items.
void ExpectBarsFull(const User& user, const wizard::WizardModel& model, Control (*bar)(int)) {
  int items = 0;
  for (int step = 0; step < 5; ++step) {
    const int maximum = model.control(bar(step)).maximum;
    items += maximum;
    EXPECT_EQ(SendMessageW(user.Window(bar(step)), PBM_GETPOS, 0, 0), maximum) << "bar of step " << step;
  }
  EXPECT_GT(items, 0);
}

TEST(WorkBoxWindowTest, InstallsTheExamplePackageThroughEveryPageAndItsRefusals) {
  wizard::testing::ScriptedPrompter prompter;
  const int status =
      RunDriven(L"C:\\pkg\\Setup.exe", {"/log=C:\\logs\\gui-install.log"}, prompter,
                [&](User& user, Win32WorkBox&, wizard::WizardModel& model) {
                  EXPECT_EQ(user.Title(), "概要");
                  EXPECT_FALSE(user.Enabled(Control::kButton1));
                  user.Click(Control::kButton2);
                  ASSERT_EQ(user.Page(), 3);
                  EXPECT_EQ(user.Text(Control::kButton2), "はい(&Y)");
                  EXPECT_EQ(user.Text(Control::kButton3), "いいえ(&N)");
                  user.Click(Control::kButton2);

                  ASSERT_EQ(user.Page(), 4);
                  EXPECT_TRUE(user.Focused(Control::kEdit401));
                  const std::string owner = user.Text(Control::kEdit401);
                  user.Type(Control::kEdit401, "   ");
                  user.RefusedNext(4, "お名前を入力してください。", Control::kEdit401);
                  // Back never checks the page it leaves.
                  const std::size_t asked = prompter.asked.size();
                  user.Click(Control::kButton1);
                  EXPECT_EQ(user.Page(), 3);
                  EXPECT_EQ(prompter.asked.size(), asked);
                  user.Click(Control::kButton2);
                  EXPECT_EQ(user.Text(Control::kEdit401), "   ");
                  user.Type(Control::kEdit401, owner);
                  user.Click(Control::kButton2);

                  ASSERT_EQ(user.Page(), 5);
                  const std::string folder = user.Text(Control::kEdit501);
                  EXPECT_EQ(folder, "C:\\Program Files\\Hello kestro");
                  user.Type(Control::kEdit501, "");
                  user.RefusedNext(5, "フォルダ名を入力してください。", Control::kEdit501);
                  EXPECT_EQ(user.Text(Control::kLabel505), "(不明)");
                  user.Type(Control::kEdit501, "C:\\a|b");
                  user.RefusedNext(5, "フォルダ名に次の文字は使えません。\n * ? \" < > |\n\nC:\\a|b",
                                   Control::kEdit501);
                  user.Type(Control::kEdit501, folder);
                  EXPECT_NE(user.Text(Control::kLabel505), "(不明)");
                  user.Click(Control::kButton2);

                  ASSERT_EQ(user.Page(), 6);
                  const std::string group = user.Text(Control::kEdit601);
                  user.Type(Control::kEdit601, " ");
                  user.RefusedNext(6, "フォルダ名を入力してください。", Control::kEdit601);
                  user.Type(Control::kEdit601, group);
                  user.Click(Control::kButton2);

                  ASSERT_EQ(user.Page(), 7);
                  EXPECT_TRUE(user.Checked(Control::kCheckBox701));
                  user.Click(Control::kButton2);

                  ASSERT_EQ(user.Page(), 8);
                  EXPECT_FALSE(user.Checked(Control::kCheckBox802));
                  EXPECT_FALSE(user.Enabled(Control::kEdit802));
                  user.Click(Control::kCheckBox802);
                  EXPECT_TRUE(user.Enabled(Control::kEdit802));
                  user.RefusedNext(8, "ファイル名を入力してください。", Control::kEdit802);
                  user.Click(Control::kCheckBox802);
                  EXPECT_FALSE(user.Enabled(Control::kEdit802));
                  user.Click(Control::kButton2);

                  ASSERT_EQ(user.Page(), 9);
                  EXPECT_EQ(user.Text(Control::kButton2), "開始(&S) >");
                  // The close question, by Cancel and by Escape; No keeps the wizard.
                  prompter.answers = {Answer::kNo, Answer::kNo};
                  user.Click(Control::kButton3);
                  user.Press(VK_ESCAPE);
                  ASSERT_GE(prompter.asked.size(), 2u);
                  for (std::size_t i = prompter.asked.size() - 2; i < prompter.asked.size(); ++i) {
                    EXPECT_EQ(prompter.asked[i].text, "インストールを中止してもよろしいですか？");
                    EXPECT_EQ(prompter.asked[i].default_answer, Answer::kNo);
                  }
                  ASSERT_EQ(user.Page(), 9);
                  user.Click(Control::kButton2);

                  ASSERT_EQ(user.Page(), 11);
                  EXPECT_EQ(user.Title(), "インストール完了");
                  EXPECT_EQ(user.FontWeight(Control::kLabel1101), FW_BOLD);
                  EXPECT_EQ(user.FontWeight(Control::kLabel1102), FW_NORMAL);
                  ExpectBarsFull(user, model, wizard::InstallProgressBar);
                  EXPECT_FALSE(user.Visible(Control::kImage1002));
                  EXPECT_FALSE(user.Enabled(Control::kButton3));
                  // No text editor under the test: the readme stays closed.
                  user.Click(Control::kCheckBox1102);
                  EXPECT_FALSE(user.Checked(Control::kCheckBox1102));
                  user.Click(Control::kButton2);
                });
  EXPECT_EQ(status, app::kExitDone);
  EXPECT_TRUE(Exists(L"C:\\Program Files\\Hello kestro\\hello.exe"));
  // Every counted item showed its step's marker one pixel under the top of
  // the step's bold label.
  ASSERT_FALSE(DrivenFront::last_looks.empty());
  for (const StepLook& look : DrivenFront::last_looks) {
    EXPECT_TRUE(look.marker_shown) << "step " << look.step;
    EXPECT_EQ(look.marker_offset, 1) << "step " << look.step;
    EXPECT_EQ(look.label_weight, FW_BOLD) << "step " << look.step;
  }
}

TEST(WorkBoxWindowTest, UninstallsFromItsOwnPagesWithNextBesideCancel) {
  wizard::testing::ScriptedPrompter prompter;
  const int status =
      RunDriven(L"C:\\windows\\kestro.exe", {"/u", "HelloKestro", "/log=C:\\logs\\gui-uninstall.log"},
                prompter, [&](User& user, Win32WorkBox& box, wizard::WizardModel& model) {
                  ASSERT_EQ(user.Page(), 12);
                  EXPECT_FALSE(user.Visible(Control::kButton1));
                  EXPECT_TRUE(user.Visible(Control::kLabel1211));
                  EXPECT_TRUE(user.Focused(Control::kButton3));
                  RECT next{}, cancel{};
                  GetWindowRect(user.Window(Control::kButton2), &next);
                  GetWindowRect(user.Window(Control::kButton3), &cancel);
                  EXPECT_EQ(next.right, cancel.left);
                  // Return presses the focused Cancel: the uninstall question.
                  prompter.answers = {Answer::kNo};
                  user.Press(VK_RETURN);
                  ASSERT_FALSE(prompter.asked.empty());
                  EXPECT_EQ(prompter.asked.back().text, "アンインストールを中止してもよろしいですか？");
                  EXPECT_FALSE(box.closed());
                  user.Click(Control::kButton2);
                  ASSERT_EQ(user.Page(), 14);
                  ExpectBarsFull(user, model, wizard::UninstallProgressBar);
                  user.Click(Control::kButton2);
                });
  EXPECT_EQ(status, app::kExitDone);
  EXPECT_FALSE(Exists(L"C:\\Program Files\\Hello kestro"));
}

// A script with only the folder page among the optional pages: 2, 5, 9.
void WriteSkippingPackage() {
  CreateDirectoryW(L"C:\\skip", nullptr);
  std::ofstream(L"C:\\skip\\Setup.dat", std::ios::binary)
      << "[Define]\r\nApplication=kestro Setup "
         "1.00\r\nName=Skip\r\n[Install]\r\nUse=1\r\nDefault=C:\\Skipped\r\n"
         "Size=0\r\n[Uninstall]\r\nKeyName=SkipTest\r\n";
  CopyFileW(L"C:\\pkg\\Setup.exe", L"C:\\skip\\Setup.exe", FALSE);
}

TEST(WorkBoxWindowTest, SkipsSwitchedOffPagesBothWaysAndEndsOnTheCloseQuestion) {
  WriteSkippingPackage();
  wizard::testing::ScriptedPrompter prompter;
  const int status = RunDriven(
      L"C:\\skip\\Setup.exe", {}, prompter, [&](User& user, Win32WorkBox& box, wizard::WizardModel&) {
        ASSERT_EQ(user.Page(), 2);
        // The access key of Next: Alt+N.
        PostMessageW(GetFocus(), WM_SYSCHAR, L'n', 1 << 29);
        box.ProcessMessages();
        ASSERT_EQ(user.Page(), 5);
        EXPECT_TRUE(user.Focused(Control::kRadioButton501));
        EXPECT_EQ(GetNextDlgTabItem(box.window(), user.Window(Control::kRadioButton501), FALSE),
                  user.Window(Control::kEdit501));
        EXPECT_EQ(GetNextDlgTabItem(box.window(), user.Window(Control::kEdit501), FALSE),
                  user.Window(Control::kSpeedButton502));
        // Return on an input control presses Next, the default button.
        user.Press(VK_RETURN);
        ASSERT_EQ(user.Page(), 9);
        EXPECT_FALSE(Exists(L"C:\\Skipped"));  // the folder check made it and took it away
        user.Click(Control::kButton1);
        ASSERT_EQ(user.Page(), 5);
        user.Click(Control::kButton1);
        ASSERT_EQ(user.Page(), 2);
        EXPECT_EQ(user.Title(), "概要");
        EXPECT_TRUE(prompter.asked.empty());
        prompter.answers = {Answer::kYes};
        user.Press(VK_ESCAPE);
        EXPECT_TRUE(box.closed());
      });
  EXPECT_EQ(status, app::kExitRefused);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "インストールを中止してもよろしいですか？");
}

TEST(WorkBoxWindowTest, EscapeDuringTheWorkClosesRightAfterItWithoutAQuestion) {
  wizard::testing::ScriptedPrompter prompter;
  const int status = RunDriven(L"C:\\skip\\Setup.exe", {}, prompter,
                               [&](User& user, Win32WorkBox& box, wizard::WizardModel& model) {
                                 user.Click(Control::kButton2);
                                 user.Click(Control::kButton2);
                                 ASSERT_EQ(user.Page(), 9);
                                 // The key waits in the queue until the engine lets messages through.
                                 PostMessageW(user.Window(Control::kButton2), WM_KEYDOWN, VK_ESCAPE, 0);
                                 SendMessageW(user.Window(Control::kButton2), BM_CLICK, 0, 0);
                                 EXPECT_EQ(model.page(), 11);
                                 EXPECT_TRUE(box.closed());
                               });
  EXPECT_EQ(status, app::kExitDone);
  EXPECT_TRUE(prompter.asked.empty());
}

TEST(WorkBoxWindowTest, CleanUpWindowHasNoCloseCommandAndScalesWithTheDpi) {
  wizard::testing::ScriptedPrompter prompter;
  const int status = RunDriven(
      L"C:\\windows\\kestro.exe", {"/d", "C:\\skip"}, prompter,
      [&](User& user, Win32WorkBox& box, wizard::WizardModel&) {
        EXPECT_EQ(GetMenuState(GetSystemMenu(box.window(), FALSE), SC_CLOSE, MF_BYCOMMAND),
                  static_cast<UINT>(-1));
        SendMessageW(box.window(), WM_CLOSE, 0, 0);
        user.Press(VK_ESCAPE);
        EXPECT_FALSE(box.closed());
        EXPECT_TRUE(user.Focused(Control::kButton4));
        RECT client{};
        GetClientRect(box.window(), &client);
        EXPECT_EQ(client.right, MulDiv(340, static_cast<int>(box.dpi()), 96));
        EXPECT_EQ(client.bottom, MulDiv(112, static_cast<int>(box.dpi()), 96));
        RECT anywhere{};
        SendMessageW(box.window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&anywhere));
        GetClientRect(box.window(), &client);
        EXPECT_EQ(client.right, 680);
        RECT button{};
        GetWindowRect(user.Window(Control::kButton5), &button);
        EXPECT_EQ(button.right - button.left, 160);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(user.Window(Control::kButton5), WM_GETFONT, 0, 0)),
                   sizeof(font), &font);
        EXPECT_EQ(font.lfHeight, -24);  // 9 points at 192 dpi
        user.Click(Control::kButton5);  // closes without deleting
        EXPECT_TRUE(box.closed());
      });
  EXPECT_EQ(status, app::kExitDone);
  EXPECT_TRUE(Exists(L"C:\\skip\\Setup.dat"));
}

TEST(WorkBoxWindowTest, FavouriteAddressTooLongForItsLabelIsShortenedWithTheWholeAsToolTip) {
  const std::string address =
      "http://www.example.com/a/very/long/address/that/does/not/fit/into/its/label.html";
  CreateDirectoryW(L"C:\\fav", nullptr);
  std::ofstream(L"C:\\fav\\Setup.dat", std::ios::binary)
      << "[Define]\r\nApplication=kestro Setup "
         "1.00\r\nName=Fav\r\n[Favorites]\r\nCount=1\r\nName1=Long\r\nURL1="
      << address << "\r\n";
  wizard::testing::ScriptedPrompter prompter;
  RunDriven(L"C:\\fav\\Setup.exe", {}, prompter, [&](User& user, Win32WorkBox& box, wizard::WizardModel&) {
    user.Click(Control::kButton2);
    ASSERT_EQ(user.Page(), 8);
    const std::string shown = user.Text(Control::kLabel802);
    ASSERT_GT(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_EQ(address.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0);
    HWND tips = nullptr;
    while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) &&
           GetWindow(tips, GW_OWNER) != box.window()) {
    }
    ASSERT_NE(tips, nullptr);
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = box.window();
    tool.uId = reinterpret_cast<UINT_PTR>(user.Window(Control::kLabel802));
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(WideToUtf8(text), address);
    prompter.answers = {Answer::kYes};
    user.Click(Control::kButton3);
  });
}

// The program's own front on the screen: a user who closes the wizard by
// its title bar and answers the real message box, played from a timer that
// runs inside whichever message loop is waiting.
struct ScreenUser {
  static inline HWND background = nullptr;
  static inline bool covered = false;
  static inline bool closed_by_title_bar = false;
  static inline std::string question;
  static inline std::string question_caption;

  static void CALLBACK Act(HWND, UINT, UINT_PTR, DWORD) {
    wchar_t name[64] = {};
    if (HWND box = FindWindowW(L"#32770", nullptr); box && IsWindowVisible(box) && question.empty()) {
      wchar_t text[256] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 256);
      question = WideToUtf8(text);
      GetWindowTextW(box, text, 256);
      question_caption = WideToUtf8(text);
      PostMessageW(box, WM_COMMAND, IDYES, 0);
      return;
    }
    HWND wizard = FindWindowW(L"TWorkBox", nullptr);
    if (!wizard || !IsWindowVisible(wizard) || closed_by_title_bar) return;
    background = GetWindow(wizard, GW_OWNER);
    RECT area{};
    if (background && GetClassNameW(background, name, 64) && GetWindowRect(background, &area)) {
      covered = area.right - area.left == GetSystemMetrics(SM_CXSCREEN) &&
                area.bottom - area.top == GetSystemMetrics(SM_CYSCREEN) && IsWindowVisible(background);
    }
    closed_by_title_bar = true;
    PostMessageW(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
};

TEST(WorkBoxWindowTest, ProgramShowsTheWizardOverTheBackgroundAndAsksInAMessageBox) {
  WriteSkippingPackage();
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, ScreenUser::Act);
  std::ostringstream err;
  const int status =
      app::RunWin32SetupProgram(L"C:\\skip\\Setup.exe", {}, err, [&] { return MakeWin32WizardFront(err); });
  KillTimer(nullptr, timer);
  EXPECT_EQ(status, app::kExitRefused);
  EXPECT_TRUE(ScreenUser::closed_by_title_bar);
  EXPECT_TRUE(ScreenUser::covered) << "the wizard's owner does not cover the screen";
  EXPECT_EQ(ScreenUser::question, "インストールを中止してもよろしいですか？");
  EXPECT_EQ(ScreenUser::question_caption, "kestro Setup for Windows");
}

}  // namespace
}  // namespace setup::win32
