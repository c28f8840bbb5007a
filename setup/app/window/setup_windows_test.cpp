// Setup's windows with the real engines on temporary target systems: an
// installation and an uninstallation clicked through the wizard by control
// name, the close question on each page kind, the program's windowed start
// and its refusal without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <array>
#include <cstdio>
#include <set>
#include <sstream>

#include "platform/target_system/scoped_env_for_test.h"
#include "platform/ui/scripted_dialogs.h"
#include "platform/ui/test_application.h"
#include "setup/app/engine_binding.h"
#include "setup/app/exit_status.h"
#include "setup/app/window/backgrd_form.h"
#include "setup/app/window/background_painter.h"
#include "setup/app/window/qt_front.h"
#include "setup/app/window/work_box.h"
#include "setup/core/registry_utils.h"
#include "setup/wizard/model/wizard_test_support.h"

namespace setup::window {
namespace {

namespace fs = std::filesystem;
using platform::target::RegistryRoot;
using wizard::Answer;
using wizard::ControlName;
using wizard::WizardMode;
using wizard::WizardStart;

constexpr const char* kRecord = "Software\\Tallowmere\\kestroSetup\\Uninstall\\Sample";

constexpr const char* kScript =
    "[Define]\nName=サンプル\n"
    "[Install]\nUse=1\nDefault=C:\\Apps\\Sample\nSize=10\n"
    "[File]\nCount=1\nNewFile1=<Setup>\\app.exe\nFile1=app.exe\n"
    "[Registry]\nCount=1\nKey1=HKEY_CURRENT_USER\\Software\\Sample\nName1=Version\nData1=1.0\n"
    "[Uninstall]\nUse=1\nKeyName=Sample\nViewName=サンプル製品\n"
    "[UnFile]\nCount=1\nFile1=<Setup>\\app.exe\n"
    "[UnFolder]\nCount=1\nFolder1=<Setup>\n"
    "[UnRegistry]\nCount=1\nWay1=1\nKey1=HKEY_CURRENT_USER\\Software\\Sample\n";

class SetupWindowsTest : public wizard::testing::WizardTestBase {
 protected:
  SetupWindowsTest() { platform::ui::testing::TestApplication(); }

  // A wizard window over the real engines, shown.
  TWorkBox& Open(WizardStart start, const SetupScript& script) {
    box_.reset();
    model_.reset();
    run_ = std::make_unique<wizard::SetupRun>(
        wizard::SetupRun{system(), prompter_, log_, launcher_, progress_, {}, "C:\\PKG\\", {}});
    engines_binding_ = std::make_unique<app::EngineBinding>(*run_, script);
    model_ = std::make_unique<wizard::WizardModel>(*run_, std::move(start), *engines_binding_, &measure_);
    box_ = std::make_unique<TWorkBox>(*model_, system(), folders_);
    progress_.Attach(box_.get());
    box_->Start();
    box_->show();
    QTest::qWait(5);
    return *box_;
  }
  SetupScript Package() {
    SetupScript script = WriteScript(kScript);
    EXPECT_TRUE(system().files().WriteFile("C:\\PKG\\app.exe", "the program").ok());
    return script;
  }
  void Click(wizard::Control name) {
    auto* button = qobject_cast<QPushButton*>(box_->Widget(name));
    ASSERT_NE(button, nullptr) << ControlName(name);
    ASSERT_TRUE(button->isEnabled()) << ControlName(name) << " on page " << model_->page();
    button->click();
  }
  std::string Title() const { return box_->windowTitle().toStdString(); }
  std::vector<std::string> Asked() const {
    std::vector<std::string> texts;
    for (const wizard::Message& m : prompter_.asked) texts.push_back(m.text);
    return texts;
  }

