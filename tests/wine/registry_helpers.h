// Direct access to the real Parameters key, independent of the store.
#pragma once

#include "windows_api.h"

#include <cstdint>
#include <optional>
#include <string>

namespace korvex::testing {

inline constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\korvex";
inline constexpr const char* kParametersKey = "System\\CurrentControlSet\\Services\\korvex\\Parameters";

void DeleteParametersKey();
void CreateEmptyParametersKey();
void PutRaw(const char* name, DWORD type, const std::string& bytes);
void PutText(const char* name, const std::string& text);  // with its NUL
void PutDword(const char* name, std::int32_t number);
// A typical installation: hard disk, 64 MB, drive Z, AutoSave off.
void PutTypicalDriverValues();

struct RawValue {
  DWORD type = 0;
  std::string bytes;
  bool operator==(const RawValue&) const = default;
};
inline RawValue DwordValue(std::uint32_t n) {
  return {REG_DWORD, std::string{char(n), char(n >> 8), char(n >> 16), char(n >> 24)}};
}
std::optional<RawValue> ReadRaw(const char* name);
// Lets everyone read the key but nobody write it, as for a standard user.
void MakeParametersKeyReadOnly(bool read_only);
// Lets everyone change its access, and nothing else; MakeParametersKeyReadOnly(false) undoes it.
void MakeParametersKeyUnreadable();
void SetParametersKeyAccess(const char* dacl);  // a DACL in the SDDL form
bool ParametersKeyExists();

// A file of that name in the temporary folder.
std::string TempPath(const char* name);
// Runs a program to its end; its output (both streams) goes to a file, read
// back here, or only its errors when `standard_output` is given. Waits at most `wait_ms`.
DWORD RunProgram(const std::string& command_line, std::string* output = nullptr, HANDLE standard_output = nullptr,
                 DWORD wait_ms = 30000);
// korvexcfg.exe with these arguments, as a command line.
std::string Korvexcfg(const std::string& arguments);

}  // namespace korvex::testing
