// The background window reads its picture only from the target system.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>

#include "platform/ui/test_application.h"
#include "setup/app/window/backgrd_form.h"
#include "setup/wizard/model/wizard_test_support.h"

namespace setup::window {
namespace {

namespace fs = std::filesystem;

class BackgroundFileTest : public wizard::testing::WizardTestBase {
 protected:
  BackgroundFileTest() { platform::ui::testing::TestApplication(); }
  // The colour of the painted background's corner with [Background] File.
  QRgb CornerWith(const std::string& file) {
    const SetupScript script =
        WriteScript("[Background]\nWay=3\nRed=0\nGreen=0\nBlue=0\nFile=" + file + "\nPosition=2\n");
    TBackgrdForm form;
    form.Paint(script, system().drives(), QSize(20, 20));
    return form.image().pixel(0, 0);
  }
};

TEST_F(BackgroundFileTest, PicturesOutsideTheDrivesFifosAndLinksOutAreNotRead) {
  QImage red(2, 2, QImage::Format_RGB32);
  red.fill(qRgb(255, 0, 0));
  const fs::path host = system().folder().parent_path() / "host.bmp";
  ASSERT_TRUE(red.save(QString::fromStdString(host.string()), "BMP"));
  ASSERT_TRUE(system().files().CreateFolderTree("C:\\PKG").ok());
  fs::path pkg;
  ASSERT_TRUE(system().drives().ToHostPath("C:\\PKG", &pkg).ok());
  ASSERT_TRUE(red.save(QString::fromStdString((pkg / "red.bmp").string()), "BMP"));
  fs::create_symlink(host, pkg / "out.bmp");
  ASSERT_EQ(::mkfifo((pkg / "pipe.bmp").c_str(), 0600), 0);

  EXPECT_EQ(CornerWith("C:\\PKG\\red.bmp"), qRgb(255, 0, 0)) << "a picture on the drive is drawn";
  EXPECT_EQ(CornerWith(host.string()), qRgb(0, 0, 0)) << "a host file is not read";
  EXPECT_EQ(CornerWith("C:\\PKG\\out.bmp"), qRgb(0, 0, 0)) << "nor through a link out of the drive";
  EXPECT_EQ(CornerWith("C:\\PKG\\pipe.bmp"), qRgb(0, 0, 0)) << "a FIFO is not waited on";
}

}  // namespace
}  // namespace setup::window
