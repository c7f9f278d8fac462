// korvexcfg.exe: the driver's settings from scripts, by the window's rules.
#include "windows_api.h"

#include "command_line.h"
#include "console.h"
#include "wide_text.h"
#include "win32_ansi_characters.h"
#include "win32_files.h"
#include "win32_system_state.h"
#include "win32_platform.h"
#include "win32_registry.h"

int wmain(int argc, wchar_t** argv) {
  using namespace korvex;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(win32::Narrow(argv[i]));
  win32::Win32Registry registry;
  win32::Win32AnsiCharacters characters;
  win32::Win32Volume volume;
  cfg::Win32Files files;
  win32::Win32KeyLock lock;
  cfg::Win32SystemState system;
  cfg::Environment environment{registry, characters, volume, files, lock, system,
                               [](long code) { return cfg::SystemErrorText(static_cast<DWORD>(code)); },
                               []() { return static_cast<long>(GetLastError()); }};
  cfg::CommandResult result = cfg::RunCommand(arguments, environment);
  DWORD failure = result.binary_out ? cfg::WriteBytes(cfg::Stream::Out, result.out)
                                    : cfg::WriteText(cfg::Stream::Out, result.out);
  // Output that did not arrive makes a success a failure; a command that
  // failed already keeps its own code, which says more about the registry.
  int exit_code = result.exit_code;
  if (failure != ERROR_SUCCESS) {
    result.err += "Cannot write the output: " + cfg::SystemErrorText(failure) + ".\n";
    if (exit_code == cfg::kDone) exit_code = cfg::kFileFailed;
  }
  if (cfg::WriteText(cfg::Stream::Error, result.err) != ERROR_SUCCESS && exit_code == cfg::kDone)
    exit_code = cfg::kFileFailed;
  return exit_code;
}
