// The Editor window on Win32: creates the controls from the layout table,
// binds them to the model, draws the frame lines and passes the user's
// actions on.
#pragma once

#include "windows_api.h"

#include <memory>
#include <vector>

#include "control_bindings.h"
#include "editor.h"
#include "fonts.h"
#include "window_procedure.h"

namespace korvex::window {

inline constexpr wchar_t kEditorClass[] = L"KorvexEditor";
inline constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

class EditorWindow {
 public:
  explicit EditorWindow(Editor& model) : model_(model) {}
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;
  ~EditorWindow();

  // Creates the window hidden, at the layout's size, with no controls yet.
  bool Create();
  // Makes the controls as laid out, each showing its model's state as it is
  // now: after the load, so that nothing is written to them twice.
  bool CreateControls();
  // Shows the window, puts the focus on the first control of the tab order
  // and paints.
  void ShowAndPaint();
  void Destroy();

  HWND Hwnd() const { return hwnd_; }
  HWND ControlHwnd(const char* name) const;
  HWND Tips() const { return tips_; }
  // Whether the controls without a label were named through the
  // accessibility layer's annotation.
  bool ScreenReaderNames() const { return screen_reader_names_; }
  UINT Dpi() const { return dpi_; }

 private:
  friend struct OwnWindow<EditorWindow>;
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void ApplyLayout(UINT dpi);
  void SizeToLayout();  // the window's size at dpi_
  void PaintLines(HDC dc) const;
  void AddTips();
  void NameUnlabelledControls();
  void WatchFocus(HWND control, ControlBinding& binding);
  ControlBinding* BindingOf(HWND control) const;

  Editor& model_;
  HWND hwnd_ = nullptr;
  bool destroying_ = false;  // inside OwnWindow's Create or Destroy
  HWND tips_ = nullptr;
  bool screen_reader_names_ = false;
  UINT dpi_ = 96;
  HWND focus_when_left_ = nullptr;  // the focused control when the window was deactivated
  FontCache fonts_;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;  // in layout order
  struct Subclass {
    EditorWindow* window;
    ControlBinding* binding;
    WNDPROC original;
  };
  std::vector<std::unique_ptr<Subclass>> subclasses_;
};

}  // namespace korvex::window
