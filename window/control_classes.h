// The window class, styles and place that make each control, shared by the
// Editor and the start-up floor program.
#pragma once

#include "windows_api.h"

#include "layout.h"

namespace korvex::window {

struct ControlClass {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

// A clickable label notifies its parent of clicks.
ControlClass ClassFor(const ControlLayout& layout, bool clickable);

// Where a control stands, in pixels at `dpi`.
RECT PlaceOf(const ControlLayout& layout, UINT dpi);

}  // namespace korvex::window
