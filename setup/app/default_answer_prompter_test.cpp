#include "setup/app/default_answer_prompter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace setup::app {
namespace {

using wizard::Answer;
using wizard::MakeMessage;
using wizard::MessageButtons;
using wizard::MessageIcon;

TEST(DefaultAnswerPrompterTest, EachQuestionTakesItsDefaultAndIsPrinted) {
  std::ostringstream err;
  DefaultAnswerPrompter prompter(err, Answer::kAbort);
  EXPECT_EQ(prompter.Ask(MakeMessage("上書きしますか？\nC:\\A\tB", MessageIcon::kQuestion,
                                     MessageButtons::kYesNo, Answer::kNo)),
            Answer::kNo);
  EXPECT_EQ(
      prompter.Ask(MakeMessage("続けますか？", MessageIcon::kError, MessageButtons::kYesNo, Answer::kYes)),
      Answer::kYes);
  EXPECT_EQ(prompter.Ask(MakeMessage("終わり", MessageIcon::kInformation)), Answer::kOk);
  EXPECT_EQ(err.str(),
            "kestro Setup for Windows: 上書きしますか？\n  C:\\A\tB\n  -> No\n"
            "kestro Setup for Windows: 続けますか？\n  -> Yes\n"
            "kestro Setup for Windows: 終わり\n  -> OK\n");
  EXPECT_EQ(prompter.errors(), 1);
  EXPECT_EQ(prompter.ignored(), 0);
}

TEST(DefaultAnswerPrompterTest, RetryIsBoundedThenTheFallbackIsTaken) {
  std::ostringstream err;
  const auto failure = MakeMessage("フォルダ作成に失敗しました。\nC:\\X", MessageIcon::kError,
                                   MessageButtons::kAbortRetryIgnore, Answer::kRetry);
  DefaultAnswerPrompter installer(err, Answer::kAbort, 2);
  EXPECT_EQ(installer.Ask(failure), Answer::kRetry);
  EXPECT_EQ(installer.Ask(failure), Answer::kRetry);
  EXPECT_EQ(installer.Ask(failure), Answer::kAbort);

  // The uninstaller leaves the file instead, and that counts as a leftover;
  // a different question in between starts the count afresh.
  DefaultAnswerPrompter uninstaller(err, Answer::kIgnore, 2);
  const auto other = MakeMessage("ファイル削除に失敗しました。\nC:\\Y", MessageIcon::kError,
                                 MessageButtons::kAbortRetryIgnore, Answer::kRetry);
  EXPECT_EQ(uninstaller.Ask(failure), Answer::kRetry);
  EXPECT_EQ(uninstaller.Ask(other), Answer::kRetry);
  EXPECT_EQ(uninstaller.Ask(other), Answer::kRetry);
  EXPECT_EQ(uninstaller.Ask(other), Answer::kIgnore);
  EXPECT_EQ(uninstaller.ignored(), 1);
  // After the fallback the same question is retried again before giving up.
  EXPECT_EQ(uninstaller.Ask(other), Answer::kRetry);
}

}  // namespace
}  // namespace setup::app
