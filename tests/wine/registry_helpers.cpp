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

void MakeParametersKeyReadOnly(bool read_only) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(read_only ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)",
                                                                   SDDL_REVISION_1, &descriptor, nullptr));
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

}  // namespace korvex::testing
