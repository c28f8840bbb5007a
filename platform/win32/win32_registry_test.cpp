#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>
#include "platform/win32/windows_api.h"

#include <algorithm>
#include <string>

namespace platform::win32 {
namespace {

using platform::target::RegistryBatch;

// A scratch key of this process, removed before and after each test.
class Win32RegistryTest : public ::testing::Test {
 protected:
  Win32RegistryTest() : key_("Software\\kestroSetupTest\\" + std::to_string(GetCurrentProcessId())) {
    (void)registry_.DeleteTree(RegistryRoot::kCurrentUser, key_);
  }
  ~Win32RegistryTest() override {
    (void)registry_.DeleteTree(RegistryRoot::kCurrentUser, "Software\\kestroSetupTest");
  }

  std::string Key(const std::string& below) const { return below.empty() ? key_ : key_ + "\\" + below; }
  std::string Text(const std::string& key, const std::string& name) {
    RegistryValue value;
    Status s = registry_.GetValue(RegistryRoot::kCurrentUser, Key(key), name, &value);
    return s.ok() ? value.AsString().value_or("(not text)") : "(" + s.ToString() + ")";
  }

  Win32Registry registry_;
  const std::string key_;
  static constexpr RegistryRoot kHkcu = RegistryRoot::kCurrentUser;
};

TEST_F(Win32RegistryTest, ValuesOfEveryTypeComeBackAsWritten) {
  const std::string long_text(700, 'x');  // more than the first read's buffer
  const std::string list("one\0ファイル\0\0", sizeof("one\0ファイル\0\0") - 1);
  const RegistryValue written[] = {
      RegistryValue::String("", "既定の値"),
      RegistryValue::ExpandString("Path", "%SystemRoot%\\kestro.exe"),
      RegistryValue::Dword("Count", 0x01020304),
      RegistryValue::Raw("Bytes", platform::target::kRegBinary, std::string("\0\x01\xff", 3)),
      RegistryValue::Raw("List", platform::target::kRegMultiSz, list),
      RegistryValue::String("Long", long_text),
  };
  bool existed = true;
  ASSERT_TRUE(registry_.CreateKey(kHkcu, Key("A\\B"), &existed).ok());
  EXPECT_FALSE(existed);
  ASSERT_TRUE(registry_.CreateKey(kHkcu, Key("A\\B"), &existed).ok());
  EXPECT_TRUE(existed);
  for (const RegistryValue& value : written) ASSERT_TRUE(registry_.SetValue(kHkcu, Key("A\\B"), value).ok());
  for (const RegistryValue& value : written) {
    RegistryValue read;
    ASSERT_TRUE(registry_.GetValue(kHkcu, Key("a\\b"), value.name, &read).ok()) << value.name;
    EXPECT_EQ(read, value) << value.name;
  }
  std::vector<RegistryValue> listed;
  ASSERT_TRUE(registry_.ListValues(kHkcu, Key("A\\B"), &listed).ok());
  ASSERT_EQ(listed.size(), std::size(written));
  for (const RegistryValue& value : written) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), value), listed.end()) << value.name;
  }

  EXPECT_TRUE(
      registry_.SetValue(kHkcu, Key("A"), RegistryValue::Raw("Bad", platform::target::kRegDword, "abc"))
          .IsInvalidArgument());
  EXPECT_TRUE(registry_.SetValue(kHkcu, Key("Missing"), RegistryValue::String("x", "y"), false).IsNotFound());
  EXPECT_TRUE(registry_.DeleteValue(kHkcu, Key("A\\B"), "Nothing").IsNotFound());
  EXPECT_TRUE(registry_.OpenKey(kHkcu, Key("A\\\\B")).IsInvalidArgument());
}

TEST_F(Win32RegistryTest, SubkeysAreSortedAndDeletionKeepsItsRules) {
  for (const char* name : {"b", "A", "c\\d"}) ASSERT_TRUE(registry_.CreateKey(kHkcu, Key(name)).ok());
  std::vector<std::string> names;
  ASSERT_TRUE(registry_.ListSubkeys(kHkcu, key_, &names).ok());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c"}));

  EXPECT_TRUE(registry_.DeleteKey(kHkcu, Key("c")).IsNotEmpty());
  EXPECT_TRUE(registry_.DeleteKey(kHkcu, Key("c\\d")).ok());
  EXPECT_TRUE(registry_.DeleteKey(kHkcu, Key("c")).ok());
  EXPECT_TRUE(registry_.DeleteKey(kHkcu, Key("c")).IsNotFound());
  EXPECT_TRUE(registry_.DeleteTree(kHkcu, "").IsAccessDenied());
  EXPECT_TRUE(registry_.DeleteTree(RegistryRoot::kLocalMachine, "SOFTWARE\\classes").IsAccessDenied());
  EXPECT_TRUE(registry_.OpenKey(RegistryRoot::kDynData, "").IsNotFound());
}

