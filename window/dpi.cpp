#include "dpi.h"

namespace korvex::window {
namespace {

template <typename Function>
Function User32Function(const char* name) {
  FARPROC address = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi_for_window && window)
    if (UINT dpi = get_dpi_for_window(window)) return dpi;
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT DpiOfMessage(HWND window, WPARAM wparam) {
  UINT dpi = LOWORD(wparam);
  return dpi >= 48 && dpi <= 1920 ? dpi : WindowDpi(window);
}

RECT OuterRectForClient(RECT client, DWORD style, DWORD ex_style, UINT dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (!adjust_for_dpi || !adjust_for_dpi(&client, style, FALSE, ex_style, dpi))
    AdjustWindowRectEx(&client, style, FALSE, ex_style);
  return client;
}

int FontHeight(int centipoints, UINT dpi) { return -MulDiv(centipoints, static_cast<int>(dpi), 7200); }

}  // namespace korvex::window
