#include "message_windows.h"

#include "dpi.h"
#include "layout.h"
#include "resources.h"
#include "window_procedure.h"
#include "wide_text.h"

namespace korvex::window {
namespace {

constexpr wchar_t kMessageClass[] = L"KorvexMessage";
constexpr int kButtonId = 100;

constexpr MessageWindowLayout kMessageWindows[] = {
    {Window::ReadRegFail, L"Registry Read Failed", true, true, false, 5130, 1515,
     L"Cancel", 1680, 720, 1695, 615, L"Cannot open Korvane registry key!", 480, 240, 4215, 375},
    {Window::SaveRegFail, L"Registry Save Failed", true, true, false, 5145, 1545,
     L"Cancel", 1560, 720, 1815, 615, L"Unable to save Korvane registry settings!", 360, 240, 4575, 255},
    {Window::DismountFail, L"Dismount Volume Failed", false, false, true, 6525, 1935,
     L"OK", 2520, 1320, 1455, 495,
     L"The attempt to dismount the filesystem  from the Korvane drive failed.  Please check that the current drive "
     L"letter is a Korvane drive and that there are no open files on this drive.",
     240, 240, 6015, 735},
    {Window::DismountOk, L"Dismount Volume Successful", false, false, true, 6495, 2070,
     L"OK", 2520, 1440, 1455, 495,
     L"The filesystem has successfully dismounted the Korvane drive. The Korvane driver may now be unloaded "
     L"safely.  If you access the Korvane drive before unloading the driver, you will have to dismount the volume "
     L"again.",
     240, 240, 6015, 1095},
    // Says which setting cannot be stored and what it accepts.
    {Window::SettingRefused, L"Settings Not Saved", false, false, false, 6525, 1935,
     L"OK", 2520, 1320, 1455, 495, nullptr, 240, 240, 6015, 855, true},
};

DWORD Style(const MessageWindowLayout& layout) {
  return layout.resizable ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_CAPTION | WS_SYSMENU;
}
DWORD ExStyle(const MessageWindowLayout& layout) {
  return layout.own_taskbar_button ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME;
}

}  // namespace

const MessageWindowLayout& MessageLayout(Window window) {
  for (const MessageWindowLayout& layout : kMessageWindows)
    if (layout.window == window) return layout;
  return kMessageWindows[0];
}

bool MessageWindow::Create(HWND editor) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterOwnClass<MessageWindow>(kMessageClass)) return false;
  // Windows owned by the hidden owner have no task-bar button.
  HWND owner = layout_.own_taskbar_button ? nullptr : hidden_owner_;
  if (!OwnWindow<MessageWindow>::Create(*this, ExStyle(layout_), kMessageClass, layout_.title,
                                        Style(layout_) | WS_CLIPCHILDREN, owner))
    return false;
  if (layout_.own_taskbar_button) {
    auto icon = [&](int size) {
      return reinterpret_cast<LPARAM>(
          LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    };
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, icon(32));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, icon(16));
  }

  DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  button_ = CreateWindowExW(0, L"BUTTON", layout_.button_caption, child | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER, 0,
                            0, 0, 0, hwnd_, reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
  label_ = CreateWindowExW(0, L"STATIC", layout_.text ? layout_.text : L"", child | SS_CENTER | SS_NOPREFIX, 0, 0, 0,
                           0, hwnd_, nullptr, instance, nullptr);
  ApplyLayout(WindowDpi(hwnd_));
  RECT over, own;
  if (layout_.centred_on_editor && editor && GetWindowRect(editor, &over) && GetWindowRect(hwnd_, &own)) {
    int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(hwnd_, nullptr, (over.left + over.right - width) / 2, (over.top + over.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

void MessageWindow::ApplyLayout(UINT dpi) {
  auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
  HFONT font = fonts_.Get(kArial975Bold, dpi);
  SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  MoveWindow(button_, px(layout_.button_left), px(layout_.button_top), px(layout_.button_width),
             px(layout_.button_height), TRUE);
  MoveWindow(label_, px(layout_.text_left), px(layout_.text_top), px(layout_.text_width), px(layout_.text_height),
             TRUE);

  RECT client{0, 0, px(layout_.client_width), px(layout_.client_height)};
  RECT outer = OuterRectForClient(client, Style(layout_), ExStyle(layout_), dpi);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (layout_.fixed_position ? 0 : SWP_NOMOVE);
  // A fixed position is that of the client area's corner on the screen.
  SetWindowPos(hwnd_, nullptr, px(kFixedLeft) + outer.left, px(kFixedTop) + outer.top, outer.right - outer.left,
               outer.bottom - outer.top, flags);
}

void MessageWindow::SetText(std::string_view text) {
  if (label_) SetWindowTextW(label_, win32::Widen(text).c_str());
}

void MessageWindow::ShowAndPaint() {
  ShowWindow(hwnd_, SW_SHOW);
  BringWindowToTop(hwnd_);
  SetFocus(button_);
  UpdateWindow(hwnd_);
}

void MessageWindow::Destroy() { OwnWindow<MessageWindow>::Destroy(*this); }

LRESULT MessageWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kButtonId && HIWORD(wparam) == BN_CLICKED) session_.Close(layout_.window);
      return 0;
    case WM_CLOSE:
      session_.Close(layout_.window);
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case kDpiChanged:
      // As the Editor: the suggested rectangle is not read (any program can
      // send this message, with any pointer); the window keeps its corner,
      // or its fixed place, at the size of the new layout.
      ApplyLayout(DpiOfMessage(hwnd_, wparam));
      return 0;
    case WM_NCDESTROY:
      hwnd_ = button_ = label_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

}  // namespace korvex::window