TEST_F(Win32RegistryTest, TreesCopyMoveAndRenameWhole) {
  ASSERT_TRUE(registry_.SetValue(kHkcu, Key("From\\Sub"), RegistryValue::Dword("n", 7)).ok());
  ASSERT_TRUE(registry_.SetValue(kHkcu, Key("From"), RegistryValue::String("s", "t")).ok());
  EXPECT_TRUE(registry_.CopyTree(kHkcu, Key("From"), kHkcu, Key("From\\Sub\\In")).IsInvalidArgument());
  ASSERT_TRUE(registry_.CopyTree(kHkcu, Key("From"), kHkcu, Key("Copy")).ok());
  EXPECT_EQ(Text("Copy", "s"), "t");
  RegistryValue n;
  ASSERT_TRUE(registry_.GetValue(kHkcu, Key("Copy\\Sub"), "n", &n).ok());
  EXPECT_EQ(n.AsDword(), 7u);

  ASSERT_TRUE(registry_.MoveTree(kHkcu, Key("Copy"), kHkcu, Key("COPY")).ok());
  std::vector<std::string> names;
  ASSERT_TRUE(registry_.ListSubkeys(kHkcu, key_, &names).ok());
  EXPECT_EQ(names, (std::vector<std::string>{"COPY", "From"}));
  EXPECT_EQ(Text("COPY\\Sub", "n"), "(not text)");

  std::vector<std::string> visited;
  ASSERT_TRUE(registry_
                  .VisitTree(kHkcu, Key("From"),
                             [&](const std::string& path, const std::vector<RegistryValue>&) {
                               visited.push_back(path);
                               return Status::Ok();
                             })
                  .ok());
  EXPECT_EQ(visited, (std::vector<std::string>{Key("From"), Key("From\\Sub")}));
}

TEST_F(Win32RegistryTest, AFailedBatchLeavesNothingOfItBehind) {
  ASSERT_TRUE(registry_.SetValue(kHkcu, Key("Keep"), RegistryValue::String("old", "1")).ok());
  ASSERT_TRUE(registry_.SetValue(kHkcu, Key("Keep"), RegistryValue::String("gone", "2")).ok());
  ASSERT_TRUE(registry_.SetValue(kHkcu, Key("Tree\\Leaf"), RegistryValue::String("v", "3")).ok());
  RegistryBatch batch;
  batch.set_line(4);
  batch.SetValue(kHkcu, Key("Keep"), RegistryValue::String("old", "changed"));
  batch.SetValue(kHkcu, Key("Keep"), RegistryValue::String("new", "added"));
  batch.DeleteValue(kHkcu, Key("Keep"), "gone");
  batch.DeleteTree(kHkcu, Key("Tree"));
  batch.SetValue(kHkcu, Key("Fresh\\Deep"), RegistryValue::String("x", "y"));
  batch.set_line(9);
  batch.SetValue(kHkcu, Key("Keep"), RegistryValue::Raw("bad", platform::target::kRegDword, "12345"));
  const Status s = registry_.Apply(batch);
  ASSERT_TRUE(s.IsInvalidArgument());
  EXPECT_EQ(s.message().rfind("line 9: ", 0), 0u) << s.message();

  EXPECT_EQ(Text("Keep", "old"), "1");
  EXPECT_EQ(Text("Keep", "gone"), "2");
  RegistryValue added;
  EXPECT_TRUE(registry_.GetValue(kHkcu, Key("Keep"), "new", &added).IsNotFound());
  EXPECT_EQ(Text("Tree\\Leaf", "v"), "3");
  EXPECT_TRUE(registry_.OpenKey(kHkcu, Key("Fresh")).IsNotFound());

  batch = RegistryBatch();
  batch.DeleteTree(kHkcu, Key("Tree"));
  batch.DeleteValue(kHkcu, Key("Nowhere"), "x");  // missing things are no error here
  ASSERT_TRUE(registry_.Apply(batch).ok());
  EXPECT_TRUE(registry_.OpenKey(kHkcu, Key("Tree")).IsNotFound());
}

// The installer writes HKEY_LOCAL_MACHINE\Software in the 32-bit view, where
// the 32-bit programs it installs read.
TEST_F(Win32RegistryTest, MachineSoftwareKeysLandInThe32BitView) {
  const std::string key = "Software\\kestroSetupTest";
  ASSERT_TRUE(registry_.SetValue(RegistryRoot::kLocalMachine, key, RegistryValue::String("v", "32")).ok());
  HKEY found = nullptr;
  EXPECT_EQ(
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\kestroSetupTest", 0, KEY_READ | KEY_WOW64_32KEY, &found),
      ERROR_SUCCESS);
  if (found) RegCloseKey(found);
  found = nullptr;
  EXPECT_EQ(
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\kestroSetupTest", 0, KEY_READ | KEY_WOW64_64KEY, &found),
      ERROR_FILE_NOT_FOUND);
  if (found) RegCloseKey(found);
  EXPECT_TRUE(registry_.DeleteTree(RegistryRoot::kLocalMachine, key).ok());
}

}  // namespace
}  // namespace platform::win32
