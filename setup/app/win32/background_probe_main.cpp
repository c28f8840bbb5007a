// Paints Setup's background window with GDI outside the program, for the
// comparison with the toolkit's painting and for screenshots:
//   background_probe cases OUT_FOLDER
//     paints every background case into OUT_FOLDER/<case>.bmp (the case
//     pictures are written there first, and the scripts name them
//     relative to it);
//   background_probe screenshot SETUP_DAT OUT.bmp
//     shows the background window over the screen, painted from that
//     script, and writes what the window shows.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
#include "setup/app/paint/background_cases.h"
#include "setup/app/paint/bmp_file.h"
#include "setup/app/win32/backgrd_form_win32.h"
#include "setup/app/win32/pixel_bitmap_win32.h"

namespace fs = std::filesystem;
using namespace setup;
using platform::win32::Utf8ToWide;
using platform::win32::WideToCp932;

namespace {

bool WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out.flush());
}

int PaintCases(const fs::path& folder) {
  fs::create_directories(folder);
  for (const paint::CasePicture& picture : paint::CasePictures()) {
    if (!WriteFile(folder / picture.file, paint::EncodeBmp24(picture.pixels))) return 1;
  }
  fs::current_path(folder);
  for (const paint::BackgroundCase& c : paint::BackgroundCases()) {
    const fs::path script = folder / (c.name + ".dat");
    if (!WriteFile(script, WideToCp932(Utf8ToWide("[Background]\r\n" + c.background)))) return 1;
    const paint::PixelBuffer painted = win32::PaintScriptBackground(SetupScript(script), c.width, c.height);
    if (!WriteFile(folder / (c.name + ".bmp"), paint::EncodeBmp24(painted))) return 1;
    std::printf("%s %dx%d\n", c.name.c_str(), painted.width, painted.height);
  }
  return 0;
}

void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
}

// What the screen shows where the window is: the window's own painting as
// it reached the display.
paint::PixelBuffer CaptureWindow(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  if (!PrintWindow(hwnd, memory, 0)) BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  paint::PixelBuffer pixels = win32::PixelsOfBitmap(bitmap, w, h);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

int Screenshot(const fs::path& script, const fs::path& out) {
  win32::TBackgrdForm form;
  if (!form.Create(GetModuleHandleW(nullptr))) return 1;
  fs::current_path(script.parent_path());
  form.Paint(SetupScript(script), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  form.ShowCovering();
  PumpFor(500);
  const paint::PixelBuffer shot = CaptureWindow(form.hwnd());
  if (shot.empty() || !WriteFile(out, paint::EncodeBmp24(shot))) return 1;
  std::printf("%s %dx%d\n", out.string().c_str(), shot.width, shot.height);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"cases" && argc == 3) return PaintCases(fs::absolute(argv[2]));
  if (mode == L"screenshot" && argc == 4) return Screenshot(fs::absolute(argv[2]), fs::absolute(argv[3]));
  std::fprintf(stderr, "usage: background_probe cases OUT_FOLDER | screenshot SETUP_DAT OUT.bmp\n");
  return 2;
}
