#include "setup/core/registry_entry.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "setup/core/ini_utils.h"
#include "setup/core/registry_utils.h"
#include "setup/core/test_system.h"

namespace setup {
namespace {

constexpr auto kHklm = RegistryRoot::kLocalMachine;

class RegistryEntryTest : public ::testing::Test {
 protected:
  testing::TestSystem system_;
};

TEST_F(RegistryEntryTest, WritesStringsAndIntegers) {
  EXPECT_TRUE(ApplyRegistryEntry(*system_, 0, "HKEY_LOCAL_MACHINE\\Software\\Maker", "Name", 0, "製品").ok());
  EXPECT_EQ(RegReadString(*system_, kHklm, "Software\\Maker", "Name", ""), "製品");
  EXPECT_TRUE(ApplyRegistryEntry(*system_, 0, "HKEY_LOCAL_MACHINE\\Software\\Maker", "N", 1, "abc").ok());
  EXPECT_EQ(RegReadInteger(*system_, kHklm, "Software\\Maker", "N", 99), 0);
  ASSERT_TRUE(ApplyRegistryEntry(*system_, 7, "HKEY_LOCAL_MACHINE\\Software\\Maker", "H", 1, "$10").ok());
  EXPECT_EQ(RegReadInteger(*system_, kHklm, "Software\\Maker", "H", 99), 16);
  ASSERT_TRUE(ApplyRegistryEntry(*system_, 0, "HKEY_LOCAL_MACHINE\\Software\\Maker", "S", 2, "12").ok());
  EXPECT_EQ(RegReadString(*system_, kHklm, "Software\\Maker", "S", ""), "12");
}

TEST_F(RegistryEntryTest, StandardNameMeansTheDefaultValue) {
  ASSERT_TRUE(
      ApplyRegistryEntry(*system_, 0, "HKEY_CLASSES_ROOT\\.pkc", "(標準)", 0, "Plakato.ConfigFile").ok());
  EXPECT_EQ(RegReadString(*system_, RegistryRoot::kClassesRoot, ".pkc", "", ""), "Plakato.ConfigFile");
  EXPECT_EQ(RegReadString(*system_, kHklm, "Software\\Classes\\.pkc", "", ""), "Plakato.ConfigFile");
  EXPECT_EQ(RegReadString(*system_, RegistryRoot::kClassesRoot, ".pkc", "(標準)", "none"), "none");
}

TEST_F(RegistryEntryTest, UnknownRootsDoNothing) {
  for (const char* key : {"hkey_local_machine\\Software\\X", "HKLM\\Software\\X",
                          "HKEY_LOCAL_MACHINEX\\Software\\X", "Software\\X", ""}) {
    EXPECT_FALSE(ApplyRegistryEntry(*system_, 0, key, "v", 0, "d").ok()) << key;
  }
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, "Software\\X"));
}

TEST_F(RegistryEntryTest, DeleteTreeTakesEmptiedParentsAlong) {
  ASSERT_TRUE(
      ApplyRegistryEntry(*system_, 0, "HKEY_CURRENT_USER\\Software\\Tallowmere\\Maker\\Sub", "v", 0, "1")
          .ok());
  ASSERT_TRUE(ApplyRegistryEntry(*system_, 0, "HKEY_CURRENT_USER\\Software\\Keep", "v", 0, "1").ok());
  EXPECT_TRUE(
      ApplyRegistryEntry(*system_, 1, "HKEY_CURRENT_USER\\Software\\Tallowmere\\Maker", "", 0, "").ok());
  EXPECT_FALSE(RegKeyExists(*system_, RegistryRoot::kCurrentUser, "Software\\Tallowmere"));
  EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kCurrentUser, "Software\\Keep"));
  // A root alone never loses its keys.
  EXPECT_FALSE(ApplyRegistryEntry(*system_, 1, "HKEY_CURRENT_USER\\", "", 0, "").ok());
  EXPECT_FALSE(ApplyRegistryEntry(*system_, 1, "HKEY_CURRENT_USER", "", 0, "").ok());
  EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kCurrentUser, "Software\\Keep"));
}

TEST_F(RegistryEntryTest, DeletingAMissingKeyRemovesNoParent) {
  ASSERT_TRUE(system_->registry().CreateKey(RegistryRoot::kCurrentUser, "Software\\EmptyVendor").ok());
  EXPECT_TRUE(
      ApplyRegistryEntry(*system_, 1, "HKEY_CURRENT_USER\\Software\\EmptyVendor\\Missing", "", 0, "").ok());
  EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kCurrentUser, "Software\\EmptyVendor"));
  // Nor when the missing key lies deeper, below missing parents.
  EXPECT_TRUE(
      ApplyRegistryEntry(*system_, 1, "HKEY_CURRENT_USER\\Software\\EmptyVendor\\A\\B", "", 0, "").ok());
  EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kCurrentUser, "Software\\EmptyVendor"));
}

