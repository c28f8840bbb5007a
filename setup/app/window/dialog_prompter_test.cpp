#include "setup/app/window/dialog_prompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/ui/scripted_dialogs.h"
#include "platform/ui/test_application.h"

namespace setup::window {
namespace {

using wizard::Answer;
using wizard::MakeMessage;
using wizard::MessageButtons;
using wizard::MessageIcon;

// Checks and answers the message box that the next call opens.
void WhenBoxShown(std::function<void(QMessageBox*)> check) {
  QTimer::singleShot(0, [check] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    check(box);
  });
}

QStringList ButtonTexts(QMessageBox* box) {
  QStringList texts;
  for (QAbstractButton* button : box->buttons()) texts << button->text();
  texts.sort();
  return texts;
}

TEST(DialogPrompterTest, BoxesCarryTheSetupCaptionIconsJapaneseButtonsAndDefaults) {
  platform::ui::testing::TestApplication();
  int shown_before = 0;
  auto prompter = MakeQtPrompter(nullptr);
  prompter->set_before_showing([&] { ++shown_before; });

  WhenBoxShown([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "kestro Setup for Windows");
    EXPECT_EQ(box->text(), "インストールを中止してもよろしいですか？");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(ButtonTexts(box), QStringList({"いいえ(&N)", "はい(&Y)"}));
    EXPECT_EQ(box->defaultButton()->text(), "いいえ(&N)");
    box->defaultButton()->click();
  });
  EXPECT_EQ(prompter->Ask(MakeMessage("インストールを中止してもよろしいですか？", MessageIcon::kQuestion,
                                      MessageButtons::kYesNo, Answer::kNo)),
            Answer::kNo);

  WhenBoxShown([](QMessageBox* box) {
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(ButtonTexts(box), QStringList({"中止(&A)", "再試行(&R)", "無視(&I)"}));
    EXPECT_EQ(box->defaultButton()->text(), "再試行(&R)");
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == "無視(&I)") b->click();
    }
  });
  EXPECT_EQ(prompter->Ask(MakeMessage("コピーできません。", MessageIcon::kError,
                                      MessageButtons::kAbortRetryIgnore, Answer::kRetry)),
            Answer::kIgnore);

  wizard::Message version = MakeMessage("kestro Setup for Windows", MessageIcon::kInformation);
  version.caption = "バージョン情報";
  WhenBoxShown([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "バージョン情報");
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(ButtonTexts(box), QStringList({"OK"}));
    box->defaultButton()->click();
  });
  EXPECT_EQ(prompter->Ask(version), Answer::kOk);

  WhenBoxShown([](QMessageBox* box) {
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->defaultButton()->text(), "いいえ(&N)");
    box->defaultButton()->click();
  });
  EXPECT_EQ(prompter->Ask(MakeMessage("空き容量が不足する可能性があります。", MessageIcon::kWarning,
                                      MessageButtons::kYesNo, Answer::kNo)),
            Answer::kNo);
  EXPECT_EQ(shown_before, 4);
}

TEST(DialogPrompterTest, AnswersAndCaptionsPassThroughTheService) {
  std::vector<std::string> captions;
  std::vector<platform::ui::Message> shown;
  std::deque<platform::ui::Answer> answers{platform::ui::Answer::kYes, platform::ui::Answer::kCancel,
                                           platform::ui::Answer::kAbort};
  // Each box gets a service of its own; what it was asked is kept here.
  struct Recording : platform::ui::testing::ScriptedDialogs {
    std::vector<platform::ui::Message>* out = nullptr;
    platform::ui::Answer ShowMessage(const platform::ui::Message& m) override {
      out->push_back(m);
      return ScriptedDialogs::ShowMessage(m);
    }
  };
  DialogPrompter prompter([&](const std::string& caption) {
    captions.push_back(caption);
    auto recording = std::make_unique<Recording>();
    recording->out = &shown;
    recording->answers.push_back(answers.front());
    answers.pop_front();
    return recording;
  });
  EXPECT_EQ(prompter.Ask(MakeMessage("a", MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kNo)),
            Answer::kYes);
  EXPECT_EQ(prompter.Ask(MakeMessage("b", MessageIcon::kQuestion, MessageButtons::kYesNo, Answer::kNo)),
            Answer::kNo);
  EXPECT_EQ(
      prompter.Ask(MakeMessage("c", MessageIcon::kError, MessageButtons::kAbortRetryIgnore, Answer::kRetry)),
      Answer::kAbort);
  EXPECT_EQ(captions, std::vector<std::string>(3, "kestro Setup for Windows"));
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].default_answer, platform::ui::Answer::kNo);
  EXPECT_EQ(shown[2].buttons, platform::ui::MessageButtons::kAbortRetryIgnore);
  EXPECT_EQ(shown[2].default_answer, platform::ui::Answer::kRetry);
  EXPECT_EQ(shown[2].icon, platform::ui::MessageIcon::kError);
}

}  // namespace
}  // namespace setup::window
