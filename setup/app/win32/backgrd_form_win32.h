#pragma once

#include <string>

#include "platform/win32/windows_api.h"
#include "setup/app/paint/background_plan.h"
#include "setup/app/paint/pixel_buffer.h"
#include "setup/core/setup_script.h"

namespace setup::win32 {

// The installer's main window on Windows: borderless, black, titled
// "kestro Setup for Windows", showing the background painted once with GDI
// from [Background], stretched over its client area as the image control
// does.
class TBackgrdForm {
 public:
  TBackgrdForm() = default;
  ~TBackgrdForm();
  TBackgrdForm(const TBackgrdForm&) = delete;
  TBackgrdForm& operator=(const TBackgrdForm&) = delete;

  // Creates the hidden window at its designed size (465 x 302).
  bool Create(HINSTANCE instance);
  // Paints the background of a screen of that size from [Background]; the
  // picture file is read as the script names it (a relative name from the
  // current folder). A picture that cannot be read is left out.
  void Paint(const SetupScript& script, int screen_width, int screen_height);
  // Covers the primary screen and shows the window.
  void ShowCovering();

  HWND hwnd() const { return hwnd_; }
  const paint::PixelBuffer& image() const { return image_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void PaintTo(HDC dc) const;

  HWND hwnd_ = nullptr;
  paint::PixelBuffer image_;
};

// The plan, picture and painting of the background in one: what Paint
// shows, for tests and screenshots without a window.
paint::PixelBuffer PaintScriptBackground(const SetupScript& script, int screen_width, int screen_height);

}  // namespace setup::win32