TEST_F(RegistryEntryTest, DeleteValueLeavesTheKey) {
  ASSERT_TRUE(ApplyRegistryEntry(*system_, 0, "HKEY_USERS\\.DEFAULT\\X", "a", 0, "1").ok());
  EXPECT_TRUE(ApplyRegistryEntry(*system_, 2, "HKEY_USERS\\.DEFAULT\\X", "a", 0, "").ok());
  EXPECT_EQ(RegReadString(*system_, RegistryRoot::kUsers, ".DEFAULT\\X", "a", "gone"), "gone");
  EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kUsers, ".DEFAULT\\X"));
}

TEST_F(RegistryEntryTest, IniEntriesWriteDeleteAndErase) {
  const std::string file = "C:\\WINDOWS\\maker.ini";
  EXPECT_TRUE(ApplyIniEntry(*system_, 0, file, "Main", "Path", "C:\\ソフト").ok());
  EXPECT_TRUE(ApplyIniEntry(*system_, 0, file, "Main", "Other", "1").ok());
  EXPECT_TRUE(ApplyIniEntry(*system_, 0, file, "Second", "K", "v").ok());
  EXPECT_EQ(IniReadString(*system_, file, "main", "path"), "C:\\ソフト");
  std::string bytes;
  ASSERT_TRUE(system_->files().ReadFile(file, &bytes).ok());
  EXPECT_NE(bytes.find(platform::Utf8ToCp932("C:\\ソフト")), std::string::npos);

  EXPECT_TRUE(ApplyIniEntry(*system_, 2, file, "Main", "Path", "").ok());
  EXPECT_EQ(IniReadString(*system_, file, "Main", "Path", "gone"), "gone");
  EXPECT_EQ(IniReadString(*system_, file, "Main", "Other"), "1");
  EXPECT_TRUE(ApplyIniEntry(*system_, 1, file, "Main", "", "").ok());
  EXPECT_EQ(IniReadString(*system_, file, "Main", "Other", "gone"), "gone");
  EXPECT_EQ(IniReadString(*system_, file, "Second", "K"), "v");
}

TEST_F(RegistryEntryTest, IniBareNameIsInTheWindowsFolderAndBadPathsFail) {
  EXPECT_TRUE(IniWriteString(*system_, "maker.ini", "S", "K", "v").ok());
  EXPECT_EQ(IniReadString(*system_, "C:\\WINDOWS\\MAKER.INI", "S", "K"), "v");
  EXPECT_FALSE(IniWriteString(*system_, "C:\\NoSuchFolder\\a.ini", "S", "K", "v").ok());
  EXPECT_FALSE(IniWriteString(*system_, "relative\\a.ini", "S", "K", "v").ok());
  EXPECT_FALSE(IniEraseSection(*system_, "Q:\\a.ini", "S").ok());
  EXPECT_EQ(IniReadString(*system_, "Q:\\a.ini", "S", "K", "d"), "d");
}

TEST_F(RegistryEntryTest, IniChangesReportFailuresWithTheirReason) {
  // Deleting from a file that cannot be reached is a failure, not success.
  const Status unreachable = IniDeleteKey(*system_, "Q:\\a.ini", "S", "K");
  EXPECT_FALSE(unreachable.ok());
  EXPECT_NE(unreachable.message().find("Q:"), std::string::npos) << unreachable.message();
  // Nothing to delete is no failure.
  EXPECT_TRUE(IniDeleteKey(*system_, "C:\\WINDOWS\\none.ini", "S", "K").ok());

  const std::string file = "C:\\WINDOWS\\locked.ini";
  ASSERT_TRUE(IniWriteString(*system_, file, "S", "K", "old").ok());
  ASSERT_TRUE(system_->files().SetAttributes(file, platform::target::kFileReadOnly).ok());
  for (const Status& refused :
       {IniWriteString(*system_, file, "S", "K", "new"), IniDeleteKey(*system_, file, "S", "K"),
        IniEraseSection(*system_, file, "S"), ApplyIniEntry(*system_, 2, file, "S", "K", "")}) {
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.message().find("read-only"), std::string::npos) << refused.message();
  }
  EXPECT_EQ(IniReadString(*system_, file, "S", "K"), "old");

  const Status ignored = ApplyRegistryEntry(*system_, 0, "hkey_current_user\\X", "a", 0, "1");
  EXPECT_FALSE(ignored.ok());
  EXPECT_EQ(ignored.code(), Status::Code::kInvalidArgument);
}

}  // namespace
}  // namespace setup
