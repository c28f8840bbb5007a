// Shell folders in the Windows build, from SHGetFolderPathW.
#include <array>
#include <string>
#include <utility>

#include "platform/target_system/known_folder.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

#include <shlobj.h>

namespace platform::target {
namespace {

// The Shell Folders value names and their CSIDL.
constexpr std::array<std::pair<std::string_view, int>, 22> kFolders = {{
    {"AppData", CSIDL_APPDATA},
    {"Cache", CSIDL_INTERNET_CACHE},
    {"Cookies", CSIDL_COOKIES},
    {"Desktop", CSIDL_DESKTOPDIRECTORY},
    {"Favorites", CSIDL_FAVORITES},
    {"Fonts", CSIDL_FONTS},
    {"History", CSIDL_HISTORY},
    {"Local AppData", CSIDL_LOCAL_APPDATA},
    {"NetHood", CSIDL_NETHOOD},
    {"Personal", CSIDL_PERSONAL},
    {"PrintHood", CSIDL_PRINTHOOD},
    {"Programs", CSIDL_PROGRAMS},
    {"Recent", CSIDL_RECENT},
    {"SendTo", CSIDL_SENDTO},
    {"Start Menu", CSIDL_STARTMENU},
    {"Startup", CSIDL_STARTUP},
    {"Templates", CSIDL_TEMPLATES},
    {"Common Desktop", CSIDL_COMMON_DESKTOPDIRECTORY},
    {"Common Programs", CSIDL_COMMON_PROGRAMS},
    {"Common Start Menu", CSIDL_COMMON_STARTMENU},
    {"Common Startup", CSIDL_COMMON_STARTUP},
    {"Common Favorites", CSIDL_COMMON_FAVORITES},
}};

}  // namespace

std::string KnownShellFolder(std::string_view value_name) {
  for (const auto& [name, csidl] : kFolders) {
    if (name != value_name) continue;
    // SHGetFolderPathW takes a MAX_PATH buffer; no shell folder is longer.
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    std::wstring text(folder);
    while (text.size() > 3 && text.back() == L'\\') text.pop_back();
    return win32::WideToUtf8(text);
  }
  return {};
}

}  // namespace platform::target
