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
#include <QTest>
#include <QTimer>
#include <algorithm>
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

// The buttons' texts from left to right.
QStringList ButtonTexts(QMessageBox* box) {
  QList<QAbstractButton*> buttons = box->buttons();
  std::sort(buttons.begin(), buttons.end(),
            [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
  QStringList texts;
  for (QAbstractButton* button : buttons) texts << button->text();
  return texts;
}

QAbstractButton* Button(QMessageBox* box, const QString& text) {
  for (QAbstractButton* button : box->buttons()) {
    if (button->text() == text) return button;
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

// Escape as the user presses it: to the focused button, from which the box
// gets it.
void PressEscape(QMessageBox* box) {
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus != nullptr && box->isAncestorOf(focus) ? focus : box, Qt::Key_Escape);
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
    EXPECT_EQ(ButtonTexts(box), QStringList({"はい(&Y)", "いいえ(&N)", "キャンセル"}));
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), Button(box, "キャンセル"));
    Button(box, "いいえ(&N)")->click();
  });
  EXPECT_EQ(dialogs_.AskYesNoCancel("保存しますか？"), Answer::kNo);

  // Escape is Cancel, as on Windows.
  WhenShown<QMessageBox>([](QMessageBox* box) { PressEscape(box); });
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
  const Message failed{"ファイル削除に失敗しました。\n/a", MessageIcon::kError,
                       MessageButtons::kAbortRetryIgnore, Answer::kRetry};
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "kestro Setup for Windows");
    EXPECT_EQ(ButtonTexts(box), QStringList({"中止(&A)", "再試行(&R)", "無視(&I)"}));
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), Button(box, "再試行(&R)"));
    Button(box, "無視(&I)")->click();
  });
  EXPECT_EQ(setup.ShowMessage(failed), Answer::kIgnore);

  const Message stop{"インストールを中止してもよろしいですか？", MessageIcon::kQuestion,
                     MessageButtons::kYesNo, Answer::kNo};
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(ButtonTexts(box), QStringList({"はい(&Y)", "いいえ(&N)"}));
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), Button(box, "いいえ(&N)"));
    Button(box, "はい(&Y)")->click();
  });
  EXPECT_EQ(setup.ShowMessage(stop), Answer::kYes);
}

// Windows lets no Yes/No or Abort/Retry/Ignore box go by Escape or its close
// box (Escape on a failed folder would otherwise abort the installation); an
// OK box closes with Escape as OK.
TEST_F(QtDialogServiceTest, OnlyOkAndCancelBoxesGoByEscapeOrTheCloseBox) {
  QtDialogService setup(nullptr, {"kestro Setup for Windows"});
  for (const MessageButtons buttons : {MessageButtons::kYesNo, MessageButtons::kAbortRetryIgnore}) {
    const Answer chosen = buttons == MessageButtons::kYesNo ? Answer::kYes : Answer::kRetry;
    WhenShown<QMessageBox>([chosen](QMessageBox* box) {
      PressEscape(box);
      EXPECT_TRUE(box->isVisible());
      EXPECT_FALSE(box->close());
      EXPECT_TRUE(box->isVisible());
      EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowCloseButtonHint));
      Button(box, chosen == Answer::kYes ? "はい(&Y)" : "再試行(&R)")->click();
    });
    const Message message{"フォルダ作成に失敗しました。\nC:\\A", MessageIcon::kError, buttons, Answer::kNo};
    EXPECT_EQ(setup.ShowMessage(message), chosen);
  }
  WhenShown<QMessageBox>([](QMessageBox* box) { PressEscape(box); });
  EXPECT_EQ(setup.ShowMessage(
                {"フォルダ名を入力してください。", MessageIcon::kError, MessageButtons::kOk, Answer::kOk}),
            Answer::kOk);
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
  EXPECT_EQ(dialogs_.ChooseFile({FileDialogRequest::Mode::kSave, "", "A|*.bmp|B|*.png", "", ""}),
            std::nullopt);
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
  EXPECT_EQ(dialogs_.ChooseFile({FileDialogRequest::Mode::kSave, "",
                                 "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png", "bmp", suggested}),
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
