#include "setup/app/win32/win32_prompter.h"

#include <gtest/gtest.h>

#include <vector>

namespace setup::win32 {
namespace {

using wizard::Answer;
using wizard::MakeMessage;
using wizard::MessageButtons;
using wizard::MessageIcon;

TEST(Win32PrompterTest, FlagsCarryButtonsIconAndDefaultButton) {
  struct Case {
    wizard::Message message;
    UINT flags;
  };
  const Case cases[] = {
      {MakeMessage("x", MessageIcon::kError), MB_OK | MB_ICONERROR | MB_DEFBUTTON1},
      {MakeMessage("x", MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kNo),
       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2},
      {MakeMessage("x", MessageIcon::kWarning, MessageButtons::kYesNo, Answer::kYes),
       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON1},
      {MakeMessage("x", MessageIcon::kError, MessageButtons::kAbortRetryIgnore, Answer::kRetry),
       MB_ABORTRETRYIGNORE | MB_ICONERROR | MB_DEFBUTTON2},
      {MakeMessage("x", MessageIcon::kError, MessageButtons::kAbortRetryIgnore, Answer::kIgnore),
       MB_ABORTRETRYIGNORE | MB_ICONERROR | MB_DEFBUTTON3},
      {MakeMessage("x", MessageIcon::kInformation), MB_OK | MB_ICONINFORMATION | MB_DEFBUTTON1},
      {MakeMessage("x", MessageIcon::kNone), MB_OK | MB_DEFBUTTON1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MessageBoxFlags(c.message, true), c.flags | MB_APPLMODAL) << c.message.text;
    EXPECT_EQ(MessageBoxFlags(c.message, false), c.flags | MB_TASKMODAL);
  }
}

TEST(Win32PrompterTest, BoxGetsTheTextsAndItsResultBecomesTheAnswer) {
  struct Shown {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
  };
  std::vector<Shown> shown;
  int result = IDNO;
  HWND owner = reinterpret_cast<HWND>(0x1234);
  Win32Prompter prompter([&] { return owner; },
                         [&](HWND o, const std::wstring& text, const std::wstring& caption, UINT flags) {
                           shown.push_back({o, text, caption, flags});
                           return result;
                         });
  const wizard::Message question = MakeMessage("インストールを中止してもよろしいですか？",
                                               MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kNo);
  EXPECT_EQ(prompter.Ask(question), Answer::kNo);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].owner, owner);
  EXPECT_EQ(shown[0].text, L"インストールを中止してもよろしいですか？");
  EXPECT_EQ(shown[0].caption, L"kestro Setup for Windows");
  EXPECT_EQ(shown[0].flags, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_APPLMODAL));

  result = IDYES;
  EXPECT_EQ(prompter.Ask(question), Answer::kYes);
  // A box that could not be shown answers with the default button.
  result = 0;
  EXPECT_EQ(prompter.Ask(question), Answer::kNo);
  const wizard::Message failed =
      MakeMessage("f", MessageIcon::kError, MessageButtons::kAbortRetryIgnore, Answer::kRetry);
  EXPECT_EQ(prompter.Ask(failed), Answer::kRetry);
  result = IDIGNORE;
  EXPECT_EQ(prompter.Ask(failed), Answer::kIgnore);
  result = IDABORT;
  EXPECT_EQ(prompter.Ask(failed), Answer::kAbort);
  result = IDCANCEL;
  EXPECT_EQ(prompter.Ask(question), Answer::kNo);
  owner = nullptr;
  prompter.Ask(failed);
  EXPECT_EQ(shown.back().flags & MB_TASKMODAL, UINT(MB_TASKMODAL));
}

}  // namespace
}  // namespace setup::win32
