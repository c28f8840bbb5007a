// Keys the user may not write: a key whose access list denies setting
// values, to this key and every key made below it.
#include <gtest/gtest.h>

#include "platform/win32/win32_registry.h"
#include "platform/win32/windows_api.h"
// windows.h first: the security headers need its types.
#include <sddl.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

constexpr RegistryRoot kHkcu = RegistryRoot::kCurrentUser;

// Deletes a key and its subkeys with DELETE access alone (the lock refuses
// the value changes that RegDeleteTreeW makes).
void DeleteKeys(HKEY parent, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) == ERROR_SUCCESS) {
    wchar_t child[256];
    DWORD length = 256;
    while (RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      DeleteKeys(key, child);
      length = 256;
    }
    RegCloseKey(key);
  }
  RegDeleteKeyExW(parent, name.c_str(), 0, 0);
}

class LockedKeyTest : public ::testing::Test {
 protected:
  LockedKeyTest() : key_("Software\\kestroLockedTest" + std::to_string(GetCurrentProcessId())) {
    EXPECT_TRUE(registry_.SetValue(kHkcu, key_, RegistryValue::String("Old", "kept")).ok());
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(key_).c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    // Everyone: no setting of values (here and below), everything else.
    PSECURITY_DESCRIPTOR lock = nullptr;
    EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(D;CI;0x2;;;WD)(A;CI;KA;;;WD)",
                                                                     SDDL_REVISION_1, &lock, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, lock), ERROR_SUCCESS);
    LocalFree(lock);
    RegCloseKey(key);
  }
  ~LockedKeyTest() override { DeleteKeys(HKEY_CURRENT_USER, Utf8ToWide(key_)); }

  Win32Registry registry_;
  const std::string key_;
};

TEST_F(LockedKeyTest, AValueIsRefusedAndTheKeysMadeForItGoAgain) {
  EXPECT_TRUE(registry_.SetValue(kHkcu, key_, RegistryValue::String("Old", "changed")).IsAccessDenied());
  EXPECT_TRUE(registry_.SetValue(kHkcu, key_, RegistryValue::Dword("New", 1)).IsAccessDenied());
  RegistryValue old;
  ASSERT_TRUE(registry_.GetValue(kHkcu, key_, "Old", &old).ok());
  EXPECT_EQ(old.AsString().value_or(""), "kept");

  // The subkeys can be made, their values not: the item leaves no key.
  const Status refused = registry_.SetValue(kHkcu, key_ + "\\Made\\Deeper", RegistryValue::String("v", "x"));
  EXPECT_TRUE(refused.IsAccessDenied()) << refused.ToString();
  EXPECT_TRUE(registry_.OpenKey(kHkcu, key_ + "\\Made").IsNotFound());
  EXPECT_TRUE(registry_.OpenKey(kHkcu, key_).ok());
}

TEST_F(LockedKeyTest, KeysThatWereThereStayWhenAValueIsRefused) {
  ASSERT_TRUE(registry_.CreateKey(kHkcu, key_ + "\\There").ok());
  EXPECT_TRUE(
      registry_.SetValue(kHkcu, key_ + "\\There\\New", RegistryValue::String("v", "x")).IsAccessDenied());
  EXPECT_TRUE(registry_.OpenKey(kHkcu, key_ + "\\There").ok());
  EXPECT_TRUE(registry_.OpenKey(kHkcu, key_ + "\\There\\New").IsNotFound());
}

}  // namespace
}  // namespace platform::win32
