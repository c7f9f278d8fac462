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

std::optional<VolumeHandle> Win32Volume::Open(std::string_view ansi_path) {
  HANDLE volume = CreateFileA(std::string(ansi_path).c_str(), GENERIC_ALL, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (volume == INVALID_HANDLE_VALUE) return std::nullopt;
  return reinterpret_cast<VolumeHandle>(volume);
}

bool Win32Volume::Control(VolumeHandle volume, std::uint32_t code) {
  DWORD no_input = 0, no_output = 0, returned = 0;
  return DeviceIoControl(reinterpret_cast<HANDLE>(volume), code, &no_input, 0, &no_output, 0, &returned, nullptr) !=
         FALSE;
}

void Win32Volume::Close(VolumeHandle volume) { CloseHandle(reinterpret_cast<HANDLE>(volume)); }

namespace {
// How long a writer waits for another to finish: far longer than any save takes.
constexpr DWORD kLockWait = 5000;
}  // namespace

Win32KeyLock::Win32KeyLock() {
  mutex_ = CreateMutexW(nullptr, FALSE, L"Global\\KorvaneParametersKey");
  // Windows NT 4 knows no namespaces, and a standard user may not make a global name.
  if (!mutex_) mutex_ = CreateMutexW(nullptr, FALSE, L"KorvaneParametersKey");
}

Win32KeyLock::~Win32KeyLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool Win32KeyLock::Acquire() {
  if (!mutex_) return false;
  // An abandoned lock is had all the same: the writer that held it has ended.
  DWORD waited = WaitForSingleObject(mutex_, kLockWait);
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void Win32KeyLock::Release() { ReleaseMutex(mutex_); }

}  // namespace korvex::win32
