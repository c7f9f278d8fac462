// The .reg reader on any bytes: no overrun, no undefined behaviour, and what
// it reads is written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry_file.h"
#include "windows1252_characters.h"

namespace {
constexpr std::string_view kKey = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\korvex\\Parameters";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvex::Windows1252Characters cp1252;
  std::string_view file(reinterpret_cast<const char*>(data), size);
  korvex::RegistryFileContents read = korvex::ReadRegistryFile(file, kKey, cp1252);
  if (!read.problem.empty()) return 0;
  std::string written = korvex::WriteRegistryFile(kKey, read.values, cp1252);
  korvex::RegistryFileContents again = korvex::ReadRegistryFile(written, kKey, cp1252);
  if (!again.problem.empty() || again.values != read.values) std::abort();
  return 0;
}
