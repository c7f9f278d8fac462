#include "session.h"

#include <algorithm>

namespace korvex {

void Session::ShowMessage(Window window, std::string_view text) {
  if (!open_[Index(window)]) {
    // A window that could not be made is not open: it must not keep the
    // program running once the others have closed.
    if (!system_.CreateMessageWindow(window)) return EndIfNoneOpen();
    open_[Index(window)] = true;
    if (window == Window::ReadRegFail) system_.MakeTopMost(window);
  }
  if (window == Window::SettingRefused) system_.SetMessageText(window, text);
  system_.ShowAndPaint(window);
}

void Session::Close(Window window) {
  if (!open_[Index(window)]) return;
  open_[Index(window)] = false;
  system_.DestroyWindow(window);
  EndIfNoneOpen();
}

void Session::EndIfNoneOpen() {
  if (std::none_of(open_.begin(), open_.end(), [](bool open) { return open; })) system_.EndProgram();
}

}  // namespace korvex
