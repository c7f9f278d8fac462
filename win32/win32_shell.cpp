// The shell on Win32, in a file of its own: only the window opens the web
// link, and the console tool, which never links this, imports no user32.
#include "win32_platform.h"

#include "windows_api.h"
#include <shellapi.h>

#include <string>

#include "win32_ansi_characters.h"

namespace korvex::win32 {

void Win32Shell::Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int show_command) {
  Win32AnsiCharacters ansi;
  auto to_ansi = [&](std::string_view text) { return ansi.ToAnsi(text).value_or(std::string(text)); };
  std::string a_verb = to_ansi(verb), a_file = to_ansi(file), a_parameters = to_ansi(parameters),
              a_directory = to_ansi(directory);
  // The shell is loaded on the first click, not at every start: mapping it
  // costs the window's start time and memory that only the web link needs.
  static const auto shell_execute = reinterpret_cast<decltype(&ShellExecuteA)>(
      reinterpret_cast<void (*)()>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "ShellExecuteA")));
  if (!shell_execute) return;
  // The result is of no interest: without a browser the click simply does nothing.
  shell_execute(GetDesktopWindow(), a_verb.c_str(), a_file.c_str(), a_parameters.c_str(), a_directory.c_str(),
                show_command);
}

}  // namespace korvex::win32
