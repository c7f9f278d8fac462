// The small message windows: one fixed sentence and one button that closes
// the window. Laid out from a table, like the Editor.
#pragma once

#include "windows_api.h"

#include <string_view>

#include "fonts.h"
#include "session.h"
#include "window_procedure.h"

namespace korvex::window {

struct MessageWindowLayout {
  Window window;
  const wchar_t* title;
  bool resizable;           // else a fixed dialog frame with a close box only
  bool own_taskbar_button;  // also shows the program's icon
  bool fixed_position;      // client area at kFixedLeft, kFixedTop on the screen
  int client_width, client_height;
  const wchar_t* button_caption;
  int button_left, button_top, button_width, button_height;
  const wchar_t* text;  // nullptr: set when shown
  int text_left, text_top, text_width, text_height;
  bool centred_on_editor = false;  // else where the system puts new windows
};

inline constexpr int kFixedLeft = 2760, kFixedTop = 3750;

const MessageWindowLayout& MessageLayout(Window window);

class MessageWindow {
 public:
  MessageWindow(const MessageWindowLayout& layout, Session& session, HWND hidden_owner)
      : layout_(layout), session_(session), hidden_owner_(hidden_owner) {}
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  ~MessageWindow() { Destroy(); }

  // `editor` is the window a centred message is placed over.
  bool Create(HWND editor = nullptr);
  void SetText(std::string_view text);
  void ShowAndPaint();
  void Destroy();
  HWND Hwnd() const { return hwnd_; }

 private:
  friend struct OwnWindow<MessageWindow>;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  // Fonts, children and size at the DPI; a fixed position too.
  void ApplyLayout(UINT dpi);

  const MessageWindowLayout& layout_;
  Session& session_;
  HWND hidden_owner_;
  HWND hwnd_ = nullptr;
  bool destroying_ = false;  // inside OwnWindow's Create or Destroy
  HWND button_ = nullptr;
  HWND label_ = nullptr;
  FontCache fonts_;
};

}  // namespace korvex::window
