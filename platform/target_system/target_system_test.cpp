#include "platform/target_system/folder_system.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/private_profile.h"
#include "platform/target_system/fresh_layout.h"
#include "platform/target_system/scoped_env_for_test.h"
#include "platform/target_system/system_location.h"
#include "platform/testing/temp_dir.h"

namespace platform::target {
namespace {

namespace fs = std::filesystem;
using platform::testing::TempDir;
using testing::ScopedEnv;
constexpr RegistryRoot kHklm = RegistryRoot::kLocalMachine;
constexpr RegistryRoot kHkcu = RegistryRoot::kCurrentUser;

std::unique_ptr<FolderSystem> Make(const fs::path& folder, int os_kind, std::string windows = "") {
  std::unique_ptr<FolderSystem> system;
  Status s = FolderSystem::Create(folder, InitOptions{os_kind, "taro", std::move(windows)}, &system);
  EXPECT_TRUE(s.ok()) << s.ToString();
  return system;
}

std::string Read(TargetSystem& system, RegistryRoot root, std::string_view key, std::string_view name) {
  RegistryValue v;
  return system.registry().GetValue(root, key, name, &v).ok() ? v.data : "<missing>";
}

TEST(TargetSystemTest, Windows2000HasProfilesUnderDocumentsAndSettings) {
  TempDir dir;
  auto system = Make(dir / "sys", 202);
  ASSERT_TRUE(system);
  EXPECT_EQ(system->system_folder(), "C:\\WINDOWS\\SYSTEM32");
  const SystemFiles& files = system->files();
  for (const char* folder :
       {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\TEMP", "C:\\Program Files\\Common Files",
        "C:\\Documents and Settings\\taro\\デスクトップ",
        "C:\\Documents and Settings\\taro\\スタート メニュー\\プログラム\\スタートアップ",
        "C:\\Documents and Settings\\All Users\\デスクトップ",
        "C:\\Documents and Settings\\All Users\\スタート メニュー\\プログラム\\スタートアップ",
        "C:\\Documents and Settings\\taro\\SendTo", "C:\\Documents and Settings\\taro\\Favorites",
        "C:\\Documents and Settings\\taro\\My Documents",
        "C:\\Documents and Settings\\taro\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch"}) {
    EXPECT_TRUE(files.IsFolder(folder)) << folder;
  }
  EXPECT_TRUE(fs::is_directory(dir / "sys" / "drive_c" / "Documents and Settings" / "taro" / "デスクトップ"));
  EXPECT_EQ(Read(*system, kHklm, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                 "ProfilesDirectory"),
            "%SystemDrive%\\Documents and Settings");
  EXPECT_EQ(Read(*system, kHklm, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner"),
            "taro");
  EXPECT_EQ(Read(*system, kHklm, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOrganization"),
            "");
  // What the folder rules read first stays absent, so their fallbacks apply.
  EXPECT_EQ(Read(*system, kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"),
            "<missing>");
  EXPECT_TRUE(system->registry()
                  .OpenKey(kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")
                  .IsNotFound());
}

TEST(TargetSystemTest, Windows98KeepsEverythingInTheWindowsFolder) {
  TempDir dir;
  auto system = Make(dir / "sys", 102);
  ASSERT_TRUE(system);
  EXPECT_EQ(system->system_folder(), "C:\\WINDOWS\\SYSTEM");
  for (const char* folder : {"C:\\WINDOWS\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ｽﾀｰﾄｱｯﾌﾟ", "C:\\WINDOWS\\ﾃﾞｽｸﾄｯﾌﾟ",
                             "C:\\My Documents", "C:\\WINDOWS\\SendTo", "C:\\WINDOWS\\Favorites",
                             "C:\\WINDOWS\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch"}) {
    EXPECT_TRUE(system->files().IsFolder(folder)) << folder;
  }
  EXPECT_FALSE(system->files().Exists("C:\\Documents and Settings"));
  EXPECT_EQ(Read(*system, kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner"), "taro");
  EXPECT_TRUE(
      system->registry().OpenKey(kHklm, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion").IsNotFound());
}

TEST(TargetSystemTest, Nt4ProfilesLiveUnderTheWindowsFolder) {
  SystemSettings settings;
  settings.os_kind = 201;
  settings.user_name = "taro";
  settings.windows_folder = "C:\\WINNT";
  const std::vector<std::string> folders = FreshInstallFolders(settings);
  for (const char* expected :
       {"C:\\WINNT\\Profiles\\taro\\ﾃﾞｽｸﾄｯﾌﾟ", "C:\\WINNT\\Profiles\\All Users\\ﾃﾞｽｸﾄｯﾌﾟ",
        "C:\\WINNT\\Profiles\\taro\\Personal"}) {
    EXPECT_NE(std::find(folders.begin(), folders.end(), expected), folders.end()) << expected;
  }
}

TEST(TargetSystemTest, SettingsSurviveReopeningAndHandEdits) {
  TempDir dir;
  ASSERT_TRUE(Make(dir / "sys", 202, "c:\\winnt\\"));
  std::unique_ptr<FolderSystem> system;
  ASSERT_TRUE(FolderSystem::Open(dir / "sys", &system).ok());
  EXPECT_EQ(system->windows_folder(), "C:\\winnt");
  EXPECT_EQ(system->user_name(), "taro");
  EXPECT_EQ(system->drives().TypeOf("C:\\"), DriveType::kFixed);

  const fs::path file = dir / "sys" / kSystemSettingsFileName;
  fs::create_directories(dir / "cdrom");
  ASSERT_TRUE(WritePrivateProfileString("Drives", "Q", "cdrom," + (dir / "cdrom").string(), file).ok());
  ASSERT_TRUE(FolderSystem::Open(dir / "sys", &system).ok());
  EXPECT_EQ(system->drives().TypeOf("Q:\\"), DriveType::kCdRom);
  // The system folder can move: drive C is stored relative to it.
  fs::rename(dir / "sys", dir / "moved");
  ASSERT_TRUE(FolderSystem::Open(dir / "moved", &system).ok());
  EXPECT_TRUE(system->files().IsFolder("C:\\WINNT\\SYSTEM32"));

  ASSERT_TRUE(WritePrivateProfileString("Drives", "Q", "floppy," + (dir / "cdrom").string(),
                                        dir / "moved" / kSystemSettingsFileName)
                  .ok());
  Status s = FolderSystem::Open(dir / "moved", &system);
  EXPECT_EQ(s.code(), Status::Code::kCorruption);
  EXPECT_NE(s.message().find("floppy"), std::string::npos);
}

TEST(TargetSystemTest, CreationRefusesBadChoicesAndExistingSystems) {
  TempDir dir;
  std::unique_ptr<FolderSystem> system;
  EXPECT_TRUE(
      FolderSystem::Create(dir / "a", InitOptions{202, "taro", "D:\\WINDOWS"}, &system).IsInvalidArgument());
  EXPECT_TRUE(FolderSystem::Create(dir / "a", InitOptions{202, "taro", "C:\\"}, &system).IsInvalidArgument());
  EXPECT_TRUE(FolderSystem::Create(dir / "a", InitOptions{202, "ta\\ro", ""}, &system).IsInvalidArgument());
  EXPECT_TRUE(FolderSystem::Open(dir / "a", &system).IsNotFound());
  ASSERT_TRUE(Make(dir / "a", 202));
  EXPECT_TRUE(FolderSystem::Create(dir / "a", InitOptions{}, &system).IsAlreadyExists());
  ASSERT_TRUE(FolderSystem::OpenOrCreate(dir / "a", InitOptions{102, "jiro", ""}, &system).ok());
  EXPECT_EQ(system->os_kind(), 202);  // the existing system, untouched
  ASSERT_TRUE(FolderSystem::OpenOrCreate(dir / "b", InitOptions{102, "jiro", ""}, &system).ok());
  EXPECT_EQ(system->os_kind(), 102);
}

TEST(TargetSystemTest, ALaterProgramFindsTheSystemFromInside) {
  TempDir dir;
  auto system = Make(dir / "sys", 202);
  ASSERT_TRUE(system);
  fs::path uninstaller;
  ASSERT_TRUE(system->drives().ToHostPath("C:\\WINDOWS\\kestro.exe", &uninstaller).ok());
  EXPECT_EQ(FindEnclosingSystem(uninstaller), dir.path() / "sys");
  EXPECT_EQ(FindEnclosingSystem(dir / "sys"), dir.path() / "sys");
  EXPECT_EQ(FindEnclosingSystem(dir / "elsewhere" / "x"), std::nullopt);
}

TEST(TargetSystemTest, SystemFolderComesFromCommandLineEnvironmentOrDataHome) {
  ScopedEnv home("HOME", "/home/taro");
  {
    ScopedEnv system("KESTRO_SYSTEM", "/srv/sys");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(ResolveSystemFolder("/cli"), fs::path("/cli"));
    EXPECT_EQ(ResolveSystemFolder(""), fs::path("/srv/sys"));
  }
  {
    ScopedEnv system("KESTRO_SYSTEM", "");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(ResolveSystemFolder(""), fs::path("/data/kestro/system"));
  }
  ScopedEnv system("KESTRO_SYSTEM", std::nullopt);
  ScopedEnv data("XDG_DATA_HOME", "relative/ignored");
  EXPECT_EQ(ResolveSystemFolder(""), fs::path("/home/taro/.local/share/kestro/system"));
}

TEST(TargetSystemTest, TrashTakesFilesButNeverDriveRoots) {
  TempDir dir;
  ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
  ASSERT_TRUE(Make(dir / "sys", 202));
  // A hand-edited system that maps the host root as Z:.
  ASSERT_TRUE(
      WritePrivateProfileString("Drives", "Z", "fixed,/", dir / "sys" / kSystemSettingsFileName).ok());
  std::unique_ptr<FolderSystem> system;
  ASSERT_TRUE(FolderSystem::Open(dir / "sys", &system).ok());
  ASSERT_TRUE(system->files().WriteFile("C:\\WINDOWS\\old.ini", "x").ok());
  ASSERT_TRUE(system->MoveToTrash("c:\\windows\\OLD.INI").ok());
  EXPECT_FALSE(system->files().Exists("C:\\WINDOWS\\old.ini"));
  EXPECT_TRUE(fs::exists(dir / "data" / "Trash" / "files" / "old.ini"));
  EXPECT_TRUE(system->MoveToTrash("C:\\").IsAccessDenied());
  EXPECT_TRUE(system->MoveToTrash("Z:\\").IsAccessDenied());
  std::string drive_c, whole_system;
  ASSERT_TRUE(system->drives().ToWindowsPath(dir / "sys" / "drive_c", &drive_c).ok());
  ASSERT_TRUE(system->drives().ToWindowsPath(dir / "sys", &whole_system).ok());
  EXPECT_EQ(drive_c, "C:\\");  // the longest prefix wins
  EXPECT_TRUE(system->MoveToTrash("Z:" + (dir / "sys" / "drive_c").string()).IsAccessDenied());
  EXPECT_TRUE(system->MoveToTrash(whole_system).IsAccessDenied());
  EXPECT_TRUE(fs::is_directory(dir / "sys" / "drive_c" / "WINDOWS"));
}

}  // namespace
}  // namespace platform::target

namespace platform::target {
namespace {

TEST(TargetSystemTest, AFreshSystemMapsNoHostFolderUntilAskedTo) {
  TempDir dir;
  auto system = Make(dir / "sys", 202);
  ASSERT_TRUE(system);
  ASSERT_EQ(system->drives().drives().size(), 1u);
  EXPECT_EQ(system->drives().TypeOf("Z:\\"), DriveType::kNoRootDir);
  fs::path host;
  EXPECT_TRUE(system->drives().ToHostPath("Z:\\etc\\passwd", &host).IsNotFound());

  fs::create_directories(dir / "package");
  EXPECT_TRUE(system->MapDrive(Drive{'C', dir / "package", DriveType::kFixed}).IsInvalidArgument());
  EXPECT_TRUE(system->MapDrive(Drive{'1', dir / "package", DriveType::kFixed}).IsInvalidArgument());
  EXPECT_TRUE(system->MapDrive(Drive{'d', dir / "missing", DriveType::kCdRom}).IsInvalidArgument());
  EXPECT_TRUE(
      system->MapDrive(Drive{'d', dir.path(), DriveType::kCdRom}).IsInvalidArgument());  // holds the system
  ASSERT_TRUE(system->MapDrive(Drive{'d', dir / "package", DriveType::kCdRom}).ok());
  EXPECT_TRUE(system->MapDrive(Drive{'D', dir / "package", DriveType::kFixed}).IsAlreadyExists());
  EXPECT_EQ(system->drives().TypeOf("D:\\"), DriveType::kCdRom);

  std::unique_ptr<FolderSystem> reopened;
  ASSERT_TRUE(FolderSystem::Open(dir / "sys", &reopened).ok());
  EXPECT_EQ(reopened->drives().TypeOf("d:\\"), DriveType::kCdRom);
  EXPECT_TRUE(reopened->UnmapDrive('Q').IsNotFound());
  EXPECT_TRUE(reopened->UnmapDrive('c').IsInvalidArgument());
  ASSERT_TRUE(reopened->UnmapDrive('d').ok());
  ASSERT_TRUE(FolderSystem::Open(dir / "sys", &reopened).ok());
  EXPECT_EQ(reopened->drives().TypeOf("D:\\"), DriveType::kNoRootDir);
  EXPECT_TRUE(fs::is_directory(dir / "package"));

  InitOptions options;
  options.mapped_drives = {Drive{'R', dir / "package", DriveType::kRemote}};
  ASSERT_TRUE(FolderSystem::Create(dir / "other", options, &reopened).ok());
  EXPECT_EQ(reopened->drives().TypeOf("R:\\"), DriveType::kRemote);
}

TEST(TargetSystemTest, ASystemWithoutItsRegistryIsBrokenNotNew) {
  TempDir dir;
  ASSERT_TRUE(Make(dir / "sys", 202));
  const fs::path database = dir / "sys" / kRegistryFileName;
  std::unique_ptr<FolderSystem> system;

  fs::remove(database);
  Status s = FolderSystem::Open(dir / "sys", &system);
  EXPECT_EQ(s.code(), Status::Code::kCorruption) << s.ToString();
  EXPECT_FALSE(fs::exists(database));  // nothing made behind the user's back
  EXPECT_FALSE(FolderSystem::OpenOrCreate(dir / "sys", InitOptions{}, &system).ok());

  ASSERT_TRUE(WriteFileAtomically(database, "").ok());
  s = FolderSystem::Open(dir / "sys", &system);
  EXPECT_EQ(s.code(), Status::Code::kCorruption) << s.ToString();
  EXPECT_EQ(fs::file_size(database), 0u);
  EXPECT_EQ(s.message().find("CREATE"), std::string::npos);
}

TEST(TargetSystemTest, AReadOnlyRegistryCanStillBeRead) {
  TempDir dir;
  {
    auto made = Make(dir / "sys", 202);
    ASSERT_TRUE(made);
    ASSERT_TRUE(made->registry().SetValue(kHkcu, "Software\\Maker", RegistryValue::String("v", "1")).ok());
  }
  const fs::path database = dir / "sys" / kRegistryFileName;
  fs::permissions(database, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::unique_ptr<FolderSystem> system;
  Status s = FolderSystem::Open(dir / "sys", &system);
  ASSERT_TRUE(s.ok()) << s.ToString();
  EXPECT_TRUE(system->registry().read_only());
  EXPECT_EQ(Read(*system, kHkcu, "Software\\Maker", "v"), "1");
  s = system->registry().SetValue(kHkcu, "Software\\Maker", RegistryValue::String("v", "2"));
  EXPECT_TRUE(s.IsAccessDenied()) << s.ToString();
  EXPECT_EQ(s.message().find("BEGIN"), std::string::npos);
  EXPECT_EQ(Read(*system, kHkcu, "Software\\Maker", "v"), "1");
}

TEST(TargetSystemTest, ChangesNeverFollowALinkOutOfTheDrive) {
  TempDir dir;
  auto system = Make(dir / "sys", 202);
  ASSERT_TRUE(system);
  fs::create_directories(dir / "host");
  ASSERT_TRUE(WriteFileAtomically(dir / "host" / "secret.txt", "keep").ok());
  const fs::path drive_c = dir / "sys" / kDriveCFolderName;
  fs::create_directory_symlink(dir / "host", drive_c / "out");
  fs::create_symlink(dir / "host" / "secret.txt", drive_c / "secret.txt");
  fs::create_directories(drive_c / "inside");
  fs::create_directory_symlink(drive_c / "inside", drive_c / "alias");

  const SystemFiles& files = system->files();
  EXPECT_TRUE(files.WriteFile("C:\\out\\new.txt", "x").IsAccessDenied());
  EXPECT_TRUE(files.DeleteFile("C:\\out\\secret.txt").IsAccessDenied());
  EXPECT_TRUE(files.CreateFolderTree("C:\\out\\made\\deeper").IsAccessDenied());
  EXPECT_TRUE(files.SetAttributes("C:\\secret.txt", kFileReadOnly).IsAccessDenied());
  EXPECT_TRUE(files.CopyFile("C:\\WINDOWS\\SYSTEM32", "C:\\out\\copy", false).IsAccessDenied());
  EXPECT_TRUE(files.MoveFile("C:\\out\\secret.txt", "C:\\moved.txt").IsAccessDenied());
  EXPECT_TRUE(system->MoveToTrash("C:\\out").IsAccessDenied());
  EXPECT_FALSE(fs::exists(dir / "host" / "new.txt"));
  EXPECT_FALSE(fs::exists(dir / "host" / "made"));
  ASSERT_TRUE(fs::exists(dir / "host" / "secret.txt"));
  EXPECT_NE(fs::status(dir / "host" / "secret.txt").permissions() & fs::perms::owner_write, fs::perms::none);

  std::string data;
  EXPECT_TRUE(files.ReadFile("C:\\out\\secret.txt", &data).ok());  // reading is harmless
  EXPECT_EQ(data, "keep");
  EXPECT_TRUE(files.WriteFile("C:\\alias\\ok.txt", "y").ok());  // a link that stays on the drive
  EXPECT_TRUE(fs::exists(drive_c / "inside" / "ok.txt"));
}

}  // namespace
}  // namespace platform::target
