#include "setup/wizard/engine/uninstall_engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/target_system/scoped_env_for_test.h"
#include "setup/core/ini_utils.h"
#include "setup/core/install_paths.h"
#include "setup/core/test_system.h"
#include "setup/wizard/engine/installed_file_deletion.h"
#include "setup/wizard/engine/uninstall_fixture_for_test.h"

namespace setup::wizard {
namespace {

namespace fs = std::filesystem;
using platform::target::RegistryRoot;
using testing::RecordWriter;
using testing::RunHarness;

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr RegistryRoot kClasses = RegistryRoot::kClassesRoot;
const std::string kShared = "C:\\Program Files\\Common Files\\Maker\\common.dll";

class UninstallTest : public ::testing::Test {
 protected:
  platform::target::TargetSystem& sys() { return *system_; }
  bool Exists(const std::string& path) { return sys().files().Exists(path); }
  int SharedCount(const std::string& path) {
    return RegReadInteger(sys(), kMachine, kSharedDllsKey, path, -7);
  }
  std::string Owners(const std::string& path) {
    return RegReadString(sys(), kMachine, kOwnerListKey, path, "-");
  }
  bool RecordExists(const std::string& name) { return RegKeyExists(sys(), kMachine, RecordKey(name)); }

  EngineResult Uninstall(RunHarness& h, const std::string& name, bool recycle = false) {
    return RunUninstallEngine(h.run, name, recycle, ComputeUninstallMaxima(h.run, name));
  }

  setup::testing::TestSystem system_;
};

// Two products share one file; either may go first, and the last one's
// question may be answered either way.
class SharedFileTest : public UninstallTest, public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(SharedFileTest, CountsDownThenAsksTheLastOwner) {
  const auto [first_is_a, delete_it] = GetParam();
  const std::string first = first_is_a ? "ProductA" : "ProductB";
  const std::string second = first_is_a ? "ProductB" : "ProductA";
  for (const std::string name : {"ProductA", "ProductB"}) {
    testing::InstallSharedFile(sys(), kShared, name);
    RecordWriter(sys(), name).File(kShared, 1);
  }
  ASSERT_EQ(SharedCount(kShared), 2);

  RunHarness one(sys());
  EXPECT_EQ(Uninstall(one, first), EngineResult::kCompleted);
  EXPECT_TRUE(one.prompter.asked.empty());
  EXPECT_TRUE(Exists(kShared));
  EXPECT_EQ(SharedCount(kShared), 1);
  EXPECT_EQ(Owners(kShared), OwnerMark(second));
  EXPECT_FALSE(RecordExists(first));
  EXPECT_EQ(one.log.LinesOf("SHARED").size(), 1u);

