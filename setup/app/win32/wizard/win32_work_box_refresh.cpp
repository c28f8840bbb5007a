// The Win32 wizard window brought up to the model's state, and the engine's
// progress shown on it.
#include "setup/app/win32/wizard/win32_work_box.h"
// windows.h first: the common controls header needs its types.
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "setup/app/win32/wizard/win32_artwork.h"
#include "setup/app/win32/wizard/window_text.h"
#include "setup/app/work_box_layout.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::win32 {
namespace {

using platform::win32::Utf8ToWide;
using window::ControlKind;
using window::KindOf;
using window::ParentOf;
using wizard::Control;

constexpr int kMarkerTopOffset = 1;  // the marker's top is the label's top + 1

// The window's own controls, which the model does not drive: the left
// picture, the bevel and the step markers the engine progress moves.
bool IsWindowOwned(Control control) {
  return control == Control::kImage1 || control == Control::kBevel1 || control == Control::kImage1002 ||
         control == Control::kImage1302;
}

}  // namespace

void Win32WorkBox::Refresh() {
  if (!window_) return;
  ++updating_;
  const std::wstring caption = Utf8ToWide(model_.caption());
  if (WindowText(window_) != caption) SetWindowTextW(window_, caption.c_str());
  ApplyCloseCommand();
  if (model_.page() <= wizard::kLastPage) furthest_page_ = std::max(furthest_page_, model_.page());
  if (static_cast<bool>(IsWindowEnabled(window_)) != model_.window_enabled()) {
    EnableWindow(window_, model_.window_enabled());
  }
  for (const wizard::Control name : wizard::AllControls()) {
    HWND control = ControlWindow(name);
    if (control && !IsWindowOwned(name)) Apply(name, control, model_.control(name));
  }
  ShowWindow(ControlWindow(Control::kImage1), model_.cleanup_layout() ? SW_HIDE : SW_SHOWNA);
  // The installer's title carries its small "TM" right after the first line.
  if (HWND title = ControlWindow(Control::kLabel1211)) {
    const std::string& text = model_.control(Control::kLabel1211).text;
    const std::wstring first = Utf8ToWide(text.substr(0, text.find('\n')));
    HDC dc = GetDC(title);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, first.c_str(), static_cast<int>(first.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(title, dc);
    const RECT& place = *places_[At(Control::kLabel1211)];
    RECT& tm = *places_[At(Control::kLabel1212)];
    const LONG width = tm.right - tm.left;
    const LONG height = tm.bottom - tm.top;
    tm.left = place.left + MulDiv(size.cx, 96, static_cast<int>(dpi_)) + 1;
    tm.top = place.top - 3;
    tm.right = tm.left + width;
    tm.bottom = tm.top + height;
    SetWindowPos(ControlWindow(Control::kLabel1212), nullptr, Scale(tm.left), Scale(tm.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  --updating_;
}

void Win32WorkBox::Apply(wizard::Control name, HWND control, const wizard::ControlState& state) {
  bool visible = state.visible;
  if (const std::optional<wizard::Control> parent = ParentOf(name))
    visible = visible && model_.control(*parent).visible;
  if (model_.cleanup_layout() &&
      (name == Control::kButton1 || name == Control::kButton2 || name == Control::kButton3)) {
    visible = false;
  }
  if (static_cast<bool>(IsWindowVisible(control)) != visible)
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
  if (static_cast<bool>(IsWindowEnabled(control)) != state.enabled) EnableWindow(control, state.enabled);
  SetHint(name, control, state.hint);
  HFONT wanted = FontOf(name);
  if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) != wanted) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
  }
  std::string& shown = shown_text_[At(name)];
  switch (KindOf(name)) {
    case ControlKind::kLabel:
    case ControlKind::kEdit:
    case ControlKind::kButton:
    case ControlKind::kSpeedButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      if (shown != state.text || WindowText(control).empty() != state.text.empty()) {
        shown = state.text;
        SetWindowTextW(control, WithCrLf(state.text).c_str());
      }
      if (KindOf(name) == ControlKind::kCheckBox || KindOf(name) == ControlKind::kRadioButton) {
        const WPARAM check = state.checked ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != check) {
          SendMessageW(control, BM_SETCHECK, check, 0);
        }
      }
      break;
    case ControlKind::kMemo: {
      std::string all;
      for (std::size_t i = 0; i < state.items.size(); ++i) all += (i ? "\n" : "") + state.items[i];
      if (shown != all) {
        shown = all;
        SetWindowTextW(control, WithCrLf(all).c_str());
      }
      break;
    }
    case ControlKind::kListBox: {
      std::string all;
      for (const std::string& item : state.items) all += item + '\x1f';
      if (shown != all) {
        shown = all;
        SendMessageW(control, LB_RESETCONTENT, 0, 0);
        for (const std::string& item : state.items) {
          SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
        }
      }
      const bool multiple = (GetWindowLongPtrW(control, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
      int single = -1;
      for (std::size_t row = 0; row < state.items.size(); ++row) {
        const bool on = row < state.selected.size() && state.selected[row];
        if (on && single < 0) single = static_cast<int>(row);
        if (multiple && (SendMessageW(control, LB_GETSEL, row, 0) > 0) != on) {
          SendMessageW(control, LB_SETSEL, on, static_cast<LPARAM>(row));
        }
      }
      if (!multiple && SendMessageW(control, LB_GETCURSEL, 0, 0) != single) {
        SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(single), 0);
      }
      break;
    }
    case ControlKind::kProgressBar: {
      // A bar without steps stays empty.
      const std::string maximum = std::to_string(state.maximum);
      if (shown != maximum) {
        shown = maximum;
        SendMessageW(control, PBM_SETRANGE32, 0, std::max(1, state.maximum));
        SendMessageW(control, PBM_SETPOS, 0, 0);
      }
      break;
    }
    case ControlKind::kImage: {
      // The model names a picture file; without one the window's artwork
      // shows. A picture that cannot be read is ignored.
      if (picture_files_[At(name)] == state.text) break;
      picture_files_[At(name)] = state.text;
      HBITMAP picture =
          state.text.empty()
              ? ArtworkBitmap(name)
              : static_cast<HBITMAP>(LoadImageW(nullptr, Utf8ToWide(state.text).c_str(), IMAGE_BITMAP, 0, 0,
                                                LR_LOADFROMFILE | LR_CREATEDIBSECTION));
      if (picture) {
        if (pictures_[At(name)]) DeleteObject(pictures_[At(name)]);
        pictures_[At(name)] = picture;
        InvalidateRect(control, nullptr, TRUE);
      }
      break;
    }
    case ControlKind::kPanel:
    case ControlKind::kUnknown: break;
  }
}

void Win32WorkBox::SetHint(wizard::Control name, HWND control, const std::string& hint) {
  // A tool tip is the part of a hint before its "|".
  const std::string tip = hint.substr(0, hint.find('|'));
  std::string& shown = shown_hint_[At(name)];
  if (shown == tip || !tooltip_) return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  if (!shown.empty()) SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  shown = tip;
  if (tip.empty()) return;
  std::wstring text = Utf8ToWide(tip);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32WorkBox::ApplyCloseCommand() {
  // DisableCloseCommand: the Close command leaves the system menu, which
  // also greys the close box; a reset brings it back.
  const bool wanted = model_.close_command_enabled();
  if (wanted == close_command_shown_) return;
  close_command_shown_ = wanted;
  if (wanted) {
    GetSystemMenu(window_, TRUE);
  } else {
    DeleteMenu(GetSystemMenu(window_, FALSE), SC_CLOSE, MF_BYCOMMAND);
  }
  DrawMenuBar(window_);
}

void Win32WorkBox::DrawImage(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  const std::optional<wizard::Control> name = WorkBoxControlOf(static_cast<int>(item.CtlID));
  HBITMAP picture = name ? pictures_[At(*name)] : nullptr;
  if (!picture) return;
  BITMAP info{};
  GetObjectW(picture, sizeof(info), &info);
  // Artwork scales with the window; a picture is centred in its control.
  const int width = Scale(info.bmWidth);
  const int height = Scale(info.bmHeight);
  const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - width) / 2;
  const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - height) / 2;
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(source, picture);
  SetStretchBltMode(item.hDC, dpi_ % 96 == 0 ? COLORONCOLOR : HALFTONE);
  StretchBlt(item.hDC, x, y, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void Win32WorkBox::StepStarted(int step) {
  if (!synced_for_engine_) {
    Refresh();  // the page of the engine was set up inside the running handler
    synced_for_engine_ = true;
  }
  const std::optional<wizard::StepRow> row = StepControls(step);
  if (!row) return;
  RECT& place = *places_[At(row->marker)];
  const LONG height = place.bottom - place.top;
  place.top = places_[At(row->label)]->top + kMarkerTopOffset;
  place.bottom = place.top + height;
  SetWindowPos(ControlWindow(row->marker), nullptr, Scale(place.left), Scale(place.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(ControlWindow(row->marker), SW_SHOWNA);
  engine_bold_label_ = row->label;
  Refresh();
  Pump();
}

void Win32WorkBox::Advanced(int step) {
  const std::optional<wizard::StepRow> row = StepControls(step);
  if (!row) return;
  if (HWND progress = ControlWindow(row->bar)) {
    const int maximum = static_cast<int>(SendMessageW(progress, PBM_GETRANGE, FALSE, 0));
    const int position = static_cast<int>(SendMessageW(progress, PBM_GETPOS, 0, 0));
    SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(std::min(maximum, position + 1)), 0);
  }
  Pump();
}

void Win32WorkBox::StepFinished(int step) {
  const std::optional<wizard::StepRow> row = StepControls(step);
  if (!row) return;
  ShowWindow(ControlWindow(row->marker), SW_HIDE);
  engine_bold_label_.reset();
  Refresh();
}

void Win32WorkBox::Pump() {
  if (!synced_for_engine_) {
    Refresh();
    synced_for_engine_ = true;
  }
  // Thousands of small files go by in a second; the window is repainted and
  // answers keys at a frame's pace, not once per file.
  if (!pump_throttle_.Due(window::PumpThrottle::Clock::now())) return;
  ProcessMessages();
}

}  // namespace setup::win32
