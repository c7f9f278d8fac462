#include "win32_registry.h"

#include "windows_api.h"

#include <string>

namespace korvex::win32 {
namespace {
HKEY AsHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

RegistryStatus Win32Registry::OpenKey(std::string_view path, RegistryKey& key) {
  HKEY opened = nullptr;
  // RegOpenKeyA opens an existing key with the widest access allowed; it
  // never creates one.
  LONG status = RegOpenKeyA(HKEY_LOCAL_MACHINE, std::string(path).c_str(), &opened);
  key = reinterpret_cast<RegistryKey>(opened);
  return status;
}

RegistryStatus Win32Registry::QueryRawValue(RegistryKey key, const char* name, std::uint32_t& type,
                                            std::string& bytes) {
  // The value may grow between the size query and the read; ask again then.
  for (;;) {
    DWORD stored_type = 0, length = 0;
    LONG status = RegQueryValueExA(AsHkey(key), name, nullptr, &stored_type, nullptr, &length);
    if (status != ERROR_SUCCESS) return status;
    bytes.assign(length, '\0');
    status = RegQueryValueExA(AsHkey(key), name, nullptr, &stored_type, reinterpret_cast<BYTE*>(bytes.data()),
                              &length);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return status;
    bytes.resize(length);
    type = stored_type;
    return ERROR_SUCCESS;
  }
}

RegistryStatus Win32Registry::SetValue(RegistryKey key, const char* name, RegistryType type,
                                       std::span<const std::uint8_t> data) {
  return RegSetValueExA(AsHkey(key), name, 0, static_cast<DWORD>(type), data.data(),
                        static_cast<DWORD>(data.size()));
}

RegistryStatus Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(AsHkey(key)); }

std::optional<std::uint64_t> Win32Registry::LastWriteTime(RegistryKey key) {
  FILETIME written{};
  if (RegQueryInfoKeyW(reinterpret_cast<HKEY>(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
    return std::nullopt;
  return static_cast<std::uint64_t>(written.dwHighDateTime) << 32 | written.dwLowDateTime;
}

}  // namespace korvex::win32
