// Starts the real program in this process, against the real Wine registry,
// and offers what the window tests need to look at it and drive it.
#pragma once

#include "windows_api.h"
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "program.h"
#include "registry_helpers.h"
#include "wide_text.h"

namespace korvex::testing {

// Handles every message waiting for this thread.
inline void PumpMessages() {
  MSG message;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) window::Program::Dispatch(message);
    Sleep(5);
  }
}

inline std::string TextOf(HWND window) { return win32::Narrow(window::WindowText(window)); }

inline RECT ClientRectOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class WindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<window::Program> program;

  void Start() {
    program = std::make_unique<window::Program>(nullptr);  // the real volumes
    ASSERT_TRUE(program->StartProgram());
    PumpMessages();
  }
  void TearDown() override { program.reset(); }

  Editor& Model() { return program->Model(); }
  HWND Main() { return program->View().Hwnd(); }
  HWND Control(const char* name) { return program->View().ControlHwnd(name); }

  // The user's actions, as real input messages.
  void Click(const char* name) {
    SendMessageW(Control(name), BM_CLICK, 0, 0);
    PumpMessages();
  }
  void FocusOn(const char* name) {
    SetFocus(Control(name));
    PumpMessages();
  }
  void TypeInto(HWND edit, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
    PumpMessages();
  }
  void ReplaceText(const char* name, const std::wstring& text) {
    FocusOn(name);
    SendMessageW(Control(name), EM_SETSEL, 0, -1);
    SendMessageW(Control(name), WM_CHAR, VK_BACK, 1);
    TypeInto(Control(name), text);
  }
  void Arrow(const char* bar, bool up) {
    SendMessageW(Main(), WM_VSCROLL, MAKEWPARAM(up ? SB_LINEUP : SB_LINEDOWN, 0),
                 reinterpret_cast<LPARAM>(Control(bar)));
    SendMessageW(Main(), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(Control(bar)));
    PumpMessages();
  }
  int BarPosition(const char* bar) { return GetScrollPos(Control(bar), SB_CTL); }
};

}  // namespace korvex::testing
