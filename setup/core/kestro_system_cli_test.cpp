#include "setup/core/kestro_system_cli.h"

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
  EXPECT_EQ(out_.str(),
            "C:\\Documents and Settings\\All Users\\スタート メニュー\\プログラム\\G\\a.lnk\n");
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
