#include "setup/core/kestro_system/kestro_system_cli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/testing/temp_dir.h"

namespace setup {
namespace {

class KestroSystemTest : public ::testing::Test {
 protected:
  // Runs the tool on the test's system; out and err keep what it printed.
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--system", system_.string()});
    out_.str("");
    err_.str("");
    return RunKestroSystem(args, out_, err_);
  }
  std::string WriteFile(const std::string& name, const std::string& text) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  platform::testing::TempDir dir_;
  std::filesystem::path system_ = dir_ / "system";
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(KestroSystemTest, InitThenInfoShowsTheChosenSystem) {
  EXPECT_EQ(Run({"info"}), 1);
  EXPECT_NE(err_.str().find("no target system"), std::string::npos);
  ASSERT_EQ(Run({"init", "--os-kind", "102", "--user", "hanako"}), 0) << err_.str();
  EXPECT_EQ(Run({"init"}), 1);  // already there
  ASSERT_EQ(Run({"info"}), 0);
  EXPECT_NE(out_.str().find("OsKind: 102"), std::string::npos);
  EXPECT_NE(out_.str().find("Programs: C:\\WINDOWS\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\n"), std::string::npos);
}

TEST_F(KestroSystemTest, ExpandPrintsTheThreeExpansions) {
  ASSERT_EQ(Run({"init", "--os-kind", "202", "--user", "taro", "--windows", "C:\\WINNT"}), 0);
  ASSERT_EQ(Run({"expand", "path", "<Setup>\\a.exe", "--install-folder", "C:\\Maker"}), 0);
  EXPECT_EQ(out_.str(), "C:\\Maker\\a.exe\n");
  ASSERT_EQ(Run({"expand", "text", "<Windows>notepad.exe <x>"}), 0);
  EXPECT_EQ(out_.str(), "C:\\WINNT\\notepad.exe <x>\n");
  ASSERT_EQ(Run({"expand", "shortcut", "<SSetup>\\a.lnk", "--group", "G", "--all-users"}), 0);
  EXPECT_EQ(out_.str(), "C:\\Documents and Settings\\All Users\\スタート メニュー\\プログラム\\G\\a.lnk\n");
  ASSERT_EQ(Run({"hostpath", "c:\\winnt\\x.ini"}), 0);
  EXPECT_EQ(out_.str(), (system_ / "drive_c" / "WINNT" / "x.ini").string() + "\n");
  EXPECT_EQ(Run({"hostpath", "relative"}), 1);
}

TEST_F(KestroSystemTest, MalformedRegistryFileIsRefusedWhole) {
  ASSERT_EQ(Run({"init"}), 0);
  const std::string bad = WriteFile("bad.reg",
                                    "Windows Registry Editor Version 5.00\r\n\r\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\Maker]\r\n"
                                    "\"A\"=\"1\"\r\n\"B\"=nonsense\r\n");
  EXPECT_EQ(Run({"reg", "import", bad}), 1);
  EXPECT_NE(err_.str().find("line 5"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"reg", "export", "HKEY_LOCAL_MACHINE\\Software\\Maker"}), 1);