  class NoFolders : public FolderPicker {
    bool Run(BrowseSession&, BrowseItem*) override { return false; }
  } folders_;
  WorkBoxProgress progress_;
  LabelWidthMeasure measure_;
  platform::ui::testing::ScriptedDialogs dialogs_;
  std::unique_ptr<wizard::SetupRun> run_;
  std::unique_ptr<app::EngineBinding> engines_binding_;
  std::unique_ptr<wizard::WizardModel> model_;
  std::unique_ptr<TWorkBox> box_;
};

TEST_F(SetupWindowsTest, InstallAndUninstallClickedThroughTheWizard) {
  const SetupScript script = Package();
  Open(WizardStart::Setup(script), script);
  EXPECT_EQ(Title(), "概要");
  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "インストール先");
  QTest::keyClick(box_->Widget(wizard::Control::kEdit501), Qt::Key_End);
  QTest::keyClicks(box_->Widget(wizard::Control::kEdit501), "2");
  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "インストール開始");
  Click(wizard::Control::kButton2);  // 開始: the engine runs, then the last page
  EXPECT_EQ(Title(), "インストール完了");
  EXPECT_EQ(box_->furthest_page(), 11);
  EXPECT_TRUE(system().files().Exists("C:\\Apps\\Sample2\\app.exe"));
  EXPECT_EQ(RegReadString(system(), RegistryRoot::kCurrentUser, "Software\\Sample", "Version", ""), "1.0");
  EXPECT_EQ(RegReadString(system(), RegistryRoot::kLocalMachine, kRecord, "SetupPath", ""),
            "C:\\Apps\\Sample2");
  // Every bar of a step that ran is full.
  const auto* files = qobject_cast<QProgressBar*>(box_->Widget(wizard::Control::kProgressBar1001));
  EXPECT_EQ(files->value(), files->maximum());
  // The close box taken away for the work is back.
  EXPECT_TRUE(box_->windowHandle()->flags().testFlag(Qt::WindowCloseButtonHint));
  Click(wizard::Control::kButton2);  // 終了
  EXPECT_FALSE(box_->isVisible());
  EXPECT_TRUE(Asked().empty());

  Open(WizardStart::Uninstall("Sample"), SetupScript(fs::path()));
  EXPECT_EQ(Title(), "アンインストール開始");
  prompter_.answers = {Answer::kNo};
  QTest::keyClick(box_.get(), Qt::Key_Escape);
  EXPECT_EQ(Asked(), std::vector<std::string>{"アンインストールを中止してもよろしいですか？"});
  EXPECT_TRUE(box_->isVisible());
  Click(wizard::Control::kButton2);
  EXPECT_EQ(Title(), "アンインストール完了");
  EXPECT_FALSE(system().files().Exists("C:\\Apps\\Sample2\\app.exe"));
  EXPECT_FALSE(system().files().Exists("C:\\Apps\\Sample2"));
  EXPECT_FALSE(RegKeyExists(system(), RegistryRoot::kLocalMachine, kRecord));
  Click(wizard::Control::kButton2);  // 終了
  EXPECT_FALSE(box_->isVisible());
}

TEST_F(SetupWindowsTest, CloseQuestionOnEveryInstallPageAndCancelEnds) {
  const SetupScript script = Package();
  Open(WizardStart::Setup(script), script);
  for (const char* title : {"概要", "インストール先", "インストール開始"}) {
    EXPECT_EQ(Title(), title);
    prompter_.asked.clear();
    prompter_.answers = {Answer::kNo};
    box_->close();  // the title bar's Close
    EXPECT_EQ(Asked(), std::vector<std::string>{"インストールを中止してもよろしいですか？"}) << title;
    EXPECT_TRUE(box_->isVisible()) << title;
    if (std::string(title) != "インストール開始") Click(wizard::Control::kButton2);
  }
  // A refused folder keeps the page and focuses the edit box.
  Click(wizard::Control::kButton1);
  EXPECT_EQ(Title(), "インストール先");
  qobject_cast<QLineEdit*>(box_->Widget(wizard::Control::kEdit501))->clear();
  QTest::keyClicks(box_->Widget(wizard::Control::kEdit501), "C:\\a|b");
  prompter_.asked.clear();
  Click(wizard::Control::kButton2);
  ASSERT_EQ(Asked().size(), 1u);
  EXPECT_EQ(Asked()[0], "フォルダ名に次の文字は使えません。\n * ? \" < > |\n\nC:\\a|b");
  EXPECT_EQ(box_->focusWidget(), box_->Widget(wizard::Control::kEdit501));
  prompter_.answers = {Answer::kYes};
  Click(wizard::Control::kButton3);
  EXPECT_FALSE(box_->isVisible());
  EXPECT_EQ(model_->page(), 1);
  EXPECT_EQ(box_->furthest_page(), 9);
  EXPECT_EQ(WizardExitStatus(WizardMode::kSetup, box_->furthest_page()), app::kExitRefused);
  EXPECT_FALSE(system().files().Exists("C:\\Apps\\Sample\\app.exe"));
}

