// The parameter store's registry operations on advapi32's single-byte forms.
#pragma once

#include "registry.h"

namespace korvex::win32 {

class Win32Registry : public Registry {
 public:
  RegistryStatus OpenKey(std::string_view path, RegistryKey& key) override;
  RegistryStatus QueryRawValue(RegistryKey key, const char* name, std::uint32_t& type, std::string& bytes) override;
  RegistryStatus SetValue(RegistryKey key, const char* name, RegistryType type,
                          std::span<const std::uint8_t> data) override;
  RegistryStatus CloseKey(RegistryKey key) override;
  std::optional<std::uint64_t> LastWriteTime(RegistryKey key) override;
};

}  // namespace korvex::win32
