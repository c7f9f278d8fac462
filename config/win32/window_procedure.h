// The window procedure of our own window classes: finds the C++ object that
// CreateWindowEx was given and forwards each message to its Handle(). No C++
// exception ever crosses back into the system.
#pragma once

#include <windows.h>

namespace korvex::win32 {

template <typename WindowClass>
LRESULT CALLBACK ForwardToWindow(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<WindowClass*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<WindowClass*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  try {
    return window->Handle(message, wparam, lparam);
  } catch (...) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace korvex::win32
