#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "banner/app/settings_file.h"
#include "banner/app/window/desktop_registration.h"
#include "banner/app/window/main_window.h"
#include "banner/app/window/test_application.h"
#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"
#include "platform/ui/scripted_dialogs.h"

namespace plakato {

using platform::ui::testing::ScriptedDialogs;
namespace {

namespace fs = std::filesystem;
using testing::Find;

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    testing::TestApplication();
    window_ = std::make_unique<MainWindow>(std::make_unique<BannerEditor>(BannerRenderer::CreateDefault()),
                                           &dialogs_);
    fs::create_directories(temp_ / "my designs");
    BannerEditor source(BannerRenderer::CreateDefault());
    source.SelectSize(1);
    source.SetTitleText("Loaded");
    EXPECT_TRUE(SaveSettings(source, temp_ / "my designs" / "a b.PKC").ok());
  }

  StartupContext Context(std::vector<std::string> arguments) {
    StartupContext context;
    context.install_store = &store_;
    context.application_dir = "/opt/plakato/";
    context.registrar = &registrar_;
    context.arguments = std::move(arguments);
    return context;
  }

  platform::testing::TempDir temp_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
  QSettings store_{QString::fromStdString((temp_ / "config" / "Plakato.conf").string()),
                   QSettings::IniFormat};
  DocumentTypeRegistrar registrar_{XdgDataDirs{temp_ / "data", {}}, "/opt/plakato/Plakato", nullptr};
};

TEST_F(StartupTest, FirstStartRecordsRegistersAndLoadsTheCommandLineFile) {
  const std::string folder = (temp_ / "my").string();
  window_->FormLoad(Context({"Plakato", folder, "designs/a", "b.PKC"}));
  EXPECT_EQ(Find<QLabel>(window_.get(), "labVer")->text(), "ver1.00");
  EXPECT_EQ(store_.value("UpdateInfo/ApplicationPath").toString(), "/opt/plakato");
  EXPECT_EQ(store_.value("UpdateInfo/CurrentVersion").toString(), "1.00.0000");
  EXPECT_TRUE(fs::exists(temp_ / "data/mime/packages/plakato-config.xml"));
  EXPECT_TRUE(fs::exists(temp_ / "data/applications/plakato.desktop"));
  EXPECT_EQ(Find<QComboBox>(window_.get(), "cboSize")->currentIndex(), 1);
  EXPECT_EQ(Find<QLineEdit>(window_.get(), "txtTitle")->text(), "Loaded");
  EXPECT_GT(window_->editor().render_count(), 0);
  EXPECT_TRUE(dialogs_.warnings.empty());
  EXPECT_EQ(window_->designed_height(), 507);
}

TEST_F(StartupTest, AnyOtherCommandLineStartsEmpty) {
  const std::string quoted = "\"" + (temp_ / "my designs" / "a b.PKC").string() + "\"";
  window_->FormLoad(Context({"Plakato", quoted}));
  EXPECT_EQ(window_->editor().render_count(), 0);
  EXPECT_EQ(Find<QComboBox>(window_.get(), "cboSize")->currentIndex(), -1);
  EXPECT_EQ(Find<QLabel>(window_.get(), "labVer")->text(), "ver1.00");
}

TEST_F(StartupTest, RegistrationFailureWarnsAndStartUpGoesOn) {
  ASSERT_TRUE(platform::WriteFileAtomically(temp_ / "data", "a file where the data folder should be").ok());
  window_->FormLoad(Context({"Plakato", (temp_ / "my designs" / "a b.PKC").string()}));
  EXPECT_EQ(dialogs_.warnings, (std::vector<std::string>{"RegCreateKeyEx error"}));
  EXPECT_EQ(Find<QLineEdit>(window_.get(), "txtTitle")->text(), "Loaded");
  EXPECT_EQ(store_.value("UpdateInfo/CurrentVersion").toString(), "1.00.0000");
}

}  // namespace
}  // namespace plakato
