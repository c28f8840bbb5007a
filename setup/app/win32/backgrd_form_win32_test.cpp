#include "setup/app/win32/backgrd_form_win32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/win32/wide_text.h"
#include "setup/app/win32/pixel_bitmap_win32.h"

namespace setup::win32 {
namespace {

namespace fs = std::filesystem;

// The window shows its painting over the whole screen, without border or
// caption, under the application's title. Under Wine it needs a display
// (scripts/test-windows.sh gives it a virtual one).
TEST(BackgrdFormWin32Test, CoversTheScreenWithItsPainting) {
  const fs::path script = fs::temp_directory_path() / "kestro-backgrd-form.dat";
  std::ofstream(script, std::ios::binary) << "[Background]\r\nWay=1\r\nRed=7\r\nBlue=9\r\nCaption1=Hi\r\n";
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  TBackgrdForm form;
  ASSERT_TRUE(form.Create(GetModuleHandleW(nullptr)));
  form.Paint(SetupScript(script), w, h);
  fs::remove(script);
  ASSERT_EQ(form.image().width, w);
  ASSERT_EQ(form.image().height, h);
  EXPECT_EQ(form.image().At(w - 1, 0), paint::Opaque(7, 255, 9));
  form.ShowCovering();

  HWND hwnd = form.hwnd();
  ASSERT_TRUE(IsWindowVisible(hwnd)) << "no display?";
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, w);
  EXPECT_EQ(r.bottom, h);
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
  wchar_t title[64] = {};
  GetWindowTextW(hwnd, title, 64);
  EXPECT_STREQ(title, L"kestro Setup for Windows");

  // What the window paints, taken as it prints its client area.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  SelectObject(memory, old);
  const paint::PixelBuffer shown = PixelsOfBitmap(bitmap, w, h);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(shown.width, w);
  paint::PixelBuffer painted = form.image();
  for (paint::Argb& p : painted.pixels) p |= 0xFF000000u;
  EXPECT_TRUE(shown.pixels == painted.pixels);
}

}  // namespace
}  // namespace setup::win32
