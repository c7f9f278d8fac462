// The store against Wine's real registry: raw values of any type in, exact
// bytes out.
#include <gtest/gtest.h>

#include "parameter_store.h"
#include "registry_helpers.h"
#include "win32_registry.h"

namespace korvex {
namespace {

using namespace korvex::testing;

// The bytes and types as stored, whatever their length; what the window
// makes of them is the core's, tested natively.
TEST(RealRegistryLoad, ReadsWhateverBytesAreStoredWhateverTheirType) {
  CreateEmptyParametersKey();
  const std::pair<const char*, StoredValue> stored[] = {
      {"DiskType", {REG_BINARY, std::string("HD\0C\0", 5)}},
      {"LoadImageOnStart", {REG_BINARY, "\x01"}},
      {"SaveImageOnExit", {REG_SZ, std::string("1\0", 2)}},
      {"LoadImageFile", {REG_SZ, std::string(140, 'x') + '\0'}},
      {"SizeIn4kPages", {REG_DWORD, std::string("\x00\x40\x00\x00", 4)}},
      {"AutoSaveTrigger", {REG_QWORD, std::string(8, '\x01')}},
      {"UserDriveLetter", {REG_EXPAND_SZ, std::string("d\0", 2)}},
      {"SaveImageFile", {REG_SZ, std::string(70000, 's') + '\0'}},
  };
  for (auto& [name, value] : stored) PutRaw(name, value.type, value.data);
  win32::Win32Registry registry;
  auto found = ParameterStore(registry).Load();
  ASSERT_TRUE(found);
  for (auto& [name, value] : stored) EXPECT_EQ((*found)[ValueIndex(name)].stored, value) << name;
  EXPECT_EQ((*found)[ValueIndex("DiskFormatFAT32")].status, kNotFound);
}

TEST(RealRegistryLoad, AMissingKeyFailsAndIsNotCreated) {
  DeleteParametersKey();
  win32::Win32Registry registry;
  EXPECT_FALSE(ParameterStore(registry).Load());
  EXPECT_EQ(ParameterStore(registry).Write({}).open_status, ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(ParametersKeyExists());
}

TEST(RealRegistrySave, WritesExactLengthsAndBytes) {
  CreateEmptyParametersKey();
  ValuesToWrite values;
  values[ValueIndex("DiskType")] = StoredText("FDC14");
  values[ValueIndex("LoadImageFile")] = StoredText("\\??\\");
  values[ValueIndex("SaveImageFile")] = StoredText("\\??\\C:\\a.img");
  values[ValueIndex("SizeIn4kPages")] = StoredDword(-2);
  values[ValueIndex("UserDriveLetter")] = StoredText("Z");
  values[ValueIndex("AutoSaveEnabled")] = StoredDword(0);
  win32::Win32Registry registry;
  ASSERT_TRUE(ParameterStore(registry).Write(values).AllWritten());
  EXPECT_EQ(ReadRaw("DiskType"), (RawValue{REG_SZ, std::string("FDC14\0", 6)}));
  EXPECT_EQ(ReadRaw("LoadImageFile"), (RawValue{REG_SZ, std::string("\\??\\\0", 5)}));
  EXPECT_EQ(ReadRaw("SaveImageFile"), (RawValue{REG_SZ, std::string("\\??\\C:\\a.img\0", 13)}));
  EXPECT_EQ(ReadRaw("UserDriveLetter"), (RawValue{REG_SZ, std::string("Z\0", 2)}));
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), (RawValue{REG_DWORD, "\xFE\xFF\xFF\xFF"}));
  EXPECT_EQ(ReadRaw("AutoSaveEnabled"), (RawValue{REG_DWORD, std::string(4, '\0')}));
}

// Opens the key for reading only, as a standard user's RegOpenKeyA would.
class ReadOnlyRegistry : public win32::Win32Registry {
 public:
  RegistryStatus OpenKey(std::string_view path, RegistryKey& key) override {
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(path).c_str(), 0, KEY_READ, &opened);
    key = reinterpret_cast<RegistryKey>(opened);
    return status;
  }
};

TEST(RealRegistrySave, AReadOnlyKeyReportsRefusedWritesAndKeepsItsValues) {
  PutTypicalDriverValues();
  ReadOnlyRegistry registry;
  ValuesToWrite values;
  values[ValueIndex("DiskType")] = StoredText("FDC28");
  EXPECT_EQ(ParameterStore(registry).Write(values).statuses[ValueIndex("DiskType")], ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadRaw("DiskType"), (RawValue{REG_SZ, std::string("HDC\0", 4)}));
}

}  // namespace
}  // namespace korvex