  const std::string good = WriteFile("good.reg",
                                     "Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKLM\\Software\\Maker]\r\n\"A\"=\"製品\"\r\n");
  ASSERT_EQ(Run({"reg", "import", good}), 0) << err_.str();
  ASSERT_EQ(Run({"reg", "export", "HKLM\\Software\\Maker"}), 0);
  EXPECT_NE(out_.str().find("\"A\"=\"製品\""), std::string::npos);
  ASSERT_EQ(Run({"reg", "export"}), 0);
  EXPECT_EQ(out_.str().rfind("Windows Registry Editor Version 5.00"), 0u);  // one header
  EXPECT_EQ(out_.str().find("[HKEY_CLASSES_ROOT"), std::string::npos);
}

TEST_F(KestroSystemTest, HostFoldersAreMappedOnlyOnRequest) {
  ASSERT_EQ(Run({"init"}), 0);
  ASSERT_EQ(Run({"info"}), 0);
  EXPECT_EQ(out_.str().find("drive Z:"), std::string::npos);
  EXPECT_NE(out_.str().find("host folders mapped: none"), std::string::npos);
  EXPECT_EQ(Run({"hostpath", "Z:\\etc\\passwd"}), 1);

  std::filesystem::create_directories(dir_ / "package");
  EXPECT_EQ(Run({"map", "D", "floppy", (dir_ / "package").string()}), 2);
  EXPECT_EQ(Run({"map", "C", "fixed", (dir_ / "package").string()}), 1);
  ASSERT_EQ(Run({"map", "d", "cdrom", (dir_ / "package").string()}), 0) << err_.str();
  ASSERT_EQ(Run({"info"}), 0);
  EXPECT_NE(out_.str().find("drive D: cdrom " + (dir_ / "package").string() + "\n"), std::string::npos)
      << out_.str();
  ASSERT_EQ(Run({"unmap", "D"}), 0);
  EXPECT_EQ(Run({"unmap", "D"}), 1);
  ASSERT_EQ(Run({"info"}), 0);
  EXPECT_EQ(out_.str().find("drive D:"), std::string::npos);

  system_ = dir_ / "second";
  ASSERT_EQ(Run({"init", "--map", "R=remote," + (dir_ / "package").string()}), 0) << err_.str();
  ASSERT_EQ(Run({"info"}), 0);
  EXPECT_NE(out_.str().find("drive R: remote"), std::string::npos);
  EXPECT_EQ(Run({"init", "--map", "R:remote"}), 2);
}

TEST_F(KestroSystemTest, ExportToAFileWritesTheEditorsUtf16Form) {
  ASSERT_EQ(Run({"init"}), 0);
  const std::string reg = WriteFile("in.reg",
                                    "Windows Registry Editor Version 5.00\r\n\r\n"
                                    "[HKLM\\Software\\Maker]\r\n\"A\"=\"製品\"\r\n"
                                    "\"E\"=hex(2):25,00,41,00,25,00,00,00\r\n");
  ASSERT_EQ(Run({"reg", "import", reg}), 0) << err_.str();
  const std::string file = (dir_ / "out.reg").string();
  ASSERT_EQ(Run({"reg", "export", "HKLM\\Software\\Maker", file}), 0) << err_.str();
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Byte-order mark, then "Windows" in UTF-16LE; 製 is U+88FD.
  EXPECT_TRUE(bytes.starts_with(std::string("\xFF\xFEW\0i\0n\0", 8)));
  EXPECT_NE(bytes.find(std::string("\xFD\x88", 2)), std::string::npos);
  // The terminal form stays UTF-8, with the expand-string as UTF-16 hex.
  ASSERT_EQ(Run({"reg", "export", "HKLM\\Software\\Maker"}), 0);
  EXPECT_NE(out_.str().find("\"A\"=\"製品\""), std::string::npos);
  EXPECT_NE(out_.str().find("\"E\"=hex(2):25,00,41,00,25,00,00,00"), std::string::npos);
  // The file goes back in as it came out.
  system_ = dir_ / "second";
  ASSERT_EQ(Run({"init"}), 0);
  ASSERT_EQ(Run({"reg", "import", file}), 0) << err_.str();
  ASSERT_EQ(Run({"expand", "path", "<Windows>"}), 0);
  ASSERT_EQ(Run({"reg", "export", "HKLM\\Software\\Maker"}), 0);
  EXPECT_NE(out_.str().find("\"A\"=\"製品\""), std::string::npos);
}

TEST_F(KestroSystemTest, AReadOnlyRegistryStillServesInfoExportAndExpand) {
  ASSERT_EQ(Run({"init"}), 0);
  std::filesystem::permissions(system_ / "registry.sqlite", std::filesystem::perms::owner_read);
  EXPECT_EQ(Run({"info"}), 0) << err_.str();
  EXPECT_NE(out_.str().find("registry: read-only"), std::string::npos);
  EXPECT_EQ(Run({"reg", "export", "HKLM\\Software"}), 0) << err_.str();
  EXPECT_EQ(Run({"expand", "shortcut", "<Desktop>\\a.lnk"}), 0) << err_.str();
  const std::string reg =
      WriteFile("in.reg", "Windows Registry Editor Version 5.00\r\n\r\n[HKLM\\Software\\X]\r\n");
  EXPECT_EQ(Run({"reg", "import", reg}), 1);
  EXPECT_EQ(err_.str().find("CREATE"), std::string::npos) << err_.str();
  std::filesystem::remove(system_ / "registry.sqlite");
  EXPECT_EQ(Run({"info"}), 1);
  EXPECT_NE(err_.str().find("only init creates one"), std::string::npos) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(system_ / "registry.sqlite"));
}

TEST_F(KestroSystemTest, UsageErrors) {
  EXPECT_EQ(RunKestroSystem({"--help"}, out_, err_), 0);
  EXPECT_NE(out_.str().find("usage: kestro-system"), std::string::npos);
  EXPECT_EQ(RunKestroSystem({}, out_, err_), 2);
  EXPECT_EQ(RunKestroSystem({"--system"}, out_, err_), 2);
  EXPECT_EQ(Run({"frobnicate"}), 2);
  EXPECT_EQ(Run({"expand", "path"}), 2);
  EXPECT_EQ(Run({"expand", "folder", "x"}), 2);
  EXPECT_EQ(Run({"init", "--os-kind", "x"}), 2);
  EXPECT_EQ(Run({"init", "--bogus"}), 2);
  EXPECT_EQ(Run({"reg", "rename"}), 2);
}

}  // namespace
}  // namespace setup
