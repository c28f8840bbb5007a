// A product installed by the install engine and removed by the uninstall
// engine leaves nothing of itself on the target system but the installer's
// documented leftovers.

#include <filesystem>
#include <set>
#include <string>

#include "setup/core/ini_utils.h"
#include "setup/wizard/engine/install_engine.h"
#include "setup/wizard/engine/install_test_fixture.h"
#include "setup/wizard/engine/uninstall_engine.h"
#include "setup/wizard/record/record_keys.h"

namespace setup::wizard {
namespace {

namespace fs = std::filesystem;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;

// Every registry key and value ("root|key|value name") and every file and
// folder of drive C below the given host folder.
std::set<std::string> Snapshot(platform::target::TargetSystem& system) {
  std::set<std::string> items;
  const auto walk = [&](auto& self, RegistryRoot root, const std::string& key) -> void {
    items.insert(std::to_string(static_cast<int>(root)) + "|" + key);
    std::vector<RegistryValue> values;
    if (system.registry().ListValues(root, key, &values).ok()) {
      for (const RegistryValue& value : values) {
        items.insert(std::to_string(static_cast<int>(root)) + "|" + key + "|" + value.name);
      }
    }
    std::vector<std::string> subkeys;
    if (system.registry().ListSubkeys(root, key, &subkeys).ok()) {
      for (const std::string& subkey : subkeys) self(self, root, key.empty() ? subkey : key + "\\" + subkey);
    }
  };
  for (RegistryRoot root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser, RegistryRoot::kUsers}) {
    walk(walk, root, "");
  }
  fs::path drive;
  EXPECT_TRUE(system.drives().ToHostPath("C:\\", &drive).ok());
  for (const auto& entry : fs::recursive_directory_iterator(drive)) {
    items.insert("C:" + entry.path().string().substr(drive.string().size()));
  }
  return items;
}

std::string Machine(std::string_view key, std::string_view value = {}) {
  std::string item = std::to_string(static_cast<int>(RegistryRoot::kLocalMachine)) + "|" + std::string(key);
  return value.empty() ? item : item + "|" + std::string(value);
}

class InstallUninstallTest : public testing::InstallFixture {};

TEST_F(InstallUninstallTest, NothingButTheDocumentedLeftoversStays) {
  Put("C:\\WINDOWS\\system.ini", "[boot]\r\nshell=Explorer.exe\r\n");
  Put("C:\\PKG\\App.exe", "app");
  Put("C:\\PKG\\shared.dll", "shared");
  Put("C:\\PKG\\readme.txt", "read me");
  const SetupScript script = WriteScript(
      "[Define]\nApplication=kestro Setup 1.00\nName=Maker App\n"
      "[Uninstall]\nKeyName=MKAPP\nViewName=Maker App\nUse=1\n"
      "[File]\nCount=3\nNewFile1=<Setup>\\App.exe\nFile1=App.exe\n"
      "NewFile2=<Common>\\Maker\\shared.dll\nFile2=shared.dll\nShared2=1\n"
      "NewFile3=<Setup>\\doc\\readme.txt\nFile3=readme.txt\nAttrs3=1\n"
      "[Folder]\nCount=1\nFolder1=<Setup>\\save\n"
      "[Link]\nCount=1\nDefault=Maker\nSSetup=1\nLink1=<SSetup>\\App.lnk\nFile1=<Setup>\\App.exe\n"
      "[Registry]\nCount=1\nKey1=HKEY_CURRENT_USER\\Software\\Maker\\App\nName1=Runs\nData1=1\nType1=1\n"
      "[IniFile]\nCount=1\nFile1=<Windows>\\system.ini\nSection1=Maker\nKey1=App\nValue1=1\n"
      "[UserInfomation]\nCount=1\nCaption1=氏名\nWrite1=(Reg)HKEY_CURRENT_USER\\Software\\Maker\\User/Owner/"
      "\n"
      "[Extension]\nCount=1\nExtension1=mkd\nCommand1=<Setup>\\App.exe\nInformation1=Maker 文書\n"
      "[UnFile]\nCount=3\nFile1=<Setup>\\App.exe\nFile2=<Common>\\Maker\\shared.dll\nShared2=1\n"
      "File3=<Setup>\\doc\\readme.txt\n"
      "[UnFolder]\nCount=2\nFolder1=<Setup>\\save\nFolder2=<Setup>\n"
      "[UnLink]\nCount=1\nLink1=<SSetup>\\App.lnk\n"
      "[UnRegistry]\nCount=1\nWay1=1\nKey1=HKEY_CURRENT_USER\\Software\\Maker\n"
      "[UnIniFile]\nCount=1\nWay1=1\nFile1=<Windows>\\system.ini\nSection1=Maker\n"
      "[UnExtension]\nCount=1\nExtension1=mkd\n");
  const std::set<std::string> before = Snapshot(sys());
  InstallChoices choices;
  choices.install_folder_text = "C:\\Program Files\\Maker\\App";
  choices.user_entries = {"山田 太郎", "", ""};
  choices.user_entry_visible = {true, false, false};
  choices.start_menu_folder = "Maker";
  choices.start_menu = true;
  choices.associate = true;
  choices.selected_extensions = {0};
  ASSERT_EQ(RunInstallEngine(run_, script, choices, ComputeInstallMaxima(run_, script, choices)),
            EngineResult::kCompleted);
  ASSERT_TRUE(sys().files().Exists("C:\\Program Files\\Maker\\App\\doc\\readme.txt"));

  prompter_.asked.clear();
  EXPECT_EQ(RunUninstallEngine(run_, "MKAPP", false, ComputeUninstallMaxima(run_, "MKAPP")),
            EngineResult::kCompleted);
  ASSERT_EQ(prompter_.asked.size(), 1u);  // the last user of the shared file, answered Yes
  EXPECT_EQ(IniReadString(sys(), "C:\\WINDOWS\\system.ini", "boot", "shell"), "Explorer.exe");

  std::set<std::string> left;
  for (const std::string& item : Snapshot(sys())) {
    if (!before.contains(item)) left.insert(item);
  }
  const std::string tallowmere = "Software\\Tallowmere";
  const std::set<std::string> documented = {
      "C:/WINDOWS/kestro.exe",
      Machine(tallowmere),
      Machine(tallowmere + "\\kestroSetup"),
      Machine(kUninstallRecordRoot),
      Machine(kUninstallRecordRoot, kUninstallerName),
      Machine(kSettingKey),
      Machine(kSettingKey, "OverToDustBox"),
      Machine(kSettingKey, "StartUser"),
      Machine(kSettingKey, "DeleteToDustBox"),
      Machine(kOwnerListKey),        // emptied owner lists
      Machine(kSharedDllsKey),       // emptied shared counts
      Machine(kSystemUninstallKey),  // the system's list of installed programs
  };
  for (const std::string& item : left) EXPECT_TRUE(documented.contains(item)) << item;
}

// Two products shipping the same build of a shared library: the second finds
// it in place and counts it, so uninstalling the first leaves it alone.
TEST_F(InstallUninstallTest, ASharedFileInPlaceOutlivesTheFirstProduct) {
  Put("C:\\PKG\\common.dll", "common build 7");
  const auto product = [&](const std::string& key) {
    return WriteScript("[Define]\nApplication=kestro Setup 1.00\nName=" + key +
                       "\n[Uninstall]\nKeyName=" + key +
                       "\nUse=1\n"
                       "[File]\nCount=1\nNewFile1=<System>\\common.dll\nFile1=common.dll\nShared1=1\n"
                       "[UnFile]\nCount=1\nFile1=<System>\\common.dll\nShared1=1\n");
  };
  const std::string dll = "C:\\WINDOWS\\SYSTEM32\\common.dll";
  for (const std::string key : {"FIRST", "SECOND"}) {
    const SetupScript script = product(key);
    ASSERT_EQ(RunInstallEngine(run_, script, {}, ComputeInstallMaxima(run_, script, {})),
              EngineResult::kCompleted);
  }
  EXPECT_EQ(RegReadInteger(sys(), RegistryRoot::kLocalMachine, kSharedDllsKey, dll, 0), 2);
  EXPECT_EQ(RegReadString(sys(), RegistryRoot::kLocalMachine, kOwnerListKey, dll, ""), "\"FIRST\"\"SECOND\"");

  EXPECT_EQ(RunUninstallEngine(run_, "FIRST", false, ComputeUninstallMaxima(run_, "FIRST")),
            EngineResult::kCompleted);
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_TRUE(sys().files().Exists(dll));
  EXPECT_EQ(RegReadInteger(sys(), RegistryRoot::kLocalMachine, kSharedDllsKey, dll, 0), 1);
}

}  // namespace
}  // namespace setup::wizard
