// The window procedure of our own window classes: finds the C++ object that
// OwnWindow::Create was given and forwards each message to its Handle(). No C++
// exception ever crosses back into the system; each one caught is reported.
#pragma once

#include "windows_api.h"

#include <atomic>
#include <exception>

namespace korvex::window {

// Reports the exception being handled on the debugger's output: the window
// goes on, but the fault is not silent. Allocates nothing, so cannot throw.
// One copy for every window procedure.
void ReportCaughtException(const char* where) noexcept;

// Our windows' objects and their handles. Any program may send any window
// any message, with any numbers in place of pointers, so the procedure trusts
// only the window's own state, never the message's numbers nor the thread it
// came from (a click sent by a screen reader's thread must work as a real one):
// - WM_NCCREATE attaches the object only inside the Create call making the
//   window, on that call's thread, and only the object that call is making;
//   its CREATESTRUCT is never read. Until then the window has no object, and
//   every other window of ours has one, so the window that takes it is the one
//   being made. Any other WM_NCCREATE is refused, not even passed to
//   DefWindowProcW, which would read it.
// - WM_NCDESTROY detaches the object only inside the object's own Destroy
//   call (or a Create that fails): the system sends it before that call
//   returns. Our windows end no other way (nothing owns them but the
//   program's hidden owner, which no message closes and which goes after
//   them), so a WM_NCDESTROY at any other time is ignored: the window stays
//   and its object with it.
// The window class keeps `hwnd_` and `destroying_` for these, and makes this
// its friend.
template <typename WindowClass>
struct OwnWindow {
  // Makes the window of `window`, of a class registered by RegisterOwnClass.
  static HWND Create(WindowClass& window, DWORD ex_style, const wchar_t* class_name, const wchar_t* title,
                     DWORD style, HWND owner) {
    creating_thread.store(GetCurrentThreadId());
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
      if (window || !created || creating_thread.load() != GetCurrentThreadId() ||
          !being_created.compare_exchange_strong(created, nullptr))
        return FALSE;
      window = created;
      window->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    if (!window) return DefWindowProcW(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
      if (!window->destroying_) return 0;
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
  // The object a Create call is making, and that call's thread, for its
  // WM_NCCREATE. Atomic: a window of the class made on another thread at the
  // same moment fails, no race.
  static inline std::atomic<WindowClass*> being_created{nullptr};
  static inline std::atomic<DWORD> creating_thread{0};
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

}  // namespace korvex::window