  RunHarness two(sys());
  two.prompter.answers = {delete_it ? Answer::kYes : Answer::kNo};
  EXPECT_EQ(Uninstall(two, second), EngineResult::kCompleted);
  ASSERT_EQ(two.prompter.asked.size(), 1u);
  EXPECT_NE(two.prompter.asked[0].text.find("使用されていません"), std::string::npos);
  EXPECT_NE(two.prompter.asked[0].text.find(kShared), std::string::npos);
  EXPECT_EQ(two.prompter.asked[0].default_answer, Answer::kYes);
  EXPECT_EQ(Exists(kShared), !delete_it);
  EXPECT_EQ(SharedCount(kShared), delete_it ? -7 : 0);
  EXPECT_EQ(Owners(kShared), "-");
  // A deleted file's emptied folder goes with it.
  EXPECT_EQ(sys().files().IsFolder("C:\\Program Files\\Common Files\\Maker"), !delete_it);
}

INSTANTIATE_TEST_SUITE_P(OrderAndAnswer, SharedFileTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

TEST_F(UninstallTest, SharedFileWithoutThisProductsMarkIsLeftAlone) {
  testing::InstallSharedFile(sys(), kShared, "Other");
  RecordWriter(sys(), "Mine").File(kShared, 1);
  RunHarness h(sys());
  EXPECT_EQ(Uninstall(h, "Mine"), EngineResult::kCompleted);
  EXPECT_TRUE(h.prompter.asked.empty());
  EXPECT_TRUE(Exists(kShared));
  EXPECT_EQ(SharedCount(kShared), 1);
  EXPECT_EQ(Owners(kShared), OwnerMark("Other"));
}

TEST_F(UninstallTest, AssociationsAreRestoredOnlyWhenStillOwned) {
  // txt had an association before; pkc had none; doc was taken over later.
  ASSERT_TRUE(RegWriteString(sys(), kClasses, ".txt", "", "txtfile").ok());
  ASSERT_TRUE(RegWriteString(sys(), kClasses, ".txt\\ShellNew", "NullFile", "").ok());
  for (const std::string ext : {"txt", "pkc", "doc"}) testing::Associate(sys(), ext, "Mine");
  testing::Associate(sys(), "doc", "Other");
  RecordWriter record(sys(), "Mine");
  for (const std::string ext : {"txt", "pkc", "doc"}) record.Extension(ext);

  RunHarness h(sys());
  EXPECT_EQ(Uninstall(h, "Mine"), EngineResult::kCompleted);
  EXPECT_EQ(RegReadString(sys(), kClasses, ".txt", "", ""), "txtfile");
  EXPECT_TRUE(RegKeyExists(sys(), kClasses, ".txt\\ShellNew"));
  EXPECT_EQ(RegReadString(sys(), kClasses, ".txt", "Owner", "-"), "-");
  EXPECT_FALSE(RegKeyExists(sys(), kClasses, "kestroBackup-txt"));
  EXPECT_FALSE(RegKeyExists(sys(), kClasses, "kestro-txt"));
  EXPECT_FALSE(RegKeyExists(sys(), kClasses, ".pkc"));
  EXPECT_FALSE(RegKeyExists(sys(), kClasses, "kestro-pkc"));
  EXPECT_FALSE(RegKeyExists(sys(), kClasses, "kestroBackup-pkc"));
  EXPECT_EQ(RegReadString(sys(), kClasses, ".doc", "Owner", ""), "Other");
  EXPECT_TRUE(RegKeyExists(sys(), kClasses, "kestro-doc"));
  EXPECT_TRUE(RegKeyExists(sys(), kClasses, "kestroBackup-doc"));
  EXPECT_EQ(h.log.LinesOf("ASSOC").size(), 3u);
  EXPECT_EQ(h.log.LinesOf("NOTIFY").size(), 1u);
}

TEST_F(UninstallTest, RegistryIniRunAndRecordAreUndone) {
  ASSERT_TRUE(
      RegWriteString(sys(), RegistryRoot::kCurrentUser, "Software\\Maker\\App\\Options", "Size", "3").ok());
  ASSERT_TRUE(RegWriteString(sys(), RegistryRoot::kCurrentUser, "Software\\Maker\\Keep", "Flag", "1").ok());
  ASSERT_TRUE(IniWriteString(sys(), "C:\\App\\app.ini", "User", "Name", "taro").ok() ||
              (sys().files().CreateFolderTree("C:\\App").ok() &&
               IniWriteString(sys(), "C:\\App\\app.ini", "User", "Name", "taro").ok()));
  ASSERT_TRUE(RegWriteString(sys(), kMachine, RecordKey("Other"), "Name", "Other").ok());
  RecordWriter record(sys(), "Mine");
  record.UnRun("\"C:\\App\\unreg.exe\" /quiet");
  record.Registry(1, "HKEY_CURRENT_USER\\Software\\Maker\\App", "", "");
  record.Registry(0, "HKEY_CURRENT_USER\\Software\\Maker\\Keep", "Flag", "0", 1);
  record.Registry(0, "hkey_current_user\\Software\\Maker\\Lower", "X", "1");
  record.Ini(2, "C:\\App\\app.ini", "User", "Name", "");

  RunHarness h(sys());
  const StepMaxima maxima = ComputeUninstallMaxima(h.run, "Mine");
  EXPECT_EQ(maxima, (StepMaxima{1, 0, 0, 0, 3 + 1 + 0 + 1}));
  EXPECT_EQ(RunUninstallEngine(h.run, "Mine", false, maxima), EngineResult::kCompleted);
  EXPECT_EQ(h.launcher.waited, std::vector<std::string>{"\"C:\\App\\unreg.exe\" /quiet"});
  EXPECT_EQ(h.progress.brought_to_front, 1);  // the wizard is in front again
  EXPECT_FALSE(RegKeyExists(sys(), RegistryRoot::kCurrentUser, "Software\\Maker\\App"));
  EXPECT_EQ(RegReadInteger(sys(), RegistryRoot::kCurrentUser, "Software\\Maker\\Keep", "Flag", -1), 0);
  EXPECT_FALSE(RegKeyExists(sys(), RegistryRoot::kCurrentUser, "Software\\Maker\\Lower"));
  EXPECT_EQ(IniReadString(sys(), "C:\\App\\app.ini", "User", "Name", "-"), "-");
  EXPECT_FALSE(RecordExists("Mine"));
  EXPECT_TRUE(RecordExists("Other"));
  EXPECT_FALSE(RegKeyExists(sys(), kMachine, std::string(kSystemUninstallKey) + "\\Mine"));
  EXPECT_EQ(RegReadInteger(sys(), kMachine, kSettingKey, "DeleteToDustBox", -1), 0);
  EXPECT_EQ(h.log.LinesOf("REG").size(), 3u);
  EXPECT_EQ(h.log.LinesOf("INI").size(), 1u);
  EXPECT_EQ(h.log.LinesOf("RUN").size(), 1u);
}

TEST_F(UninstallTest, LastProductLeavesNoEmptyRecordKeys) {
  ASSERT_TRUE(RegDeleteValue(sys(), kMachine, kUninstallRecordRoot, "kestro.exe").ok());
  RecordWriter(sys(), "Only").Folder("C:\\App");
  ASSERT_TRUE(RegDeleteValue(sys(), kMachine, kUninstallRecordRoot, "kestro.exe").ok());
  RunHarness h(sys());
  EXPECT_EQ(Uninstall(h, "Only"), EngineResult::kCompleted);
  EXPECT_FALSE(RegKeyExists(sys(), kMachine, kUninstallRecordRoot));
  // The settings key holds the remembered choice and keeps the parents.
  EXPECT_TRUE(RegKeyExists(sys(), kMachine, "Software\\Tallowmere\\kestroSetup"));
}

TEST_F(UninstallTest, RecycleChoiceSendsFilesToTheBinAndIsRemembered) {
  const platform::testing::TempDir data;
  platform::target::testing::ScopedEnv xdg("XDG_DATA_HOME", data.path().string());
  testing::MakeFile(sys(), "C:\\App\\app.exe", "program");
  RecordWriter(sys(), "Mine").File("C:\\App\\app.exe");
  RunHarness h(sys());
  EXPECT_EQ(Uninstall(h, "Mine", true), EngineResult::kCompleted);
  EXPECT_FALSE(Exists("C:\\App\\app.exe"));
  EXPECT_TRUE(fs::exists(data.path() / "Trash" / "files" / "app.exe"));
  EXPECT_FALSE(sys().files().IsFolder("C:\\App"));
  EXPECT_EQ(RegReadInteger(sys(), kMachine, kSettingKey, "DeleteToDustBox", -1), 1);
  EXPECT_EQ(h.log.LinesOf("RECYCLE").size(), 1u);
}

TEST_F(UninstallTest, FoldersAndShortcutsGoWithTheirEmptyParents) {
  const std::string programs = GetShellFolder(sys(), "Programs");
  const std::string group = JoinPath(programs, "Maker\\App");
  testing::MakeFile(sys(), group + "\\App.lnk");
  testing::MakeFile(sys(), group + "\\Readme.lnk");
  testing::MakeFile(sys(), "C:\\Program Files\\Maker\\App\\bin\\app.exe");
  testing::MakeFile(sys(), "C:\\Program Files\\Maker\\App\\user.dat");  // made by the product
  ASSERT_TRUE(sys().files().CreateFolderTree("C:\\Program Files\\Maker\\App\\logs\\old").ok());
  RecordWriter record(sys(), "Mine");
  record.File("C:\\Program Files\\Maker\\App\\bin\\app.exe");
  record.Folder("C:\\Program Files\\Maker\\App\\logs");  // parent before its child
  record.Folder("C:\\Program Files\\Maker\\App\\logs\\old");
  record.Link(group + "\\App.lnk");
  record.Link(group + "\\Readme.lnk");
  record.Link(group + "\\Missing.lnk");

  RunHarness h(sys());
  EXPECT_EQ(Uninstall(h, "Mine"), EngineResult::kCompleted);
  EXPECT_FALSE(sys().files().IsFolder("C:\\Program Files\\Maker\\App\\logs"));
  EXPECT_FALSE(sys().files().IsFolder("C:\\Program Files\\Maker\\App\\bin"));
  EXPECT_TRUE(Exists("C:\\Program Files\\Maker\\App\\user.dat"));
  EXPECT_FALSE(sys().files().IsFolder(JoinPath(programs, "Maker")));
  EXPECT_TRUE(sys().files().IsFolder(programs));  // holds Startup, a protected folder
  EXPECT_EQ(h.log.LinesOf("DELETE").size(), 3u);
}

// A product installed onto the package's drive of its run (D: here) is
// uninstalled without that drive: its paths are left and reported, never
// counted as deleted.
TEST_F(UninstallTest, PathsOnADriveTheSystemDoesNotHaveAreReportedAsLeft) {
  ASSERT_EQ(sys().drives().FindDrive('D'), nullptr);
  for (const bool recycle : {false, true}) {
    testing::MakeFile(sys(), "C:\\App\\here.dll");
    RecordWriter record(sys(), "Mine");
    record.File("D:\\App\\App.exe");
    record.File("C:\\App\\here.dll");
    record.Folder("D:\\App");
    record.Link("d:\\App\\App.lnk");
    RunHarness h(sys());
    EXPECT_EQ(Uninstall(h, "Mine", recycle), EngineResult::kCompleted);
    EXPECT_EQ(h.log.LinesOf("KEEP"),
              (std::vector<std::string>{"KEEP\tD:\\App\\App.exe\ton a drive the system does not have",
                                        "KEEP\tD:\\App\ton a drive the system does not have",
                                        "KEEP\td:\\App\\App.lnk\ton a drive the system does not have"}));
    EXPECT_EQ(h.log.leftovers(), 3);
    EXPECT_TRUE(h.prompter.asked.empty());
    EXPECT_FALSE(Exists("C:\\App\\here.dll"));
  }
}

class StuckFileTest : public UninstallTest {
 protected:
  void SetUp() override {
    testing::MakeFile(sys(), "C:\\App\\a.dll");
    testing::MakeFile(sys(), "C:\\Locked\\stuck.dll");
    testing::MakeFile(sys(), "C:\\App\\z.dll");
    RecordWriter record(sys(), "Mine");
    record.File("C:\\App\\a.dll");
    record.File("C:\\Locked\\stuck.dll");
    record.File("C:\\App\\z.dll");
    fs::path host;
    ASSERT_TRUE(sys().drives().ToHostPath("C:\\Locked\\stuck.dll", &host).ok());
    lock_ = std::make_unique<testing::Undeletable>(host);
    if (!lock_->works()) GTEST_SKIP() << "no way to make an undeletable file here";
  }
  std::unique_ptr<testing::Undeletable> lock_;
};

TEST_F(StuckFileTest, AbortConfirmedStopsAndKeepsTheRecord) {
  RunHarness h(sys());
  h.prompter.answers = {Answer::kRetry, Answer::kAbort, Answer::kNo, Answer::kAbort, Answer::kYes};
  EXPECT_EQ(Uninstall(h, "Mine"), EngineResult::kAborted);
  ASSERT_EQ(h.prompter.asked.size(), 5u);
  EXPECT_EQ(h.prompter.asked[0].default_answer, Answer::kRetry);
  EXPECT_EQ(h.prompter.asked[2].text, "アンインストールを中止してもよろしいですか？");
  EXPECT_EQ(h.prompter.asked[2].default_answer, Answer::kNo);
  EXPECT_FALSE(Exists("C:\\App\\a.dll"));
  EXPECT_TRUE(Exists("C:\\App\\z.dll"));
  EXPECT_TRUE(RecordExists("Mine"));
  EXPECT_TRUE(RegKeyExists(sys(), kMachine, std::string(kSystemUninstallKey) + "\\Mine"));
  EXPECT_EQ(h.log.LinesOf("ABORT"), std::vector<std::string>{"ABORT\tuninstall\tMine"});
}

TEST_F(StuckFileTest, EndlessRetryIsCappedAndTheFileLeft) {
  testing::FixedPrompter retry(Answer::kRetry);
  RunHarness h(sys(), &retry);
  EXPECT_EQ(Uninstall(h, "Mine"), EngineResult::kCompleted);
  EXPECT_EQ(retry.count, kMaxDeleteAttempts - 1);
  EXPECT_TRUE(Exists("C:\\Locked\\stuck.dll"));
  EXPECT_FALSE(Exists("C:\\App\\z.dll"));
  EXPECT_FALSE(RecordExists("Mine"));
  ASSERT_EQ(h.log.LinesOf("KEEP").size(), 1u);
  EXPECT_NE(h.log.LinesOf("KEEP")[0].find("stuck.dll"), std::string::npos);
}

TEST_F(StuckFileTest, AbortThenNoForEverIsCappedToo) {
  RunHarness h(sys());
  for (int i = 0; i < 200; ++i)
    h.prompter.answers.insert(h.prompter.answers.end(), {Answer::kAbort, Answer::kNo});
  EXPECT_EQ(Uninstall(h, "Mine"), EngineResult::kCompleted);
  EXPECT_EQ(h.prompter.asked.size(), 2u * (kMaxDeleteAttempts - 1));
}

TEST_F(UninstallTest, DeletionNeverFollowsALinkOutOfTheDrive) {
  const platform::testing::TempDir outside;
  std::ofstream(outside / "secret.txt") << "keep me";
  fs::create_directories(outside / "empty");
  ASSERT_TRUE(sys().files().CreateFolderTree("C:\\App").ok());
  fs::path app;
  ASSERT_TRUE(sys().drives().ToHostPath("C:\\App", &app).ok());
  fs::create_directory_symlink(outside.path(), app / "out");
  fs::create_symlink(outside / "secret.txt", app / "secret.lnk");
  RecordWriter record(sys(), "Mine");
  record.File("C:\\App\\out\\secret.txt");
  record.Link("C:\\App\\secret.lnk");
  record.Folder("C:\\App\\out\\empty");

  RunHarness h(sys());
  EXPECT_EQ(Uninstall(h, "Mine"), EngineResult::kCompleted);
  EXPECT_TRUE(fs::exists(outside / "secret.txt"));
  EXPECT_TRUE(fs::exists(outside / "empty"));
  EXPECT_EQ(h.log.LinesOf("KEEP").size(), 2u);
  // A link standing for a file is deleted itself, never its target.
  EXPECT_FALSE(fs::is_symlink(app / "secret.lnk"));
  EXPECT_EQ(h.log.LinesOf("DELETE").size(), 1u);
}

TEST_F(UninstallTest, UnusableNamesAndDamagedCountsTouchNothingElse) {
  RecordWriter(sys(), "Other").Folder("C:\\Other");
  RunHarness h(sys());
  EXPECT_EQ(ComputeUninstallMaxima(h.run, ""), StepMaxima{});
  EXPECT_EQ(RunUninstallEngine(h.run, "", false, StepMaxima{1, 1, 1, 1, 1}), EngineResult::kAborted);
  EXPECT_EQ(RunUninstallEngine(h.run, "Other\\", false, StepMaxima{1, 1, 1, 1, 1}), EngineResult::kAborted);
  EXPECT_TRUE(RecordExists("Other"));

  RecordWriter damaged(sys(), "Damaged");
  damaged.File("C:\\App\\one.dll");
  damaged.SetCount("UnFile", 2000000000);
  damaged.SetCount("UnRegistry", -5);
  EXPECT_EQ(ComputeUninstallMaxima(h.run, "Damaged"), (StepMaxima{0, 1, 0, 0, 1}));
}

TEST_F(UninstallTest, RestartIsAskedOnlyWhenChosen) {
  RunHarness h(sys());
  RunUninstallFinish(h.run, false);
  EXPECT_TRUE(h.prompter.asked.empty());
  h.prompter.answers = {Answer::kNo};
  RunUninstallFinish(h.run, true);
  EXPECT_EQ(h.launcher.restarts, 0);
  RunUninstallFinish(h.run, true);  // the default, Yes
  EXPECT_EQ(h.launcher.restarts, 1);
  ASSERT_EQ(h.prompter.asked.size(), 2u);
  EXPECT_EQ(h.prompter.asked[1].default_answer, Answer::kYes);
}

}  // namespace
}  // namespace setup::wizard
