#include "setup/core/registry_utils.h"

#include <gtest/gtest.h>

#include "setup/core/test_system.h"

namespace setup {
namespace {

constexpr auto kHklm = RegistryRoot::kLocalMachine;
constexpr auto kHkcu = RegistryRoot::kCurrentUser;

class RegistryUtilsTest : public ::testing::Test {
 protected:
  testing::TestSystem system_;
};

TEST_F(RegistryUtilsTest, ReadsGiveTheDefaultForMissingOrOtherTypes) {
  EXPECT_TRUE(RegWriteString(*system_, kHkcu, "Software\\Maker\\App", "Path", "C:\\ソフト").ok());
  EXPECT_TRUE(RegWriteInteger(*system_, kHkcu, "Software\\Maker\\App", "Count", -5).ok());
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Maker\\App", "path", "d"), "C:\\ソフト");
  EXPECT_EQ(RegReadInteger(*system_, kHkcu, "software\\maker\\app", "Count", 0), -5);
  // Another type than asked for, a missing value, a missing key.
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Maker\\App", "Count", "d"), "d");
  EXPECT_EQ(RegReadInteger(*system_, kHkcu, "Software\\Maker\\App", "Path", 7), 7);
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Maker\\App", "None", "d"), "d");
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Other", "Path", "d"), "d");
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\Other"));  // not created by reading
  // A malformed path is a failure, not an exception.
  EXPECT_FALSE(RegWriteString(*system_, kHkcu, "A\\\\B", "x", "y").ok());
  EXPECT_EQ(RegReadInteger(*system_, kHkcu, "A\\\\B", "x", 3), 3);
}

TEST_F(RegistryUtilsTest, KeyExistsNeedsANonEmptyPath) {
  ASSERT_TRUE(RegWriteString(*system_, kHklm, "Software\\Maker\\App", "x", "1").ok());
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "Software\\Maker\\App"));
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "SOFTWARE\\MAKER"));
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, "Software\\Maker\\Ap"));
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, ""));
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, "\\"));
}

TEST_F(RegistryUtilsTest, MoveKeyTakesValuesAndSubkeysAlong) {
  ASSERT_TRUE(RegWriteString(*system_, RegistryRoot::kClassesRoot, ".pkc", "", "Plakato.ConfigFile").ok());
  ASSERT_TRUE(RegWriteString(*system_, RegistryRoot::kClassesRoot, ".pkc\\ShellNew", "NullFile", "").ok());
  ASSERT_TRUE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, ".pkc", "kestroBackup-pkc").ok());
  EXPECT_FALSE(RegKeyExists(*system_, RegistryRoot::kClassesRoot, ".pkc"));
  EXPECT_EQ(RegReadString(*system_, RegistryRoot::kClassesRoot, "kestroBackup-pkc", "", ""),
            "Plakato.ConfigFile");
  EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kClassesRoot, "kestroBackup-pkc\\ShellNew"));
  EXPECT_FALSE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, "", "x").ok());
  EXPECT_FALSE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, "kestroBackup-pkc", "").ok());
  EXPECT_FALSE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, "missing", "x").ok());
}

TEST_F(RegistryUtilsTest, DeleteValueAndKey) {
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\A", "v", "1").ok());
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\A\\B", "w", "1").ok());
  EXPECT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\A", "v").ok());
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\A", "v", "gone"), "gone");
  EXPECT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\A", "v").ok());  // already missing
  EXPECT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\Missing", "v").ok());
  EXPECT_FALSE(RegDeleteKey(*system_, kHkcu, "Software\\A").ok());  // has a subkey
  EXPECT_TRUE(RegDeleteKey(*system_, kHkcu, "Software\\A\\B").ok());
  EXPECT_TRUE(RegDeleteKey(*system_, kHkcu, "Software\\A").ok());
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\A"));
  EXPECT_FALSE(RegDeleteKey(*system_, kHkcu, "").ok());
}

TEST_F(RegistryUtilsTest, DeleteTreeRemovesEverythingBelow) {
  for (const char* key : {"Software\\T\\A\\X", "Software\\T\\A\\Y", "Software\\T\\B"}) {
    ASSERT_TRUE(RegWriteInteger(*system_, kHkcu, key, "n", 1).ok());
  }
  ASSERT_TRUE(RegWriteInteger(*system_, kHkcu, "Software\\T", "n", 1).ok());
  EXPECT_TRUE(RegDeleteTree(*system_, kHkcu, "Software\\T\\").ok());
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\T"));
  EXPECT_TRUE(RegKeyExists(*system_, kHkcu, "Software"));
  EXPECT_FALSE(RegDeleteTree(*system_, kHkcu, "").ok());
  EXPECT_TRUE(RegKeyExists(*system_, kHkcu, "Software"));
}

TEST_F(RegistryUtilsTest, DeleteTreeOfAProtectedKeyReportsFailure) {
  // The key behind HKEY_CLASSES_ROOT cannot go; its subkeys can.
  ASSERT_TRUE(RegWriteString(*system_, RegistryRoot::kClassesRoot, ".abc", "", "x").ok());
  EXPECT_FALSE(RegDeleteTree(*system_, kHklm, "Software\\Classes").ok());
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "Software\\Classes"));
}

TEST_F(RegistryUtilsTest, DeleteEmptyKeysStopsAtASibling) {
  ASSERT_TRUE(RegWriteString(*system_, kHklm, "Software\\A\\B\\Other", "x", "1").ok());
  ASSERT_TRUE(RegWriteString(*system_, kHklm, "Software\\A\\B\\C", "x", "1").ok());
  ASSERT_TRUE(RegDeleteValue(*system_, kHklm, "Software\\A\\B\\C", "x").ok());
  RegDeleteEmptyKeys(*system_, kHklm, "Software\\A\\B\\C");
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, "Software\\A\\B\\C"));
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "Software\\A\\B\\Other"));
}

TEST_F(RegistryUtilsTest, DeleteEmptyKeysClimbsPastMissingKeysAndStopsAtValues) {
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\Keep", "v", "1").ok());
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\Keep\\Empty\\Inner", "v", "1").ok());
  ASSERT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\Keep\\Empty\\Inner", "v").ok());
  RegDeleteEmptyKeys(*system_, kHkcu, "Software\\Keep\\Empty\\Inner\\NeverThere");
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\Keep\\Empty"));
  EXPECT_TRUE(RegKeyExists(*system_, kHkcu, "Software\\Keep"));  // holds a value
}

}  // namespace
}  // namespace setup
