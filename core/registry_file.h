// Registry files as the system's registry editor writes them, for one key:
// "Windows Registry Editor Version 5.00" (UTF-16LE with a byte-order mark,
// CRLF) and the older ANSI "REGEDIT4". Values carry their bytes as the ANSI
// registry functions see them: texts in the system's ANSI code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_characters.h"
#include "registry.h"

namespace korvex {

struct RegistryFileValue {
  std::string name;  // UTF-8; empty for the key's default value ("@" in the file)
  std::uint32_t type = 0;
  std::string bytes;
  bool operator==(const RegistryFileValue&) const = default;
};

// The file's bytes, in the current format, for one key ("HKEY_LOCAL_MACHINE\...").
std::string WriteRegistryFile(std::string_view key, const std::vector<RegistryFileValue>& values,
                              const AnsiCharacters& ansi);

struct RegistryFileContents {
  std::vector<RegistryFileValue> values;  // in file order; a repeated name keeps its last data
  std::string problem;                    // empty when the file was read; then it says what is wrong
};

// More than the Parameters key's values can ever need: a larger file is
// refused before it is read.
inline constexpr std::size_t kLargestRegistryFile = 1 << 20;

// Reads a file that sets values of `key` only (its default value too): another
// key, a key or value deletion, or anything malformed is a problem.
RegistryFileContents ReadRegistryFile(std::string_view file, std::string_view key, const AnsiCharacters& ansi);

}  // namespace korvex
