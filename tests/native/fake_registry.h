// An in-memory registry that records every call, for driving the store.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "registry.h"

namespace korvex::testing {

// A 32-bit number as the registry stores it: four bytes, little-endian.
inline std::string DwordBytes(std::uint32_t n) { return {char(n), char(n >> 8), char(n >> 16), char(n >> 24)}; }

struct StoredValue {
  std::uint32_t type = 0;
  std::string bytes;
};

class FakeRegistry : public Registry {
 public:
  bool key_exists = true;
  bool read_only = false;
  std::map<std::string, StoredValue> values;
  std::string denied;  // a value that may not be read
  std::vector<std::string> calls;  // "open", "query Name", "set Name", "close"
  struct Write { std::string name; RegistryType type; std::string bytes; };
  std::vector<Write> writes;
  std::optional<std::uint64_t> written = 100;  // the key's last write time

  void PutText(const std::string& name, const std::string& bytes) { values[name] = {1, bytes + '\0'}; }
  void PutRaw(const std::string& name, std::uint32_t type, const std::string& bytes) { values[name] = {type, bytes}; }
  void PutDword(const std::string& name, std::int32_t number) {
    values[name] = {4, DwordBytes(static_cast<std::uint32_t>(number))};
  }
  const std::string& Bytes(const std::string& name) { return values.at(name).bytes; }

  RegistryStatus OpenKey(std::string_view path, RegistryKey& key) override {
    calls.push_back("open");
    opened_path = std::string(path);
    if (!key_exists) return 2;  // ERROR_FILE_NOT_FOUND
    key = 0x1234;
    return 0;
  }
  RegistryStatus QueryRawValue(RegistryKey, const char* name, std::uint32_t& type, std::string& bytes) override {
    calls.push_back(std::string("query ") + name);
    if (denied == name) return 5;  // ERROR_ACCESS_DENIED
    auto it = values.find(name);
    if (it == values.end()) return 2;
    type = it->second.type;
    bytes = it->second.bytes;
    return 0;
  }
  RegistryStatus SetValue(RegistryKey, const char* name, RegistryType type,
                          std::span<const std::uint8_t> data) override {
    calls.push_back(std::string("set ") + name);
    writes.push_back({name, type, std::string(data.begin(), data.end())});
    if (read_only) return 5;  // ERROR_ACCESS_DENIED
    values[name] = {static_cast<std::uint32_t>(type), std::string(data.begin(), data.end())};
    return 0;
  }
  std::optional<std::uint64_t> LastWriteTime(RegistryKey) override { return written; }
  RegistryStatus CloseKey(RegistryKey) override {
    calls.push_back("close");
    return 0;
  }

  std::string opened_path;
};

// A typical installation: hard disk of 64 MB on Z, image saving on, no image loaded.
inline void PutTypicalKey(FakeRegistry& registry, std::int32_t autosave) {
  registry.PutText("DiskType", "HDC");
  registry.PutDword("LoadImageOnStart", 0);
  registry.PutText("LoadImageFile", "\\??\\C:\\load.img");
  registry.PutDword("SaveImageOnExit", 1);
  registry.PutText("SaveImageFile", "\\??\\C:\\save.img");
  registry.PutDword("SizeIn4kPages", 16384);
  registry.PutDword("DiskFormatFAT32", 1);
  registry.PutDword("AutoSaveEnabled", autosave);
  registry.PutDword("AutoSaveTrigger", 300);
  registry.PutText("UserDriveLetter", "Z");
}

}  // namespace korvex::testing
