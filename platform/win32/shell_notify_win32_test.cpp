#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/target_system/shell_notify.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

#include <shlobj.h>

namespace platform::target {
namespace {

constexpr UINT kShellNotice = WM_APP + 1;

// Notices reach the window procedure directly when the shell sends them.
LONG g_events_heard = 0;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kShellNotice) return DefWindowProcW(window, message, wparam, lparam);
  LONG event = 0;
  PIDLIST_ABSOLUTE* items = nullptr;
  HANDLE lock =
      SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wparam), static_cast<DWORD>(lparam), &items, &event);
  if (lock != nullptr) SHChangeNotification_Unlock(lock);
  g_events_heard |= event;
  return 0;
}

// A message-only window registered for the shell's change notices; it keeps
// the events it receives.
class ShellNoticeListener {
 public:
  explicit ShellNoticeListener(LONG events) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = ListenerProc;
    window_class.lpszClassName = L"KestroShellNoticeListener";
    RegisterClassW(&window_class);
    g_events_heard = 0;
    window_ = CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              nullptr, nullptr);
    SHChangeNotifyEntry entry{nullptr, TRUE};
    registration_ =
        SHChangeNotifyRegister(window_, SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery,
                               events, kShellNotice, 1, &entry);
  }
  ~ShellNoticeListener() {
    if (registration_ != 0) SHChangeNotifyDeregister(registration_);
    if (window_ != nullptr) DestroyWindow(window_);
  }
  bool registered() const { return window_ != nullptr && registration_ != 0; }

  // Waits up to two seconds for an event in mask.
  bool Received(LONG mask) {
    for (int round = 0; round < 200; ++round) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      if (g_events_heard & mask) return true;
      Sleep(10);
    }
    return false;
  }

 private:
  HWND window_ = nullptr;
  ULONG registration_ = 0;
};

TEST(ShellNotifyWin32Test, TheShellHearsOfNewAssociationsAndNewShortcuts) {
  ShellNoticeListener listener(SHCNE_ASSOCCHANGED | SHCNE_CREATE);
  ASSERT_TRUE(listener.registered());
  NotifyAssociationsChanged();
  EXPECT_TRUE(listener.Received(SHCNE_ASSOCCHANGED));

  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring link =
      std::wstring(temp) + L"notice-" + std::to_wstring(GetCurrentProcessId()) + L".lnk";
  HANDLE h = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  NotifyItemCreated(win32::WideToUtf8(link));
  EXPECT_TRUE(listener.Received(SHCNE_CREATE));
  DeleteFileW(link.c_str());
}

}  // namespace
}  // namespace platform::target
