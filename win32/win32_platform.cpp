#include "win32_platform.h"

#include "windows_api.h"

#include <string>

namespace korvex::win32 {

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
