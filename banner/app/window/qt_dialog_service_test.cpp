#include "banner/app/window/qt_dialog_service.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "banner/app/window/test_application.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

// Runs check on the modal dialog that the next call opens.
template <typename Dialog>
void WhenShown(std::function<void(Dialog*)> check) {
  QTimer::singleShot(0, [check] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    check(dialog);
  });
}

QStringList ButtonTexts(QMessageBox* box) {
  QStringList texts;
  for (QAbstractButton* button : box->buttons()) texts << button->text();
  texts.sort();
  return texts;
}

class QtDialogServiceTest : public ::testing::Test {
 protected:
  QtDialogServiceTest() { testing::TestApplication(); }
  QtDialogService dialogs_{nullptr};
};

TEST_F(QtDialogServiceTest, QuestionIsJapaneseWithCancelAsDefault) {
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Plakato");
    EXPECT_EQ(box->text(), "保存しますか？");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(ButtonTexts(box), QStringList({"いいえ", "はい", "キャンセル"}));
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Cancel));
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(dialogs_.AskYesNoCancel("保存しますか？"), Answer::kNo);

  WhenShown<QMessageBox>([](QMessageBox* box) { box->reject(); });
  EXPECT_EQ(dialogs_.AskYesNoCancel("?"), Answer::kCancel);
}

TEST_F(QtDialogServiceTest, WarningAndErrorHaveTheirIconsAndAnOkButton) {
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Plakato");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(ButtonTexts(box), QStringList({"OK"}));
    box->accept();
  });
  dialogs_.ShowWarning("RegSetValueEx error");
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->accept();
  });
  dialogs_.ShowError("x");
}

TEST_F(QtDialogServiceTest, FileDialogTakesTheRequestAndOffersTheLastName) {
  platform::testing::TempDir temp;
  const QString chosen = QString::fromStdString((temp / "design.pkc").string());
  WhenShown<QFileDialog>([chosen](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "設定情報の保存");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->defaultSuffix(), "pkc");
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Plakato設定ﾌｧｲﾙ(*.pkc) (*.pkc)"}));
    dialog->selectFile(chosen);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const auto first = dialogs_.ChooseFile(
      {FileDialogRequest::Mode::kSave, "設定情報の保存", "Plakato設定ﾌｧｲﾙ(*.pkc)|*.pkc", "pkc"});
  EXPECT_EQ(first, chosen.toStdString());

  // The export's request: no title or extension of its own; the last name
  // comes back; cancelling returns nothing.
  WhenShown<QFileDialog>([chosen](QFileDialog* dialog) {
    EXPECT_EQ(dialog->defaultSuffix(), "");
    EXPECT_EQ(dialog->nameFilters().size(), 2);
    EXPECT_EQ(dialog->selectedFiles().value(0), chosen);
    dialog->reject();
  });
  EXPECT_EQ(dialogs_.ChooseFile({FileDialogRequest::Mode::kSave, "", "A|*.bmp|B|*.png", ""}), std::nullopt);
}

}  // namespace
}  // namespace plakato
