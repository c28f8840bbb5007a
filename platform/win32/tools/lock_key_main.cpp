// lock_key.exe HKLM|HKCU KEY: makes KEY (in the 32-bit view, as the
// installer sees it) and locks it and every key made below it against value
// changes, for everyone; all else stays allowed. The Wine tests use it for a
// registry key the user may not write.
#include <windows.h>
// windows.h first: the security header needs its types.
#include <sddl.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 || (std::wcscmp(argv[1], L"HKLM") != 0 && std::wcscmp(argv[1], L"HKCU") != 0)) {
    std::fputs("usage: lock_key HKLM|HKCU KEY\n", stderr);
    return 2;
  }
  HKEY root = std::wcscmp(argv[1], L"HKLM") == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  HKEY key = nullptr;
  LONG error = RegCreateKeyExW(root, argv[2], 0, nullptr, REG_OPTION_NON_VOLATILE,
                               WRITE_DAC | KEY_WOW64_32KEY, nullptr, &key, nullptr);
  PSECURITY_DESCRIPTOR lock = nullptr;
  if (error == ERROR_SUCCESS && !ConvertStringSecurityDescriptorToSecurityDescriptorW(
                                    L"D:P(D;CI;0x2;;;WD)(A;CI;KA;;;WD)", SDDL_REVISION_1, &lock, nullptr)) {
    error = static_cast<LONG>(GetLastError());
  }
  if (error == ERROR_SUCCESS) error = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, lock);
  if (lock) LocalFree(lock);
  if (key) RegCloseKey(key);
  if (error != ERROR_SUCCESS) std::fprintf(stderr, "lock_key: Windows error %ld\n", error);
  return error == ERROR_SUCCESS ? 0 : 1;
}
