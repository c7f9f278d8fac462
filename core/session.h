// The program's windows: the Editor and its message windows. Each exists once
// at most, every one is modeless, and the program ends when the last closes.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvex {

enum class Window { Editor, ReadRegFail, SaveRegFail, DismountFail, DismountOk, SettingRefused };
inline constexpr std::size_t kWindowCount = 6;

// What the front end does for the session.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // False when the window could not be made; the front end reports why.
  virtual bool CreateMessageWindow(Window window) = 0;
  virtual void SetMessageText(Window window, std::string_view text) = 0;
  virtual void MakeTopMost(Window window) = 0;
  virtual void ShowAndPaint(Window window) = 0;
  virtual void DestroyWindow(Window window) = 0;
  virtual void EndProgram() = 0;
};

class Session {
 public:
  explicit Session(WindowSystem& system) : system_(system) {}

  void EditorCreated() { open_[Index(Window::Editor)] = true; }

  // Creates the window unless it is open, shows it modeless and paints it.
  // "Registry Read Failed" makes itself top-most each time it is created.
  void ShowMessage(Window window, std::string_view text = {});

  // By its button, its close box, or the Editor's own commands.
  void Close(Window window);

  bool IsOpen(Window window) const { return open_[Index(window)]; }

 private:
  static std::size_t Index(Window window) { return static_cast<std::size_t>(window); }
  void EndIfNoneOpen();
  WindowSystem& system_;
  std::array<bool, kWindowCount> open_{};
};

}  // namespace korvex
