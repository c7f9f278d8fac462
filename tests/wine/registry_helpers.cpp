#include "registry_helpers.h"

#include <sddl.h>

#include <gtest/gtest.h>

namespace korvex::testing {
namespace {

HKEY OpenForWriting() {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr);
  EXPECT_EQ(status, ERROR_SUCCESS);
  return key;
}

}  // namespace

void MakeParametersKeyReadOnly(bool read_only) { SetParametersKeyAccess(read_only ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)"); }

void MakeParametersKeyUnreadable() { SetParametersKeyAccess("D:P(A;;WD;;;WD)"); }

void SetParametersKeyAccess(const char* dacl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(dacl, SDDL_REVISION_1, &descriptor, nullptr));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, WRITE_DAC, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
  RegCloseKey(key);
  LocalFree(descriptor);
}

void DeleteParametersKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
    RegCloseKey(key);
    MakeParametersKeyReadOnly(false);
  }
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kParametersKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kServiceKey);
}

void CreateEmptyParametersKey() {
  DeleteParametersKey();
  RegCloseKey(OpenForWriting());
}

void PutRaw(const char* name, DWORD type, const std::string& bytes) {
  HKEY key = OpenForWriting();
  EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void PutText(const char* name, const std::string& text) { PutRaw(name, REG_SZ, text + '\0'); }

void PutDword(const char* name, std::int32_t number) {
  auto n = static_cast<std::uint32_t>(number);
  PutRaw(name, REG_DWORD, std::string{char(n), char(n >> 8), char(n >> 16), char(n >> 24)});
}

void PutTypicalDriverValues() {
  CreateEmptyParametersKey();
  PutText("DiskType", "HDC");
  PutDword("LoadImageOnStart", 0);
  PutText("LoadImageFile", "\\??\\C:\\ramdisk.img");
  PutDword("SaveImageOnExit", 0);
  PutText("SaveImageFile", "\\??\\C:\\ramdisk.img");
  PutDword("SizeIn4kPages", 16384);
  PutDword("DiskFormatFAT32", 0);
  PutDword("AutoSaveEnabled", 0);
  PutDword("AutoSaveTrigger", 300);
  PutText("UserDriveLetter", "Z");
}

std::optional<RawValue> ReadRaw(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  RawValue value;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.bytes.resize(size);
    status = RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    value.bytes.resize(size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

bool ParametersKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string TempPath(const char* name) {
  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  return std::string(directory) + name;
}

// Runs a program to its end; its output goes to a file, read back here.
DWORD RunProgram(const std::string& command_line, std::string* output, HANDLE standard_output, DWORD wait_ms) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  std::string output_path = TempPath("korvexcfg-output.txt");
  HANDLE file = CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = file;
  if (standard_output) startup.hStdOutput = standard_output;
  PROCESS_INFORMATION process{};
  std::string line = command_line;
  CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(file);
  DWORD exit_code = 255;
  if (process.hProcess) {
    WaitForSingleObject(process.hProcess, wait_ms);
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  if (output) {
    output->clear();
    HANDLE read = CreateFileA(output_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (read != INVALID_HANDLE_VALUE && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got)
      output->append(buffer, got);
    if (read != INVALID_HANDLE_VALUE) CloseHandle(read);
  }
  return exit_code;
}

#ifdef KORVEXCFG_PATH
std::string Korvexcfg(const std::string& arguments) { return std::string("\"") + KORVEXCFG_PATH + "\" " + arguments; }
#endif

}  // namespace korvex::testing