TEST(WizardExitStatusTest, DoneAbortedOrRefusedByHowFarTheWizardWent) {
  EXPECT_EQ(WizardExitStatus(WizardMode::kSetup, 11), app::kExitDone);
  EXPECT_EQ(WizardExitStatus(WizardMode::kSetup, 10), app::kExitAborted);
  EXPECT_EQ(WizardExitStatus(WizardMode::kSetup, 2), app::kExitRefused);
  EXPECT_EQ(WizardExitStatus(WizardMode::kUninstall, 14), app::kExitDone);
  EXPECT_EQ(WizardExitStatus(WizardMode::kUninstall, 14, 1), app::kExitLeftovers);
  EXPECT_EQ(WizardExitStatus(WizardMode::kUninstall, 13, 1), app::kExitAborted);
  EXPECT_EQ(WizardExitStatus(WizardMode::kUninstall, 13), app::kExitAborted);
  EXPECT_EQ(WizardExitStatus(WizardMode::kUninstall, 12), app::kExitRefused);
  EXPECT_EQ(WizardExitStatus(WizardMode::kCleanUp, 0), app::kExitDone);
}

// Answers whatever modal window comes up: the close question with Yes, the
// wizard with Cancel; records the background seen meanwhile. Clicks are
// queued so that the timer is free again while the next box is open.
struct ModalAnswerer {
  static void Later(QAbstractButton* button) {
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
  }
  QTimer timer;
  bool saw_background = false;
  QSize background_size;
  int questions = 0;
  ModalAnswerer() {
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [this] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "BackgrdForm" && top->isVisible()) {
          saw_background = true;
          background_size = top->size();
        }
      }
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        ++questions;
        for (QAbstractButton* b : box->buttons()) {
          if (b->text() == "はい(&Y)") Later(b);
        }
      } else if (auto* wizard = qobject_cast<TWorkBox*>(modal)) {
        if (auto* cancel = qobject_cast<QPushButton*>(wizard->Widget(wizard::Control::kButton3));
            cancel && cancel->isEnabled()) {
          Later(cancel);
        }
      }
    });
    timer.start();
  }
};

TEST_F(SetupWindowsTest, WindowedStartPaintsTheBackgroundAndRunsTheWizardModally) {
  const SetupScript script = WriteScript("[Background]\nWay=3\nRed=10\nGreen=20\nBlue=30\n");
  run_ = std::make_unique<wizard::SetupRun>(
      wizard::SetupRun{system(), prompter_, log_, launcher_, progress_, {}, "C:\\PKG\\", {}});
  QtFront front(app::ProgramMode::kSetup);
  wizard::testing::FakeEngines engines;
  wizard::SetupRun run{system(), front.prompter(), log_, launcher_, front.progress(), {}, "C:\\PKG\\", {}};
  wizard::WizardModel model(run, WizardStart::Setup(script), engines, &measure_);
  ModalAnswerer answerer;
  EXPECT_EQ(front.ShowWizard(model), app::kExitRefused);
  EXPECT_TRUE(answerer.saw_background);
  EXPECT_EQ(answerer.background_size, QGuiApplication::primaryScreen()->geometry().size());
  EXPECT_EQ(answerer.questions, 1);
  EXPECT_EQ(model.page(), 1);
}

TEST_F(SetupWindowsTest, BackgroundPictureNamedByAWindowsPathOfTheTargetSystem) {
  ASSERT_TRUE(system().files().CreateFolderTree("C:\\PKG").ok());
  fs::path host;
  ASSERT_TRUE(system().drives().ToHostPath("C:\\PKG\\back.bmp", &host).ok());
  QImage picture(2, 2, QImage::Format_RGB32);
  picture.fill(qRgb(1, 2, 3));
  ASSERT_TRUE(picture.save(QString::fromStdString(host.string()), "BMP"));
  const SetupScript script = WriteScript("[Background]\nWay=3\nFile=c:\\pkg\\BACK.bmp\nPosition=1\n");
  TBackgrdForm form;
  form.Paint(script, system().drives(), QSize(40, 30));
  ASSERT_EQ(form.image().size(), QSize(40, 30));
  EXPECT_EQ(form.image().pixel(39, 0), qRgb(1, 2, 3));

  EXPECT_EQ(PictureHostPath("C:\\PKG\\back.bmp", system().drives()), host);
  EXPECT_TRUE(PictureHostPath("Q:\\back.bmp", system().drives()).empty());
  EXPECT_EQ(PictureHostPath("pictures/back.bmp", system().drives()),
            fs::current_path() / "pictures/back.bmp");
}

