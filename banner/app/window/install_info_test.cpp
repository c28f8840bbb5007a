#include "banner/app/window/install_info.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

TEST(InstallInfoTest, WritesPathAndVersionAtEveryStart) {
  platform::testing::TempDir temp;
  const QString file = QString::fromStdString((temp / "Plakato.conf").string());
  {
    QSettings store(file, QSettings::IniFormat);
    store.setValue("UpdateInfo/ApplicationPath", "/old/place");
    store.setValue("Other/Key", "kept");
    ASSERT_TRUE(RecordInstallInfo(store, "/opt/plakato/"));
  }
  QSettings reread(file, QSettings::IniFormat);
  EXPECT_EQ(reread.value("UpdateInfo/ApplicationPath").toString(), "/opt/plakato");
  EXPECT_EQ(reread.value("UpdateInfo/CurrentVersion").toString(), "1.00.0000");
  EXPECT_EQ(reread.value("Other/Key").toString(), "kept");
}

TEST(InstallInfoTest, UnwritableStoreIsReported) {
  platform::testing::TempDir temp;
  // A folder where the settings file should be.
  std::filesystem::create_directories(temp / "Plakato.conf");
  QSettings store(QString::fromStdString((temp / "Plakato.conf").string()), QSettings::IniFormat);
  EXPECT_FALSE(RecordInstallInfo(store, "/opt/plakato"));
}

TEST(InstallInfoTest, ProgramFolderDropsTrailingSeparators) {
  EXPECT_EQ(ProgramFolder("/usr/bin/"), "/usr/bin");
  EXPECT_EQ(ProgramFolder("/usr/bin"), "/usr/bin");
  EXPECT_EQ(ProgramFolder("/"), "/");
}

}  // namespace
}  // namespace plakato
