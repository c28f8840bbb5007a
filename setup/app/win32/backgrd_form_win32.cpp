#include "setup/app/win32/backgrd_form_win32.h"

#include "platform/win32/wide_text.h"
#include "setup/app/win32/gdi_background.h"
#include "setup/app/win32/wic_picture.h"
#include "setup/wizard/prompter.h"

namespace setup::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TBackgrdForm";

bool RegisterFormClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kClassName, &wc)) return true;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

paint::PixelBuffer PaintScriptBackground(const SetupScript& script, int screen_width, int screen_height) {
  const GdiFontMeasure measure;
  const paint::BackgroundPlan plan = paint::PlanBackground(script, screen_width, screen_height, measure);
  paint::PixelBuffer picture;
  if (plan.picture_mode != paint::PictureMode::kNone) {
    picture = LoadPictureWic(platform::win32::Utf8ToWide(plan.picture_file));
  }
  return PaintBackgroundGdi(plan, picture);
}

TBackgrdForm::~TBackgrdForm() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool TBackgrdForm::Create(HINSTANCE instance) {
  if (!RegisterFormClass(instance)) return false;
  const std::wstring title = platform::win32::Utf8ToWide(wizard::kSetupTitle);
  hwnd_ = CreateWindowExW(0, kClassName, title.c_str(), WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 465, 302,
                          nullptr, nullptr, instance, nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TBackgrdForm::WindowProc));
  return true;
}

void TBackgrdForm::Paint(const SetupScript& script, int screen_width, int screen_height) {
  image_ = PaintScriptBackground(script, screen_width, screen_height);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TBackgrdForm::ShowCovering() {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_SHOWWINDOW);
  UpdateWindow(hwnd_);
}

void TBackgrdForm::PaintTo(HDC dc) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (image_.empty()) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image_.width;
  info.bmiHeader.biHeight = -image_.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, image_.width, image_.height,
                image_.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK TBackgrdForm::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* form = reinterpret_cast<TBackgrdForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (form) {
    switch (message) {
      case WM_ERASEBKGND: return 1;  // the picture covers everything
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        form->PaintTo(dc);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_PRINTCLIENT: form->PaintTo(reinterpret_cast<HDC>(wparam)); return 0;
      default: break;
    }
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace setup::win32
