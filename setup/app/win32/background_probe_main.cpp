// Paints Setup's background window with GDI outside the program, for the
// comparison with the toolkit's painting and for screenshots:
//   background_probe cases OUT_FOLDER
//     paints every background case into OUT_FOLDER/<case>.bmp (the case
//     pictures are written there first, and the scripts name them
//     relative to it);
//   background_probe screenshot SETUP_DAT OUT.bmp
//     shows the background window over the screen, painted from that
//     script, and writes what the window shows;
//   background_probe message OUT.bmp / background_probe browse OUT.bmp
//     shows the close question through the message box prompter, or the
//     folder picker as the destination page opens it, over that window,
//     writes what the box shows and cancels it.
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
#include "setup/app/win32/win32_browse_dialog.h"
#include "setup/app/win32/win32_prompter.h"

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

// What the screen shows where the window is: the window's own painting and
// its child controls' as they reached the display.
paint::PixelBuffer CaptureWindow(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  paint::PixelBuffer pixels = win32::PixelsOfBitmap(bitmap, w, h);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The dialog box of this thread that is open now, if any.
BOOL CALLBACK FindDialog(HWND wnd, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(wnd, name, 16);
  if (IsWindowVisible(wnd) && std::wstring(name) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = wnd;
    return FALSE;
  }
  return TRUE;
}

// Once a dialog has shown itself, writes what it shows and closes it with
// the given command; one at a time.
fs::path g_dialog_shot;
WPARAM g_dialog_close = IDCANCEL;
bool g_dialog_taken = false;

void CALLBACK TakeDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, timer);
  const paint::PixelBuffer shot = CaptureWindow(dialog);
  g_dialog_taken = !shot.empty() && WriteFile(g_dialog_shot, paint::EncodeBmp24(shot));
  PostMessageW(dialog, WM_COMMAND, g_dialog_close, 0);
}

int DialogScreenshot(const std::wstring& kind, const fs::path& out) {
  win32::TBackgrdForm form;
  if (!form.Create(GetModuleHandleW(nullptr))) return 1;
  form.ShowCovering();
  PumpFor(200);
  g_dialog_shot = out;
  if (kind == L"message") {
    g_dialog_close = IDNO;
    win32::Win32Prompter prompter([&] { return form.hwnd(); });
    SetTimer(nullptr, 0, 700, &TakeDialog);
    prompter.Ask(wizard::MakeMessage("インストールを中止してもよろしいですか？",
                                     wizard::MessageIcon::kQuestion, wizard::MessageButtons::kYesNo,
                                     wizard::Answer::kNo));
  } else {
    g_dialog_close = IDCANCEL;
    win32::TBrowseDialog dialog;
    dialog.Caption = "インストール先";
    dialog.Directory = "C:\\Program Files\\";
    SetTimer(nullptr, 0, 1500, &TakeDialog);
    dialog.Execute(form.hwnd());
  }
  if (!g_dialog_taken) return 1;
  std::printf("%s\n", out.string().c_str());
  return 0;
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
  if ((mode == L"message" || mode == L"browse") && argc == 3)
    return DialogScreenshot(mode, fs::absolute(argv[2]));
  std::fprintf(stderr,
               "usage: background_probe cases OUT_FOLDER | screenshot SETUP_DAT OUT.bmp | message OUT.bmp | "
               "browse OUT.bmp\n");
  return 2;
}
