#pragma once

#include "platform/win32/windows_api.h"
// windows_api.h first: it fixes the macros the engines' names clash with.
#include <objbase.h>

namespace setup::win32 {

// COM for this thread while a shell or imaging call runs; balanced only
// when it started here (a thread already in another apartment keeps it).
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

}  // namespace setup::win32
