#include "win32_files.h"

#include "windows_api.h"

#include "registry_file.h"
#include "wide_text.h"

namespace korvex::cfg {

std::optional<std::string> Win32Files::Read(std::string_view path) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  // One byte past the largest registry file is enough to refuse a larger one.
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while (bytes.size() <= kLargestRegistryFile && (ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) &&
         read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  if (bytes.size() > kLargestRegistryFile) bytes.resize(kLargestRegistryFile + 1);
  return bytes;
}

bool Win32Files::Write(std::string_view path, std::string_view bytes) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  ok &= CloseHandle(file) != FALSE;
  return ok;
}

}  // namespace korvex::cfg
