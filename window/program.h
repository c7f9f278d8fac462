// The program on Win32: its windows, the session that ends it, and the
// message loop.
#pragma once

#include "windows_api.h"

#include <array>
#include <memory>

#include "editor.h"
#include "editor_window.h"
#include "message_windows.h"
#include "session.h"
#include "win32_ansi_characters.h"
#include "win32_platform.h"
#include "win32_registry.h"

namespace korvex::window {

class Program : public WindowSystem {
 public:
  // Tests may hand in a stand-in for the volumes.
  explicit Program(Volume* volume = nullptr);
  ~Program() override;

  // Creates the Editor, loads it (a read failure shows first) and shows it.
  bool StartProgram();
  // Runs until the last window closes; returns the exit code.
  int RunMessageLoop();

  Editor& Model() { return *editor_; }
  EditorWindow& View() { return *editor_window_; }
  Session& Windows() { return session_; }
  HWND MessageHwnd(Window window) const;

  // WindowSystem
  bool CreateMessageWindow(Window window) override;
  void SetMessageText(Window window, std::string_view text) override;
  void MakeTopMost(Window window) override;
  void ShowAndPaint(Window window) override;
  void DestroyWindow(Window window) override;
  void EndProgram() override;

  // Enter presses a button only when it has the focus; Esc presses nothing.
  static bool PreTranslate(MSG& message);
  // One message as the loop handles it: keys first, then the active window's
  // dialog navigation, then its window procedure.
  static void Dispatch(MSG& message);

 private:
  win32::Win32Registry registry_;
  win32::Win32AnsiCharacters characters_;
  win32::Win32Shell shell_;
  win32::Win32Volume volume_;
  win32::Win32KeyLock lock_;
  Session session_{*this};
  std::unique_ptr<Editor> editor_;
  std::unique_ptr<EditorWindow> editor_window_;
  HWND hidden_owner_ = nullptr;
  std::array<std::unique_ptr<MessageWindow>, kWindowCount> messages_;
};

}  // namespace korvex::window
