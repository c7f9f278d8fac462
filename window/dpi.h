// The window's DPI, with newer functions looked up at run time so that the
// program still starts on Windows 2000.
#pragma once

#include "windows_api.h"

namespace korvex::window {

inline constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, Windows 8.1 and later

// The window's own DPI where the system knows it (Windows 10 and later),
// otherwise the screen's.
UINT WindowDpi(HWND window);

// The DPI a WM_DPICHANGED carries, if it is one a screen can have; otherwise
// the window's own: any program can send the message.
UINT DpiOfMessage(HWND window, WPARAM wparam);

// The outer size of a window whose client area is `client`.
RECT OuterRectForClient(RECT client, DWORD style, DWORD ex_style, UINT dpi);

// Font height in pixels for a size in hundredths of a point.
int FontHeight(int centipoints, UINT dpi);

}  // namespace korvex::window
