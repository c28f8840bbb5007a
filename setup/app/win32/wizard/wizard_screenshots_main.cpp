// Screenshots of Setup.exe's wizard under Wine: each page of an
// installation of the example package in C:\pkg, the uninstallation and the
// clean-up question, saved as BMP files named as the Linux screenshots
// (setup-page02.bmp, ..., setup-cleanup.bmp). Usage: wizard_screenshots
// OUT_FOLDER [DPI] (DPI: the scale the window takes, as on a monitor of
// that DPI; default the system's).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "setup/app/default_answer_prompter.h"
#include "setup/app/engine_binding.h"
#include "setup/app/win32/wizard/win32_work_box.h"

namespace {

using namespace setup;
namespace fs = std::filesystem;

class NoDialogs : public win32::WizardDialogs {
 public:
  std::string ChooseFolder(HWND, const wizard::BrowseRequest&) override { return {}; }
  std::string ChooseFile(HWND, const wizard::BrowseRequest&) override { return {}; }
};

// Starts nothing: the screenshots need no readme in a text editor.
class NoLauncher : public wizard::ProgramLauncher {
 public:
  platform::Status Start(std::string_view, std::string_view) override {
    return platform::Status::InvalidArgument("no program starts while screenshots are taken");
  }
  platform::Status RunAndWait(std::string_view, wizard::EngineProgress&) override {
    return platform::Status::InvalidArgument("no program starts while screenshots are taken");
  }
  void RestartWindows() override {}
};

// The window as it shows, its frame included, as a 24-bit BMP file.
void SaveWindow(HWND window, const fs::path& file) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  // Wine's PrintWindow leaves out the frame and the child windows: the
  // picture comes from the screen, where the window is on top.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // Wine hands what a window painted to the display a moment later, while
  // the thread waits for messages.
  for (const DWORD until = GetTickCount() + 200; GetTickCount() < until;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  const DWORD size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{0x4d42,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
                          0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
  out.write(static_cast<const char*>(bits), size);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  std::cout << file.string() << "\n";
}

void Settle(win32::Win32WorkBox& box) {
  for (int i = 0; i < 10; ++i) {
    box.ProcessMessages();
    Sleep(20);
  }
}

// Saves the page of an engine in the middle of its first step.
class GrabbingProgress : public win32::Win32WorkBoxProgress {
 public:
  std::function<void()> on_first_item;
  void Advanced(int step) override {
    Win32WorkBoxProgress::Advanced(step);
    if (on_first_item) {
      std::function<void()> grab = std::move(on_first_item);
      on_first_item = nullptr;
      grab();
    }
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::cerr << "usage: wizard_screenshots OUT_FOLDER [DPI]\n";
    return 2;
  }
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const fs::path out = argv[1];
  const UINT dpi = argc > 2 ? static_cast<UINT>(_wtoi(argv[2])) : 0;
  const std::wstring suffix = dpi ? L"-" + std::to_wstring(dpi) + L"dpi" : L"";
  fs::create_directories(out);
  platform::win32::Win32System system;
  const fs::path package = L"C:\\pkg";
  const SetupScript script(package / "Setup.dat");
  std::ostringstream messages;
  wizard::ActionLog log;
  app::DefaultAnswerPrompter prompter(messages, wizard::Answer::kAbort);
  NoLauncher launcher;
  GrabbingProgress progress;
  NoDialogs dialogs;
  wizard::SetupRun run{system, prompter, log, launcher, progress, package / "Setup.exe", "C:\\pkg\\", {}};

  auto page_file = [&](int page) {
    return out /
           (L"setup-page" + std::wstring(page < 10 ? L"0" : L"") + std::to_wstring(page) + suffix + L".bmp");
  };
  auto drive = [&](wizard::WizardStart start, int last_page) {
    app::EngineBinding engines(run, script);
    win32::Win32LabelMeasure measure;
    wizard::WizardModel model(run, std::move(start), engines, &measure);
    win32::Win32WorkBox box(model, dialogs);
    if (!box.Create(nullptr)) return false;
    RECT anywhere{};
    if (dpi)
      SendMessageW(box.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&anywhere));
    progress.Attach(&box);
    box.Start();
    box.Show();
    Settle(box);
    auto click = [&](wizard::Control name) {
      SendMessageW(box.ControlWindow(name), BM_CLICK, 0, 0);
      Settle(box);
    };
    for (int guard = 0; guard < 20 && !box.closed(); ++guard) {
      const int page = model.page();
      if (page == 4 && GetWindowTextLengthW(box.ControlWindow(wizard::Control::kEdit401)) == 0) {
        SetWindowTextW(box.ControlWindow(wizard::Control::kEdit401),
                       L"\u5c71\u7530 \u592a\u90ce");  // 山田 太郎
      }
      if (page == 11 && model.control(wizard::Control::kCheckBox1102).checked)
        click(wizard::Control::kCheckBox1102);
      Settle(box);
      SaveWindow(box.window(), page_file(page));
      if (page >= last_page || model.page() <= 1) break;
      const int engine_page = page == 9 ? 10 : page == 12 ? 13 : 0;
      if (engine_page) {
        progress.on_first_item = [&, engine_page] {
          Settle(box);
          SaveWindow(box.window(), page_file(engine_page));
        };
      }
      click(wizard::Control::kButton2);
      if (model.page() == page) break;  // refused
    }
    if (model.mode() == wizard::WizardMode::kCleanUp) {
      SaveWindow(box.window(), out / (L"setup-cleanup" + suffix + L".bmp"));
    }
    // Finishes the pages the pictures stopped on, so that the next mode
    // finds the product installed.
    for (int guard = 0;
         guard < 5 && !box.closed() && model.page() > 1 && model.mode() != wizard::WizardMode::kCleanUp;
         ++guard) {
      click(wizard::Control::kButton2);
    }
    progress.Attach(nullptr);
    return true;
  };
  const bool shown = drive(wizard::WizardStart::Setup(script), 11) &&
                     drive(wizard::WizardStart::Uninstall("HelloKestro"), 14) &&
                     drive(wizard::WizardStart::CleanUp("C:\\pkg", script), 0);
  if (!messages.str().empty()) std::cerr << messages.str();
  return shown ? 0 : 1;
}
