// The window procedure of our own window classes: finds the C++ object that
// OwnWindow::Create was given and forwards each message to its Handle(). No C++
// exception ever crosses back into the system; each one caught is reported.
#pragma once

#include "windows_api.h"

#include <atomic>
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

// Our windows' objects and their handles. Any program may send any window
// any message, with any numbers in place of pointers, so the procedure takes
// nothing from a message it cannot tell the system sent as part of the
// window's own life:
// - WM_NCCREATE attaches the object only inside the Create call making the
//   window, and only the object that call is making. The message is then
//   one this thread's CreateWindowExW sent (not one from another thread,
//   InSendMessage; none is posted and dispatched inside that call), so its
//   CREATESTRUCT is real. Any other WM_NCCREATE is refused unread, not even
//   passed to DefWindowProcW, which would read it.
// - WM_NCDESTROY detaches the object only inside the object's own Destroy
//   call (or a Create that fails), on its thread: the system sends it before
//   that call returns. Our windows end no other way (nothing owns them but
//   the program's hidden owner, which no message closes and which goes after
//   them), so a WM_NCDESTROY at any other time, sent or posted by anyone, is
//   ignored: the window stays and its object with it.
// The window class keeps `hwnd_` and `destroying_` for these, and makes this
// its friend.
template <typename WindowClass>
struct OwnWindow {
  // Makes the window of `window`, of a class registered by RegisterOwnClass.
  static HWND Create(WindowClass& window, DWORD ex_style, const wchar_t* class_name, const wchar_t* title,
                     DWORD style, HWND owner) {
    being_created.store(&window);
    window.destroying_ = true;  // a creation that fails ends in WM_NCDESTROY
    HWND hwnd = CreateWindowExW(ex_style, class_name, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), &window);
    window.destroying_ = false;
    being_created.store(nullptr);  // also when it failed before its WM_NCCREATE
    return hwnd;
  }

  // Destroys the window of `window`, if it has one; its WM_NCDESTROY detaches it.
  static void Destroy(WindowClass& window) {
    if (!window.hwnd_) return;
    window.destroying_ = true;
    DestroyWindow(window.hwnd_);
    window.destroying_ = false;
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* window = reinterpret_cast<WindowClass*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      WindowClass* created = being_created.load();
      if (window || !created || InSendMessage()) return FALSE;
      const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      if (!creation || creation->lpCreateParams != created || !being_created.compare_exchange_strong(created, nullptr))
        return FALSE;
      window = created;
      window->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    if (!window) return DefWindowProcW(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
      if (!window->destroying_ || InSendMessage()) return 0;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    try {
      return window->Handle(message, wparam, lparam);
    } catch (...) {
      ReportCaughtException("a window procedure");
      return DefWindowProcW(hwnd, message, wparam, lparam);
    }
  }

 private:
  // The object a Create call is making, for its WM_NCCREATE. Atomic: a window
  // of the class made on another thread at the same moment fails, no race.
  static inline std::atomic<WindowClass*> being_created{nullptr};
};

// Registers a class of our own once, with the button-face background and the
// arrow pointer; the icons may be null.
template <typename WindowClass>
bool RegisterOwnClass(const wchar_t* name, HICON icon = nullptr, HICON small_icon = nullptr) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExW(instance, name, &window_class)) return true;
  window_class.lpfnWndProc = OwnWindow<WindowClass>::Procedure;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hIconSm = small_icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class) != 0;
}

}  // namespace korvex::win32
