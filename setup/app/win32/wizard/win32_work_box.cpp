#include "setup/app/win32/wizard/win32_work_box.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "platform/win32/wide_text.h"
#include "setup/app/win32/wizard/win32_artwork.h"
#include "setup/app/win32/wizard/window_text.h"
#include "setup/app/work_box_layout.h"
#include "setup/wizard/model/wizard_pages.h"

namespace setup::win32 {
namespace {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;
using window::ControlKind;
using window::KindOf;
using window::ParentOf;
using wizard::Control;

constexpr wchar_t kClassName[] = L"TWorkBox";
constexpr UINT_PTR kTimer1 = 1;
constexpr int kFirstControlId = 1000;
constexpr int kRowTolerance = 4;  // tops this close stand in one row
constexpr wchar_t kFontFace[] = L"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af";  // ＭＳ Ｐゴシック

HFONT MakeFont(UINT dpi, int points, bool bold) {
  return CreateFontW(-MulDiv(points, static_cast<int>(dpi), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                     FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kFontFace);
}

bool IsInputControl(Control name) {
  switch (KindOf(name)) {
    case ControlKind::kEdit:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kListBox: return true;
    default: return false;
  }
}

bool IsPushButton(Control name) {
  return KindOf(name) == ControlKind::kButton || KindOf(name) == ControlKind::kSpeedButton;
}

bool SingleLine(Control control) {
  const window::ControlPlace* place = window::FindPlace(control);
  return place && place->height <= 16;
}

bool IsUserEntryLabel(Control control) {
  return control == Control::kLabel402 || control == Control::kLabel403 || control == Control::kLabel404;
}

}  // namespace

int WorkBoxControlId(Control control) { return kFirstControlId + wizard::ControlIndex(control); }

std::optional<Control> WorkBoxControlOf(int id) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= wizard::kControlCount) return std::nullopt;
  return static_cast<Control>(index);
}

bool Win32LabelMeasure::Fits(Control label, std::string_view text) const {
  const window::ControlPlace* place = window::FindPlace(label);
  if (!place) return true;
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = MakeFont(96, 9, false);
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring wide = Utf8ToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return size.cx <= place->width;
}

Win32WorkBox::Win32WorkBox(wizard::WizardModel& model, WizardDialogs& dialogs)
    : model_(model), dialogs_(dialogs) {}

Win32WorkBox::~Win32WorkBox() {
  if (window_) DestroyWindow(window_);
  for (HBITMAP bitmap : pictures_) {
    if (bitmap) DeleteObject(bitmap);
  }
  DeleteFonts();
}

bool Win32WorkBox::Create(HWND owner) {
  owner_ = owner;
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);  // fails harmlessly when already registered
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, L"",
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT,
                            CW_USEDEFAULT, 100, 100, owner, nullptr, window_class.hInstance, this);
  if (!window_) return false;
  dpi_ = GetDpiForWindow(window_);
  if (dpi_ == 0) dpi_ = 96;
  CreateFonts();

  // Places in the window: page controls sit on their page's panel.
  for (const window::ControlPlace& place : window::ControlPlaces()) {
    const std::optional<Control> parent = ParentOf(place.control);
    const int x = place.x + (!parent || parent == Control::kPanel1 ? 0 : window::kPanelX);
    places_[At(place.control)] = RECT{x, place.y, x + place.width, place.y + place.height};
  }
  // Tab order is creation order: each panel's controls row by row from the
  // top, each row from the left, then the buttons.
  std::vector<Control> names;
  for (const Control name : wizard::AllControls()) {
    if (KindOf(name) != ControlKind::kPanel && name != Control::kBevel1) names.push_back(name);
  }
  auto top = [this](Control name) {
    return places_[At(name)] ? static_cast<int>(places_[At(name)]->top) : INT_MAX;
  };
  auto left = [this](Control name) {
    return places_[At(name)] ? static_cast<int>(places_[At(name)]->left) : INT_MAX;
  };
  // Groups: the window's own first, then each panel, then the buttons.
  auto group = [](Control name) {
    if (const std::optional<Control> parent = ParentOf(name)) return 1 + wizard::ControlIndex(*parent);
    return KindOf(name) == ControlKind::kButton ? INT_MAX : 0;
  };
  std::stable_sort(names.begin(), names.end(), [&](Control a, Control b) {
    if (group(a) != group(b)) return group(a) < group(b);
    if (group(a) == INT_MAX) return a < b;
    if (std::abs(top(a) - top(b)) > kRowTolerance) return top(a) < top(b);
    return left(a) < left(b);
  });
  bevel_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, 0, 0, 0, window_,
                           nullptr, nullptr, nullptr);
  for (const Control name : names) CreateControl(name);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                             nullptr, nullptr);
  for (const Control own : {Control::kImage1, Control::kImage1002, Control::kImage1302}) {
    pictures_[At(own)] = ArtworkBitmap(own);
  }
  for (const Control marker : {Control::kImage1002, Control::kImage1302})
    ShowWindow(ControlWindow(marker), SW_HIDE);
  Place();
  return true;
}

