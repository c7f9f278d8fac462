// The registry operations the parameter store and the console tool need, and
// nothing more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvex {

using RegistryKey = std::uintptr_t;
using RegistryStatus = long;  // 0 is success, as the platform reports it

// The platform's "not found", which makes a value absent rather than unreadable.
inline constexpr RegistryStatus kNotFound = 2;
inline constexpr RegistryStatus kAccessDenied = 5;

// The value types, by the platform's numbers.
inline constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegMultiSz = 7;

// The types the store writes.
enum class RegistryType : std::uint32_t { String = kRegSz, Dword = kRegDword };

// A REG_DWORD's data: four bytes, the lowest first.
inline std::string DwordData(std::uint32_t number) {
  return {static_cast<char>(number), static_cast<char>(number >> 8), static_cast<char>(number >> 16),
          static_cast<char>(number >> 24)};
}
// The number in at most four such bytes; missing high bytes are 0.
inline std::uint32_t DwordNumber(std::string_view data) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < data.size() && i < 4; ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  return number;
}

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key below HKEY_LOCAL_MACHINE; never creates one.
  virtual RegistryStatus OpenKey(std::string_view path, RegistryKey& key) = 0;

  // The stored type and every byte of a value, whatever its size.
  virtual RegistryStatus QueryRawValue(RegistryKey key, const char* name, std::uint32_t& type,
                                       std::string& bytes) = 0;

  virtual RegistryStatus SetValue(RegistryKey key, const char* name, RegistryType type,
                                  std::span<const std::uint8_t> data) = 0;

  virtual RegistryStatus CloseKey(RegistryKey key) = 0;
  // When the key was last written, in 100-nanosecond steps since 1601 (the
  // system's file time); nothing when not known.
  virtual std::optional<std::uint64_t> LastWriteTime(RegistryKey) { return std::nullopt; }
};

}  // namespace korvex
