// The window procedure of our own window classes: finds the C++ object that
// CreateWindowEx was given and forwards each message to its Handle(). No C++
// exception ever crosses back into the system; each one caught is reported.
#pragma once

#include "windows_api.h"

#include <exception>

namespace korvex::win32 {

// Reports the exception being handled on the debugger's output: the window
// goes on, but the fault is not silent. Allocates nothing, so cannot throw.
inline void ReportCaughtException(const char* where) noexcept {
  OutputDebugStringA("korvex: exception caught in ");
  OutputDebugStringA(where);
  try {
    throw;
  } catch (const std::exception& error) {
    OutputDebugStringA(": ");
    OutputDebugStringA(error.what());
  } catch (...) {
  }
  OutputDebugStringA("\n");
}

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
    ReportCaughtException("a window procedure");
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

// Registers a class of our own once, with the button-face background and the
// arrow pointer; the icons may be null.
template <typename WindowClass>
bool RegisterOwnClass(const wchar_t* name, HICON icon = nullptr, HICON small_icon = nullptr) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExW(instance, name, &window_class)) return true;
  window_class.lpfnWndProc = ForwardToWindow<WindowClass>;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hIconSm = small_icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class) != 0;
}

}  // namespace korvex::win32
