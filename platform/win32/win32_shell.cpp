#include "platform/win32/win32_shell.h"

#include "platform/win32/windows_api.h"
// windows.h first: the shell and COM headers need its types.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <functional>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"

namespace platform::win32 {
namespace {

// Calls fill with a growing buffer until the text fits; fill returns the
// length written, or the size needed when the buffer is too small, or 0.
std::wstring GrowingText(const std::function<UINT(wchar_t*, UINT)>& fill) {
  std::wstring text(MAX_PATH, L'\0');
  while (true) {
    const UINT length = fill(text.data(), static_cast<UINT>(text.size()));
    if (length == 0) return {};
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(length + 1);
  }
}

std::string WithoutTrailingBackslashes(std::wstring text) {
  while (!text.empty() && text.back() == L'\\') text.pop_back();
  return WideToUtf8(text);
}

// COM for the calls of one function, on this thread.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  HRESULT result_;
};

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T** out() { return &p_; }
  T* operator->() const { return p_; }

 private:
  T* p_ = nullptr;
};

Status FromHresult(HRESULT result, std::string_view what) {
  if (SUCCEEDED(result)) return Status::Ok();
  if (result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
      result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)) {
    return Status::NotFound(std::string(what) + " does not exist");
  }
  if (result == E_ACCESSDENIED) return Status::AccessDenied(std::string(what) + ": access denied");
  char code[16];
  wsprintfA(code, "%08lX", static_cast<unsigned long>(result));
  return Status::IoError(std::string(what) + ": COM error 0x" + code);
}

Status OpenLink(ComPtr<IShellLinkW>* link, ComPtr<IPersistFile>* file, std::string_view what) {
  Status s = FromHresult(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                          reinterpret_cast<void**>(link->out())),
                         what);
  if (s.ok())
    s = FromHresult((*link)->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file->out())), what);
  return s;
}

}  // namespace

int OsKindOf(std::uint32_t platform_id, std::uint32_t major, std::uint32_t minor) {
  if (platform_id == VER_PLATFORM_WIN32_WINDOWS) {
    if (major != 4) return 100;
    return minor < 10 ? 101 : minor < 90 ? 102 : 103;
  }
  if (platform_id == VER_PLATFORM_WIN32_NT) return major == 4 ? 201 : major == 5 && minor == 0 ? 202 : 200;
  return 0;
}

int RunningOsKind() {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto get_version = ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                                 reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                           : nullptr;
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!get_version || get_version(&version) != 0) return 0;
  return OsKindOf(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}

SystemSettings RunningSystemSettings() {
  SystemSettings settings;
  settings.os_kind = RunningOsKind();
  settings.windows_folder = WithoutTrailingBackslashes(GrowingText(GetWindowsDirectoryW));
  std::wstring system = GrowingText(GetSystemWow64DirectoryW);
  if (system.empty()) system = GrowingText(GetSystemDirectoryW);
  settings.system_folder = WithoutTrailingBackslashes(system);
  settings.temp_folder = WithoutTrailingBackslashes(
      GrowingText([](wchar_t* buffer, UINT size) { return static_cast<UINT>(GetTempPathW(size, buffer)); }));
  std::wstring user(257, L'\0');
  DWORD size = static_cast<DWORD>(user.size());
  if (GetUserNameW(user.data(), &size) && size > 0) {
    user.resize(size - 1);  // the count includes the NUL
    settings.user_name = WideToUtf8(user);
  }
  settings.drives.clear();
  return settings;
}

Status MoveToRecycleBin(std::string_view path) {
  const std::wstring wide = Utf8ToWide(path);
  if (GetFileAttributesW(LongPath(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
    return Status::NotFound(std::string(path) + " does not exist");
  }
  // The shell takes a list ending in two NULs and no "\\?\" prefix.
  std::wstring list = wide + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  const int result = SHFileOperationW(&operation);
  if (result != 0 || operation.fAnyOperationsAborted) {
    return Status::IoError(std::string(path) + ": the recycle bin refused it (" + std::to_string(result) +
                           ")");
  }
  return Status::Ok();
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

Status SaveShellLink(std::string_view link_path, const ShellLinkFields& fields) {
  ComScope com;
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  Status s = OpenLink(&link, &file, link_path);
  if (!s.ok()) return s;
  link->SetPath(Utf8ToWide(fields.target).c_str());
  link->SetDescription(Utf8ToWide(fields.description).c_str());
  link->SetArguments(Utf8ToWide(fields.arguments).c_str());
  link->SetWorkingDirectory(Utf8ToWide(fields.working_folder).c_str());
  if (!fields.icon_file.empty())
    link->SetIconLocation(Utf8ToWide(fields.icon_file).c_str(), fields.icon_index);
  link->SetShowCmd(fields.show_command);
  // The shell takes the link's own path and keeps the target relative to
  // it. Wine (8.0) writes that path without the flag that announces it, so
  // every later text of the link would read one field off: not under Wine.
  if (fields.relative && !RunningUnderWine()) link->SetRelativePath(Utf8ToWide(link_path).c_str(), 0);
  return FromHresult(file->Save(Utf8ToWide(link_path).c_str(), TRUE), link_path);
}

Status LoadShellLink(std::string_view link_path, ShellLinkFields* fields) {
  ComScope com;
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  Status s = OpenLink(&link, &file, link_path);
  if (s.ok()) s = FromHresult(file->Load(Utf8ToWide(link_path).c_str(), STGM_READ), link_path);
  if (!s.ok()) return s;
  // Link fields are short by design: INFOTIPSIZE characters at most.
  std::wstring text(INFOTIPSIZE + 1, L'\0');
  auto take = [&text]() { return WideToUtf8(text.c_str()); };
  WIN32_FIND_DATAW found{};
  if (SUCCEEDED(link->GetPath(text.data(), static_cast<int>(text.size()), &found, SLGP_RAWPATH))) {
    fields->target = take();
    fields->target_attributes = found.dwFileAttributes;
    fields->target_size = found.nFileSizeLow;
  }
  if (SUCCEEDED(link->GetDescription(text.data(), static_cast<int>(text.size()))))
    fields->description = take();
  if (SUCCEEDED(link->GetArguments(text.data(), static_cast<int>(text.size())))) fields->arguments = take();
  if (SUCCEEDED(link->GetWorkingDirectory(text.data(), static_cast<int>(text.size()))))
    fields->working_folder = take();
  int index = 0;
  if (SUCCEEDED(link->GetIconLocation(text.data(), static_cast<int>(text.size()), &index))) {
    fields->icon_file = take();
    fields->icon_index = index;
  }
  link->GetShowCmd(&fields->show_command);
  return Status::Ok();
}

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace platform::win32
