// Shell change notices in the Windows build.
#include <string>

#include "platform/target_system/shell_notify.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/windows_api.h"

#include <shlobj.h>

namespace platform::target {

void NotifyAssociationsChanged() { win32::NotifyAssociationsChanged(); }

void NotifyItemCreated(std::string_view path) {
  const std::wstring wide = win32::Utf8ToWide(path);
  SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW, wide.c_str(), nullptr);
}

}  // namespace platform::target
