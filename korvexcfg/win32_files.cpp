#include "win32_files.h"

#include "windows_api.h"

#include <algorithm>

#include "console.h"
#include "number_text.h"
#include "registry_file.h"
#include "wide_text.h"

namespace korvex::cfg {

std::optional<std::string> Win32Files::Read(std::string_view path) {
  // "-" is the standard input, read to its end.
  bool standard_input = path == "-";
  HANDLE file = standard_input ? GetStdHandle(STD_INPUT_HANDLE)
                               : CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE || file == nullptr) {
    Failed(GetLastError());
    return std::nullopt;
  }
  // One byte past the largest registry file is enough to refuse a larger one.
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while (bytes.size() <= kLargestRegistryFile && (ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) &&
         read > 0)
    bytes.append(buffer, read);
  // A pipe's writer closing it is its end.
  if (!ok && standard_input && GetLastError() == ERROR_BROKEN_PIPE) ok = true;
  if (!ok) Failed(GetLastError());
  if (!standard_input) CloseHandle(file);
  if (!ok) return std::nullopt;
  if (bytes.size() > kLargestRegistryFile) bytes.resize(kLargestRegistryFile + 1);
  return bytes;
}

bool Win32Files::Write(std::string_view path, std::string_view bytes) {
  // Written beside the file and renamed over it, so that a write that fails
  // half-way leaves the file as it was and no part of a new one.
  std::wstring target = win32::Widen(path);
  std::wstring temporary = win32::Widen(std::string(path) + "." + IntegerText(GetCurrentProcessId()) + ".tmp");
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(GetLastError());
  DWORD error = ERROR_SUCCESS;
  while (!bytes.empty()) {
    DWORD written = 0;
    auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written == 0 || written > size) {
      error = GetLastError();
      break;
    }
    bytes.remove_prefix(written);
  }
  // On the disk before it takes the old file's place.
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error == ERROR_SUCCESS) return true;
  DeleteFileW(temporary.c_str());
  return Failed(error);
}

bool Win32Files::Exists(std::string_view path) {
  return GetFileAttributesW(win32::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Win32Files::FullPath(std::string_view path) {
  std::wstring wide = win32::Widen(path);
  wchar_t full[MAX_PATH * 4];
  DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH * 4, full, nullptr);
  if (length == 0 || length >= MAX_PATH * 4) return std::string(path);
  // Windows file systems take names in any case.
  wchar_t upper[MAX_PATH * 4];
  int upper_length = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, full, static_cast<int>(length), upper,
                                  MAX_PATH * 4);
  if (upper_length <= 0) return win32::Narrow(std::wstring_view(full, length));
  return win32::Narrow(std::wstring_view(upper, static_cast<std::size_t>(upper_length)));
}

bool Win32Files::Failed(DWORD error) {
  problem_ = SystemErrorText(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
  return false;
}

}  // namespace korvex::cfg
