#include "platform/ui/qt_dialog_service.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "platform/testing/temp_dir.h"
#include "platform/ui/font_dialog.h"
#include "platform/ui/name_only_icon_provider.h"
#include "platform/ui/test_application.h"

namespace platform::ui {
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
  QtDialogService dialogs_{nullptr, {"Plakato"}};
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

TEST_F(QtDialogServiceTest, InstallerBoxesCarryTheirOwnCaptionAndButtons) {
  QtDialogService setup(nullptr, {"kestro Setup for Windows"});
  const Message failed{"ファイル削除に失敗しました。\n/a", MessageIcon::kError, MessageButtons::kAbortRetryIgnore,
                       Answer::kRetry};
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "kestro Setup for Windows");
    EXPECT_EQ(ButtonTexts(box), QStringList({"中止", "再試行", "無視"}));
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Retry));
    box->button(QMessageBox::Ignore)->click();
  });
  EXPECT_EQ(setup.ShowMessage(failed), Answer::kIgnore);
  // The box cannot be closed without a choice; Escape leaves it open.
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->escapeButton(), nullptr);
    box->button(QMessageBox::Abort)->click();
  });
  EXPECT_EQ(setup.ShowMessage(failed), Answer::kAbort);

  const Message stop{"インストールを中止してもよろしいですか？", MessageIcon::kQuestion, MessageButtons::kYesNo,
                     Answer::kNo};
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::No));
    box->reject();
  });
  EXPECT_EQ(setup.ShowMessage(stop), Answer::kNo);
}

TEST_F(QtDialogServiceTest, FileDialogShowsFilterTextsAsWrittenAndOffersTheLastName) {
  platform::testing::TempDir temp;
  const QString chosen = QString::fromStdString((temp / "design.pkc").string());
  WhenShown<QFileDialog>([chosen](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "設定情報の保存");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->defaultSuffix(), "pkc");
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    EXPECT_EQ(types->currentText(), "Plakato設定ﾌｧｲﾙ(*.pkc)");
    // Listing a folder never reads a file (a /proc file or a pipe would hang).
    EXPECT_NE(dynamic_cast<NameOnlyIconProvider*>(dialog->iconProvider()), nullptr);
    dialog->selectFile(chosen);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const auto first = dialogs_.ChooseFile(
      {FileDialogRequest::Mode::kSave, "設定情報の保存", "Plakato設定ﾌｧｲﾙ(*.pkc)|*.pkc", "pkc", ""});
  EXPECT_EQ(first, chosen.toStdString());

  WhenShown<QFileDialog>([chosen](QFileDialog* dialog) {
    EXPECT_EQ(dialog->selectedFiles().value(0), chosen);
    dialog->reject();
  });
  EXPECT_EQ(dialogs_.ChooseFile({FileDialogRequest::Mode::kSave, "", "A|*.bmp|B|*.png", "", ""}), std::nullopt);
}

TEST_F(QtDialogServiceTest, ChosenTypeGivesTheExtensionOfTheOfferedAndOfABareName) {
  platform::testing::TempDir temp;
  const std::string suggested = (temp / "banner.bmp").string();
  WhenShown<QFileDialog>([](QFileDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    EXPECT_EQ(name->text(), "banner.bmp");
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    EXPECT_EQ(types->itemText(1), "PNGﾌｧｲﾙ(*.png)");
    types->setCurrentIndex(1);
    types->activated(1);
    EXPECT_EQ(name->text(), "banner.png");
    name->setText("bare");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  EXPECT_EQ(dialogs_.ChooseFile({FileDialogRequest::Mode::kSave, "", "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png",
                                 "bmp", suggested}),
            (temp / "bare.png").string());
}

TEST_F(QtDialogServiceTest, FileTypesAreNamedWithoutReadingTheFile) {
  platform::testing::TempDir temp;
  const std::string fifo = (temp / "pipe.png").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Reading a pipe without a writer blocks for ever; the test would hang.
  NameOnlyIconProvider icons;
  EXPECT_EQ(icons.type(QFileInfo(QString::fromStdString(fifo))), "-");
  EXPECT_FALSE(icons.icon(QFileInfo(QString::fromStdString(fifo))).isNull());
  const std::string picture = (temp / "x.png").string();
  std::FILE* file = std::fopen(picture.c_str(), "w");
  std::fclose(file);
  EXPECT_FALSE(icons.type(QFileInfo(QString::fromStdString(picture))).isEmpty());
}

TEST_F(QtDialogServiceTest, FontDialogOffersNeitherStrikeoutNorUnderlineNorSize) {
  WhenShown<FontDialog>([](FontDialog* dialog) {
    QStringList boxes;
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) boxes << box->text();
    EXPECT_EQ(boxes, QStringList({"太字(&B)", "斜体(&I)"}));
    EXPECT_TRUE(dialog->findChildren<QLineEdit*>().isEmpty()) << "no size entry";
    dialog->reject();
  });
  EXPECT_EQ(dialogs_.ChooseFont({"IPAPGothic", true, false, 12}), std::nullopt);
  WhenShown<FontDialog>([](FontDialog* dialog) { dialog->accept(); });
  const auto chosen = dialogs_.ChooseFont({"IPAPGothic", true, false, 12});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->face, "IPAPGothic");
  EXPECT_TRUE(chosen->bold);
}

}  // namespace
}  // namespace platform::ui
