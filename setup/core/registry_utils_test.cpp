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
  EXPECT_TRUE(RegWriteString(*system_, kHkcu, "Software\\Maker\\App", "Path", "C:\\ソフト"));
  EXPECT_TRUE(RegWriteInteger(*system_, kHkcu, "Software\\Maker\\App", "Count", -5));
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Maker\\App", "path", "d"), "C:\\ソフト");
  EXPECT_EQ(RegReadInteger(*system_, kHkcu, "software\\maker\\app", "Count", 0), -5);
  // Another type than asked for, a missing value, a missing key.
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Maker\\App", "Count", "d"), "d");
  EXPECT_EQ(RegReadInteger(*system_, kHkcu, "Software\\Maker\\App", "Path", 7), 7);
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Maker\\App", "None", "d"), "d");
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\Other", "Path", "d"), "d");
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\Other"));  // not created by reading
  // A malformed path is a failure, not an exception.
  EXPECT_FALSE(RegWriteString(*system_, kHkcu, "A\\\\B", "x", "y"));
  EXPECT_EQ(RegReadInteger(*system_, kHkcu, "A\\\\B", "x", 3), 3);
}

TEST_F(RegistryUtilsTest, KeyExistsNeedsANonEmptyPath) {
  ASSERT_TRUE(RegWriteString(*system_, kHklm, "Software\\Maker\\App", "x", "1"));
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "Software\\Maker\\App"));
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "SOFTWARE\\MAKER"));
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, "Software\\Maker\\Ap"));
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, ""));
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, "\\"));
}

TEST_F(RegistryUtilsTest, MoveKeyTakesValuesAndSubkeysAlong) {
  ASSERT_TRUE(RegWriteString(*system_, RegistryRoot::kClassesRoot, ".pkc", "", "Plakato.ConfigFile"));
  ASSERT_TRUE(RegWriteString(*system_, RegistryRoot::kClassesRoot, ".pkc\\ShellNew", "NullFile", ""));
  ASSERT_TRUE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, ".pkc", "kestroBackup-pkc"));
  EXPECT_FALSE(RegKeyExists(*system_, RegistryRoot::kClassesRoot, ".pkc"));
  EXPECT_EQ(RegReadString(*system_, RegistryRoot::kClassesRoot, "kestroBackup-pkc", "", ""),
            "Plakato.ConfigFile");
  EXPECT_TRUE(RegKeyExists(*system_, RegistryRoot::kClassesRoot, "kestroBackup-pkc\\ShellNew"));
  EXPECT_FALSE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, "", "x"));
  EXPECT_FALSE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, "kestroBackup-pkc", ""));
  EXPECT_FALSE(RegMoveKey(*system_, RegistryRoot::kClassesRoot, "missing", "x"));
}

TEST_F(RegistryUtilsTest, DeleteValueAndKey) {
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\A", "v", "1"));
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\A\\B", "w", "1"));
  EXPECT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\A", "v"));
  EXPECT_EQ(RegReadString(*system_, kHkcu, "Software\\A", "v", "gone"), "gone");
  EXPECT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\A", "v"));  // already missing
  EXPECT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\Missing", "v"));
  EXPECT_FALSE(RegDeleteKey(*system_, kHkcu, "Software\\A"));  // has a subkey
  EXPECT_TRUE(RegDeleteKey(*system_, kHkcu, "Software\\A\\B"));
  EXPECT_TRUE(RegDeleteKey(*system_, kHkcu, "Software\\A"));
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\A"));
  EXPECT_FALSE(RegDeleteKey(*system_, kHkcu, ""));
}

TEST_F(RegistryUtilsTest, DeleteTreeRemovesEverythingBelow) {
  for (const char* key : {"Software\\T\\A\\X", "Software\\T\\A\\Y", "Software\\T\\B"}) {
    ASSERT_TRUE(RegWriteInteger(*system_, kHkcu, key, "n", 1));
  }
  ASSERT_TRUE(RegWriteInteger(*system_, kHkcu, "Software\\T", "n", 1));
  EXPECT_TRUE(RegDeleteTree(*system_, kHkcu, "Software\\T\\"));
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\T"));
  EXPECT_TRUE(RegKeyExists(*system_, kHkcu, "Software"));
  EXPECT_FALSE(RegDeleteTree(*system_, kHkcu, ""));
  EXPECT_TRUE(RegKeyExists(*system_, kHkcu, "Software"));
}

TEST_F(RegistryUtilsTest, DeleteTreeOfAProtectedKeyReportsFailure) {
  // The key behind HKEY_CLASSES_ROOT cannot go; its subkeys can.
  ASSERT_TRUE(RegWriteString(*system_, RegistryRoot::kClassesRoot, ".abc", "", "x"));
  EXPECT_FALSE(RegDeleteTree(*system_, kHklm, "Software\\Classes"));
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "Software\\Classes"));
}

TEST_F(RegistryUtilsTest, DeleteEmptyKeysStopsAtASibling) {
  ASSERT_TRUE(RegWriteString(*system_, kHklm, "Software\\A\\B\\Other", "x", "1"));
  ASSERT_TRUE(RegWriteString(*system_, kHklm, "Software\\A\\B\\C", "x", "1"));
  ASSERT_TRUE(RegDeleteValue(*system_, kHklm, "Software\\A\\B\\C", "x"));
  RegDeleteEmptyKeys(*system_, kHklm, "Software\\A\\B\\C");
  EXPECT_FALSE(RegKeyExists(*system_, kHklm, "Software\\A\\B\\C"));
  EXPECT_TRUE(RegKeyExists(*system_, kHklm, "Software\\A\\B\\Other"));
}

TEST_F(RegistryUtilsTest, DeleteEmptyKeysClimbsPastMissingKeysAndStopsAtValues) {
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\Keep", "v", "1"));
  ASSERT_TRUE(RegWriteString(*system_, kHkcu, "Software\\Keep\\Empty\\Inner", "v", "1"));
  ASSERT_TRUE(RegDeleteValue(*system_, kHkcu, "Software\\Keep\\Empty\\Inner", "v"));
  RegDeleteEmptyKeys(*system_, kHkcu, "Software\\Keep\\Empty\\Inner\\NeverThere");
  EXPECT_FALSE(RegKeyExists(*system_, kHkcu, "Software\\Keep\\Empty"));
  EXPECT_TRUE(RegKeyExists(*system_, kHkcu, "Software\\Keep"));  // holds a value
}

}  // namespace
}  // namespace setup