void Win32WorkBox::CreateFonts() {
  font_ = MakeFont(dpi_, 9, false);
  bold_font_ = MakeFont(dpi_, 9, true);
  small_font_ = MakeFont(dpi_, 5, false);
}

HFONT Win32WorkBox::FontOf(wizard::Control control) const {
  if (control == Control::kLabel1212) return small_font_;
  return model_.control(control).bold || control == engine_bold_label_ ? bold_font_ : font_;
}

void Win32WorkBox::DeleteFonts() {
  for (HFONT* font : {&font_, &bold_font_, &small_font_}) {
    if (*font) DeleteObject(*font);
    *font = nullptr;
  }
}

void Win32WorkBox::CreateControl(Control name) {
  const wchar_t* window_class = L"STATIC";
  DWORD style = WS_CHILD;
  DWORD ex_style = 0;
  switch (KindOf(name)) {
    case ControlKind::kLabel:
      // The user-information captions keep their "&" as access keys, which
      // focus the edit box after them.
      // A label of one line is cut at its edge rather than wrapped into a
      // second line no one sees.
      style |= (SingleLine(name) ? SS_LEFTNOWORDWRAP : SS_LEFT) | SS_NOTIFY |
               (IsUserEntryLabel(name) ? 0 : SS_NOPREFIX);
      break;
    case ControlKind::kImage: style |= SS_OWNERDRAW; break;
    case ControlKind::kEdit:
      window_class = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kMemo:
      window_class = L"EDIT";
      style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kListBox:
      window_class = L"LISTBOX";
      style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
               (name == Control::kListBox701 ? LBS_EXTENDEDSEL : 0);
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kCheckBox:
      window_class = L"BUTTON";
      style |= WS_TABSTOP | BS_CHECKBOX;  // the model decides the state
      break;
    case ControlKind::kRadioButton:
      window_class = L"BUTTON";
      style |= WS_TABSTOP | BS_RADIOBUTTON;  // the model unchecks the partner
      break;
    case ControlKind::kButton:
    case ControlKind::kSpeedButton: {
      window_class = L"BUTTON";
      const bool is_default = name == (model_.cleanup_layout() ? Control::kButton4 : Control::kButton2);
      style |= WS_TABSTOP | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    }
    case ControlKind::kProgressBar:
      window_class = PROGRESS_CLASSW;
      style |= PBS_SMOOTH;
      break;
    case ControlKind::kPanel:
    case ControlKind::kUnknown: return;
  }
  const int id = WorkBoxControlId(name);
  HWND control = CreateWindowExW(ex_style, window_class, L"", style, 0, 0, 0, 0, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (!control) return;
  controls_[At(name)] = control;
  tab_order_.push_back(name);
  if (KindOf(name) == ControlKind::kProgressBar) {
    SendMessageW(control, PBM_SETRANGE32, 0, 1);
    SendMessageW(control, PBM_SETPOS, 0, 0);
  }
}

HWND Win32WorkBox::ControlWindow(wizard::Control control) const { return controls_[At(control)]; }

void Win32WorkBox::Place() {
  RECT frame{0, 0, Scale(client_.cx), Scale(client_.cy)};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const wizard::Control name : wizard::AllControls()) {
    HWND control = ControlWindow(name);
    if (!control || !places_[At(name)]) continue;
    const RECT& r = *places_[At(name)];
    SetWindowPos(control, nullptr, Scale(r.left), Scale(r.top), Scale(r.right) - Scale(r.left),
                 Scale(r.bottom) - Scale(r.top), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(name)), FALSE);
  }
  SetWindowPos(bevel_, nullptr, Scale(8), Scale(window::kBevelY), Scale(client_.cx - 16), Scale(2),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32WorkBox::Start() {
  if (started_) return;
  started_ = true;
  model_.FormShow();
  ApplyLayout();
  Refresh();
}

void Win32WorkBox::ApplyLayout() {
  if (model_.cleanup_layout()) {
    // The window takes the size of Panel1 alone.
    client_ = SIZE{window::kCleanUpPanelWidth, window::kCleanUpPanelHeight};
    ShowWindow(bevel_, SW_HIDE);
  }
  if (model_.next_beside_cancel()) {
    RECT& next = *places_[At(Control::kButton2)];
    const RECT& cancel = *places_[At(Control::kButton3)];
    const LONG width = next.right - next.left;
    next.left = cancel.left - width;
    next.right = cancel.left;
  }
  Place();
}

void Win32WorkBox::Show() {
  // Centred on the screen.
  RECT frame{};
  GetWindowRect(window_, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  if (shown_once_) return;
  shown_once_ = true;
  if (model_.mode() == wizard::WizardMode::kUninstall) {
    SetFocus(ControlWindow(Control::kButton3));
  } else if (model_.cleanup_layout()) {
    SetFocus(ControlWindow(Control::kButton4));  // Return answers the question at once
  } else {
    FocusFirstInput();
  }
  if (model_.timer_armed()) SetTimer(window_, kTimer1, 1, nullptr);
}

void Win32WorkBox::RunModal() {
  if (owner_) EnableWindow(owner_, FALSE);
  Show();
  while (!closed_) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (PreTranslate(message)) continue;
    if (!IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (owner_) EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

void Win32WorkBox::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (PreTranslate(message)) continue;
    if (!window_ || !IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

bool Win32WorkBox::PreTranslate(MSG& message) {
  // Key preview: Escape goes to the wizard wherever the focus is.
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (!IsWindowEnabled(window_)) return true;
  Call([&] { model_.FormKeyPress(27); });
  return true;
}

void Win32WorkBox::FocusFirstInput() {
  const int page = model_.page();
  const std::optional<wizard::Control> panel = page >= wizard::kFirstPage && page <= wizard::kLastPage
                                                   ? std::optional(wizard::PagePanel(page))
                                                   : std::nullopt;
  for (const wizard::Control name : tab_order_) {
    if (!panel || ParentOf(name) != panel || !IsInputControl(name)) continue;
    HWND control = ControlWindow(name);
    if (IsWindowVisible(control) && IsWindowEnabled(control)) {
      SetFocus(control);
      return;
    }
  }
  HWND next = ControlWindow(Control::kButton2);
  if (next && IsWindowVisible(next) && IsWindowEnabled(next)) SetFocus(next);
}

void Win32WorkBox::Call(const std::function<void()>& call) {
  const int page_before = model_.page();
  call();
  // The next handler that runs an engine brings the window up again first.
  synced_for_engine_ = false;
  Refresh();
  if (const std::optional<wizard::Control>& focus = model_.focus_request()) {
    if (HWND target = ControlWindow(*focus)) SetFocus(target);
  } else if (model_.page() != page_before) {
    FocusFirstInput();
  }
  if (model_.close_requested() && !closed_) CloseByModel();
}

void Win32WorkBox::CloseByModel() {
  closing_by_model_ = true;
  Close();
  closing_by_model_ = false;
}

void Win32WorkBox::Close() {
  // Without the Close command only the wizard itself closes the window.
  if (closed_ || (!closing_by_model_ && !model_.close_command_enabled())) return;
  const bool may_close = model_.FormCloseQuery();
  Refresh();
  if (!may_close) return;
  closed_ = true;
  if (owner_) EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

void Win32WorkBox::OnCommand(int id, int code, HWND control) {
  if (id == IDCANCEL) {
    // Escape from the dialog manager.
    Call([&] { model_.FormKeyPress(27); });
    return;
  }
  const std::optional<wizard::Control> control_id = WorkBoxControlOf(id);
  if (!control_id || updating_ > 0) return;
  const wizard::Control name = *control_id;
  switch (KindOf(name)) {
    case ControlKind::kEdit:
      if (code == EN_CHANGE) {
        const std::string text = WideToUtf8(WindowText(control));
        shown_text_[At(name)] = text;
        Call([&] { model_.SetText(name, text); });
      }
      break;
    case ControlKind::kCheckBox:
      if (code == BN_CLICKED) Call([&] { model_.SetChecked(name, !model_.control(name).checked); });
      break;
    case ControlKind::kRadioButton:
      if (code == BN_CLICKED) Call([&] { model_.SetChecked(name, true); });
      break;
    case ControlKind::kListBox:
      if (code == LBN_SELCHANGE) {
        Call([&] {
          const std::vector<bool>& known = model_.control(name).selected;
          const int count = static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0));
          for (int row = 0; row < count; ++row) {
            const bool on = SendMessageW(control, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0;
            if (static_cast<std::size_t>(row) >= known.size() || known[static_cast<std::size_t>(row)] != on) {
              model_.SetSelected(name, row, on);
            }
          }
        });
      } else if (code == LBN_DBLCLK && name == Control::kListBox601) {
        const int row = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
        if (row >= 0) Call([&] { model_.ListBox601DblClick(row); });
      }
      break;
    case ControlKind::kButton:
    case ControlKind::kSpeedButton:
      if (code != BN_CLICKED) break;
      if (name == Control::kButton1) Call([&] { model_.Button1Click(); });
      if (name == Control::kButton2) Call([&] { model_.Button2Click(); });
      if (name == Control::kButton3) Call([&] { model_.Button3Click(); });
      if (name == Control::kButton4) Call([&] { model_.Button4Click(); });
      if (name == Control::kButton5) Call([&] { model_.Button5Click(); });
      if (name == Control::kButton6) Call([&] { model_.Button6Click(); });
      if (name == Control::kSpeedButton502) Browse(model_.SpeedButton502Click());
      if (name == Control::kSpeedButton702) Call([&] { model_.SpeedButton702Click(); });
      if (name == Control::kSpeedButton802) Browse(model_.SpeedButton802Click());
      if (name == Control::kSpeedButton803) Browse(model_.SpeedButton803Click());
      break;
    default: break;
  }
}

void Win32WorkBox::Browse(const wizard::BrowseRequest& request) {
  const std::string chosen = request.kind == wizard::BrowseRequest::Kind::kFolder
                                 ? dialogs_.ChooseFolder(window_, request)
                                 : dialogs_.ChooseFile(window_, request);
  if (!chosen.empty()) Call([&] { model_.SetText(request.target, chosen); });
}

LRESULT CALLBACK Win32WorkBox::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* box = static_cast<Win32WorkBox*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
    box->window_ = window;
  }
  auto* box = reinterpret_cast<Win32WorkBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!box) return DefWindowProcW(window, message, w, l);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    box->window_ = nullptr;
    return DefWindowProcW(window, message, w, l);
  }
  return box->Handle(message, w, l);
}

LRESULT Win32WorkBox::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l)); return 0;
    case DM_GETDEFID: {
      // Return presses the focused button, else the default one.
      HWND focus = GetFocus();
      const std::optional<wizard::Control> focused =
          focus && GetParent(focus) == window_ ? WorkBoxControlOf(GetDlgCtrlID(focus)) : std::nullopt;
      if (focused && IsPushButton(*focused)) return MAKELRESULT(WorkBoxControlId(*focused), DC_HASDEFID);
      return MAKELRESULT(WorkBoxControlId(model_.cleanup_layout() ? Control::kButton4 : Control::kButton2),
                         DC_HASDEFID);
    }
    case WM_TIMER:
      if (w == kTimer1) {
        KillTimer(window_, kTimer1);
        Call([&] { model_.Timer1Timer(); });
      }
      return 0;
    case WM_CLOSE: Close(); return 0;
    case WM_DRAWITEM: DrawImage(*reinterpret_cast<const DRAWITEMSTRUCT*>(l)); return TRUE;
    case WM_ACTIVATE:
      // Focus leaves with the window and comes back to the same control.
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) last_focus_ = focus;
      } else if (last_focus_ && IsWindow(last_focus_)) {
        SetFocus(last_focus_);
      }
      return 0;
    case WM_DPICHANGED: {
      // Fonts and places follow the monitor's DPI; pictures are drawn
      // scaled when painted.
      dpi_ = HIWORD(w);
      DeleteFonts();
      CreateFonts();
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Place();
      Refresh();
      return 0;
    }
    default: return DefWindowProcW(window_, message, w, l);
  }
}

}  // namespace setup::win32
