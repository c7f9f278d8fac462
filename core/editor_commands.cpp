// The command buttons, the web link and the volume dismount.
#include "editor.h"
#include "setting_limits.h"

namespace korvex {

void Editor::Command4_Click() { SaveParameters(); }

void Editor::Command1_Click() {
  // The window closes only on a save that worked, so no edit is lost.
  if (SaveParameters().result == SaveReport::Result::Saved) services_.session.Close(Window::Editor);
}

void Editor::Command2_Click() { services_.session.Close(Window::Editor); }

// The parameters and the directory are the number 0 as text, "0", as the link has
// always passed them; opening an address ignores both.
void Editor::Label8_Click() { RunShellExecute("Open", kProductPageAddress, "0", "0", 1); }

void Editor::RunShellExecute(std::string_view topic, std::string_view file, std::string_view parameters,
                             std::string_view directory, int show_command) {
  services_.shell.Execute(topic, file, parameters, directory, show_command);
}

void Editor::Command3_Click() { Dismount(DriveLetterText.Text()); }

DismountOutcome Editor::Dismount(std::string_view drive) {
  Session& session = services_.session;
  Volume& volume = services_.volume;
  auto letter = DriveOf(drive);
  if (!letter) {
    session.ShowMessage(Window::DismountFail);
    return DismountOutcome::NoDrive;
  }
  auto handle = volume.Open(std::string("\\\\.\\") + *letter + ":");
  if (!handle) {
    session.ShowMessage(Window::DismountFail);
    return DismountOutcome::OpenFailed;
  }
  for (std::uint32_t request : {kLockVolume, kDismountVolume, kUnlockVolume}) {
    if (!volume.Control(*handle, request)) {
      session.ShowMessage(Window::DismountFail);  // the message before the close
      volume.Close(*handle);
      return request == kLockVolume ? DismountOutcome::LockFailed
             : request == kDismountVolume ? DismountOutcome::DismountFailed : DismountOutcome::UnlockFailed;
    }
  }
  volume.Close(*handle);
  session.ShowMessage(Window::DismountOk);
  return DismountOutcome::Dismounted;
}

}  // namespace korvex
