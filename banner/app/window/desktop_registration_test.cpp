#include "banner/app/window/desktop_registration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include <QImage>

#include "banner/app/window/application_setup.h"
#include "banner/app/window/test_application.h"
#include "platform/atomic_file.h"
#include "platform/testing/temp_dir.h"

namespace plakato {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Outcome = RegistrationResult::Outcome;

std::string Read(const fs::path& path) {
  std::string text;
  EXPECT_TRUE(platform::ReadWholeFile(path, text).ok()) << path;
  return text;
}

bool WriteWithFolders(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  return platform::WriteFileAtomically(path, text).ok();
}

class DocumentTypeRegistrarTest : public ::testing::Test {
 protected:
  XdgDataDirs Dirs() const { return {temp_ / "home", {temp_ / "system"}}; }
  DocumentTypeRegistrar Registrar(const fs::path& program) {
    return DocumentTypeRegistrar(Dirs(), program,
                                 [this](const std::string& tool, const std::vector<std::string>& args) {
                                   tools_.push_back(tool + " " + (args.empty() ? "" : args[0]));
                                 });
  }

  platform::testing::TempDir temp_;
  std::vector<std::string> tools_;
};

TEST_F(DocumentTypeRegistrarTest, FirstStartWritesPackageAndDesktopEntryThenRefreshes) {
  DocumentTypeRegistrar registrar = Registrar("/opt/plakato/Plakato");
  EXPECT_FALSE(registrar.IsRegistered());
  const RegistrationResult result = registrar.RegisterIfNew();
  EXPECT_EQ(result.outcome, Outcome::kRegistered);
  EXPECT_EQ(result.message, "");

  const std::string package = Read(temp_ / "home/mime/packages/plakato-config.xml");
  EXPECT_THAT(package, HasSubstr("<mime-type type=\"application/x-plakato-config\">"));
  EXPECT_THAT(package, HasSubstr("<glob pattern=\"*.pkc\"/>"));
  EXPECT_THAT(package, HasSubstr("<comment>Plakato設定ファイル</comment>"));
  const std::string entry = Read(temp_ / "home/applications/plakato.desktop");
  EXPECT_THAT(entry, HasSubstr("\nExec=\"/opt/plakato/Plakato\" %f\n"));
  EXPECT_THAT(entry, HasSubstr("\nMimeType=application/x-plakato-config;\n"));
  EXPECT_THAT(entry, HasSubstr("\nName=Plakato\n"));
  EXPECT_THAT(entry, HasSubstr("\nIcon=plakato\n"));
  EXPECT_THAT(package, HasSubstr("<icon name=\"application-x-plakato-config\"/>"));
  EXPECT_EQ(tools_,
            (std::vector<std::string>{"update-mime-database " + (temp_ / "home/mime").string(),
                                      "update-desktop-database " + (temp_ / "home/applications").string()}));
  EXPECT_TRUE(registrar.IsRegistered());
}

TEST_F(DocumentTypeRegistrarTest, LaterStartsWriteNothingEvenAfterTheProgramMoved) {
  ASSERT_EQ(Registrar("/old/Plakato").RegisterIfNew().outcome, Outcome::kRegistered);
  tools_.clear();
  EXPECT_EQ(Registrar("/new/place/Plakato").RegisterIfNew().outcome, Outcome::kAlreadyRegistered);
  EXPECT_THAT(Read(temp_ / "home/applications/plakato.desktop"), HasSubstr("\"/old/Plakato\""));
  EXPECT_TRUE(tools_.empty());
}

TEST_F(DocumentTypeRegistrarTest, AnotherProgramsGlobKeepsItsMeaning) {
  ASSERT_TRUE(WriteWithFolders(temp_ / "system/mime/globs2",
                               "# comment\n50:text/x-other:*.txt\n50:application/x-other:*.PKC\n"));
  EXPECT_EQ(Registrar("/opt/Plakato").RegisterIfNew().outcome, Outcome::kAlreadyRegistered);
  EXPECT_FALSE(fs::exists(temp_ / "home/mime/packages/plakato-config.xml"));
  EXPECT_FALSE(fs::exists(temp_ / "home/applications/plakato.desktop"));
}

TEST_F(DocumentTypeRegistrarTest, UnrelatedGlobsDoNotCount) {
  ASSERT_TRUE(WriteWithFolders(temp_ / "system/mime/globs2",
                               "50:text/x-a:*.pkcx\n50:text/x-b:pkc\n50:text/x-c:*.pk\n"));
  ASSERT_TRUE(WriteWithFolders(temp_ / "system/mime/globs", "text/x-d:*.pkc.bak\n"));
  EXPECT_EQ(Registrar("/opt/Plakato").RegisterIfNew().outcome, Outcome::kRegistered);
}

TEST_F(DocumentTypeRegistrarTest, FailuresReportTheRegistryWarnings) {
  // A file where the mime folder should be: the folders cannot be created.
  ASSERT_TRUE(WriteWithFolders(temp_ / "home/mime", "not a folder"));
  RegistrationResult result = Registrar("/opt/Plakato").RegisterIfNew();
  EXPECT_EQ(result.outcome, Outcome::kCreateFailed);
  EXPECT_EQ(result.message, "RegCreateKeyEx error");
  EXPECT_TRUE(tools_.empty());

  // A folder where the desktop entry should be: the write fails, nothing is
  // refreshed.
  fs::remove(temp_ / "home/mime");
  fs::create_directories(temp_ / "home/applications/plakato.desktop");
  result = Registrar("/opt/Plakato").RegisterIfNew();
  EXPECT_EQ(result.outcome, Outcome::kWriteFailed);
  EXPECT_EQ(result.message, "RegSetValueEx error");
  EXPECT_FALSE(result.detail.empty());
  EXPECT_TRUE(tools_.empty());
}

TEST(DesktopExecArgumentTest, QuotesAndEscapesThePath) {
  EXPECT_EQ(DesktopExecArgument("/opt/My Apps/Plakato"), "\"/opt/My Apps/Plakato\"");
  // $ and " are escaped for the quoting (one backslash), and that backslash
  // is escaped again for the string value.
  EXPECT_EQ(DesktopExecArgument("/a$b\"c"), "\"/a\\\\$b\\\\\"c\"");
  EXPECT_EQ(DesktopExecArgument("/100%/P"), "\"/100%%/P\"");
  EXPECT_EQ(DesktopExecArgument("/a\nb"), "");
}

TEST(XdgDataDirsTest, DefaultsAndRelativeEntries) {
  const char* saved_home = std::getenv("XDG_DATA_HOME");
  const char* saved_dirs = std::getenv("XDG_DATA_DIRS");
  const std::string home_copy = saved_home ? saved_home : "";
  const std::string dirs_copy = saved_dirs ? saved_dirs : "";

  setenv("XDG_DATA_HOME", "relative/path", 1);
  setenv("XDG_DATA_DIRS", "/a:rel:/b/", 1);
  XdgDataDirs dirs = XdgDataDirsFromEnvironment();
  EXPECT_EQ(dirs.data_home, fs::path(std::getenv("HOME")) / ".local/share");
  EXPECT_EQ(dirs.data_dirs, (std::vector<fs::path>{"/a", "/b/"}));

  setenv("XDG_DATA_HOME", "/x/data", 1);
  unsetenv("XDG_DATA_DIRS");
  dirs = XdgDataDirsFromEnvironment();
  EXPECT_EQ(dirs.data_home, fs::path("/x/data"));
  EXPECT_EQ(dirs.data_dirs, (std::vector<fs::path>{"/usr/local/share/", "/usr/share/"}));

  if (saved_home)
    setenv("XDG_DATA_HOME", home_copy.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
  if (saved_dirs)
    setenv("XDG_DATA_DIRS", dirs_copy.c_str(), 1);
  else
    unsetenv("XDG_DATA_DIRS");
}

TEST_F(DocumentTypeRegistrarTest, WritesTheDrawnIconsIntoTheUserIconTheme) {
  testing::TestApplication();
  DocumentTypeRegistrar registrar = Registrar("/opt/plakato/Plakato");
  registrar.SetIconPainter(IconPng);
  ASSERT_EQ(registrar.RegisterIfNew().outcome, Outcome::kRegistered);
  for (int size : {16, 32, 48}) {
    const fs::path document = temp_ / "home/icons/hicolor" /
                              (std::to_string(size) + "x" + std::to_string(size)) /
                              "mimetypes/application-x-plakato-config.png";
    ASSERT_EQ(registrar.icon_path(size, true), document);
    const QImage icon(QString::fromStdString(document.string()));
    EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    const QImage program(QString::fromStdString(registrar.icon_path(size, false).string()));
    EXPECT_EQ(program.size(), QSize(size, size));
    EXPECT_NE(icon, program) << "the document has an icon of its own";
  }
}

}  // namespace
}  // namespace plakato