// The program as it runs, windows and all: the front's measure reaches the
// wizard, so a long favourite address is shortened with "..." on page 8 and
// shown whole in its tool tip.
TEST_F(SetupWindowsTest, TheProgramFitsLongAddressesInItsWindow) {
  const std::string address = "http://maker.example/" + std::string(150, 'a') + "/index.html";
  WriteScript("Name=サンプル\n[Favorites]\nCount=1\nName1=Maker\nURL1=" + address + "\n");
  ASSERT_TRUE(system().files().WriteFile("C:\\PKG\\Setup.exe", "the program").ok());
  fs::path program;
  ASSERT_TRUE(system().drives().ToHostPath("C:\\PKG\\Setup.exe", &program).ok());
  platform::target::testing::ScopedEnv target("KESTRO_SYSTEM", system().folder().string());
  platform::target::testing::ScopedEnv attended("KESTRO_UNATTENDED", std::nullopt);

  QString shown, tip;
  std::set<QWidget*> answered;
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || answered.count(modal) > 1) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      answered.insert(modal);
      for (QAbstractButton* b : box->buttons()) {
        if (b->text() == "はい(&Y)") ModalAnswerer::Later(b);
      }
    } else if (auto* wizard = qobject_cast<TWorkBox*>(modal)) {
      if (wizard->windowTitle() == "概要" && answered.insert(modal).second) {
        ModalAnswerer::Later(qobject_cast<QPushButton*>(wizard->Widget(wizard::Control::kButton2)));
      } else if (wizard->windowTitle() == "お気に入り" && shown.isEmpty()) {
        shown = qobject_cast<QLabel*>(wizard->Widget(wizard::Control::kLabel802))->text();
        tip = qobject_cast<QLabel*>(wizard->Widget(wizard::Control::kLabel802))->toolTip();
        ModalAnswerer::Later(qobject_cast<QPushButton*>(wizard->Widget(wizard::Control::kButton3)));
      }
    }
  });
  timer.start();
  std::ostringstream err;
  static int argc = 1;
  static char name[] = "Setup";
  static char* argv[] = {name, nullptr};
  EXPECT_EQ(app::RunSetupProgram(program, {}, err, QtFrontFactory(argc, argv)), app::kExitRefused)
      << err.str();
  EXPECT_TRUE(shown.endsWith("...")) << shown.toStdString();
  EXPECT_TRUE(address.starts_with(shown.chopped(3).toStdString())) << shown.toStdString();
  EXPECT_EQ(tip.toStdString(), address);
}

#ifdef SETUP_PROGRAM
int RunWithoutDisplay(const fs::path& program, const std::string& arguments, const fs::path& system_folder,
                      std::string* output) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM KESTRO_SYSTEM='" +
                              system_folder.string() + "' '" + program.string() + "' " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 512> buffer;
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) output->append(buffer.data(), n);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SetupWithoutDisplayTest, SetupAndTheUninstallerSaySoAndChangeNothing) {
  platform::testing::TempDir dir;
  fs::create_directories(dir / "package");
  fs::copy_file(SETUP_PROGRAM, dir / "package" / "Setup");
  fs::copy_file(SETUP_PROGRAM, dir / "package" / "kestro.exe");
  for (const auto& [name, arguments] : {std::pair{"Setup", ""}, {"kestro.exe", "/u Sample"}}) {
    std::string output;
    EXPECT_EQ(RunWithoutDisplay(dir / "package" / name, arguments, dir / "system", &output), 1) << name;
    EXPECT_NE(output.find("no display"), std::string::npos) << output;
    EXPECT_NE(output.find("/silent"), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(dir / "system")) << name;  // no target system was made
  }
}
#endif

}  // namespace
}  // namespace setup::window
