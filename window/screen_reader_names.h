// Names for controls that no label names: a screen reader takes an edit box's
// or scroll bar's name from the label right before it, and where none fits,
// from the accessibility layer's annotation.
#pragma once

#include "windows_api.h"

namespace korvex::window {

// Annotates each control with its name; false where the system has no
// annotation service (before Windows XP, and Wine's stand-in may lack it).
// ole32 is loaded at run time, so Windows 2000 imports nothing new.
bool NameForScreenReaders(const HWND* controls, const wchar_t* const* names, int count);

}  // namespace korvex::window
