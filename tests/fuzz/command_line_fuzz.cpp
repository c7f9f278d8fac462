// The command line on argument vectors of the words scripts use, in any
// order and mixed with raw text: no overrun, no undefined behaviour, and no
// vector that holds --dry-run ever writes a value, a file or to a volume.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "fake_registry.h"
#include "registry_file.h"
#include "windows1252_characters.h"

namespace {
using namespace korvex;

// A byte below the table's size is its word; 0xF0 and above start a raw
// argument of the next (byte - 0xF0) bytes; any other byte is skipped.
constexpr std::string_view kWords[] = {
    "set", "test", "import", "export", "show", "validate", "status", "dsc", "dismount", "help", "get",
    "--dry-run", "--json", "--backup", "--backup=b.reg", "--adjust", "--complete", "--input", "--input=-", "-",
    "--file", "f.reg", "b.reg", R"({"sizeMB":128,"autoSave":true})", R"({"_inDesiredState":true})", "size=128",
    "size=5", "letter=Q", "autosave=on", "save-image=off", "save-file=\\??\\C:\\x.img", "interval=5",
    "interval=32768", "type=floppy-1.44", "fat32=on", "R:", "--help", "/?", "--version", "x=y", "--file=f.reg"};

class MemoryFiles : public cfg::Files {
 public:
  std::map<std::string, std::string, std::less<>> files;
  int writes = 0;
  std::optional<std::string> Read(std::string_view path) override {
    auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  bool Write(std::string_view path, std::string_view bytes) override {
    ++writes;
    files[std::string(path)] = bytes;
    return true;
  }
  bool Exists(std::string_view path) override { return files.find(path) != files.end(); }
};

class CountingVolume : public Volume {
 public:
  int controls = 0;
  std::optional<VolumeHandle> Open(std::string_view) override { return VolumeHandle{}; }
  bool Control(VolumeHandle, std::uint32_t) override { return ++controls > 0; }
  void Close(VolumeHandle) override {}
};

class FreeLock : public KeyLock {
 public:
  bool Acquire() override { return true; }
  void Release() override {}
};

class QuietSystem : public cfg::SystemState {
 public:
  cfg::ServiceInfo Service() override { return {false, std::nullopt, std::nullopt}; }
  cfg::VolumeInfo Volume(char) override { return {}; }
  std::uint64_t PhysicalMemory() override { return 1ull << 30; }
  std::optional<cfg::SystemStart> SystemStartedAt() override { return cfg::SystemStart{200, false}; }
  bool FolderExists(std::string_view) override { return true; }
  std::optional<std::uint64_t> FreeBytes(std::string_view) override { return 1ull << 40; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments;
  for (std::size_t i = 0; i < size && arguments.size() < 16; ++i) {
    if (data[i] < std::size(kWords)) {
      arguments.emplace_back(kWords[data[i]]);
    } else if (data[i] >= 0xF0) {
      std::size_t length = std::min<std::size_t>(data[i] - 0xF0, size - i - 1);
      arguments.emplace_back(reinterpret_cast<const char*>(data + i + 1), length);
      i += length;
    }
  }
  Windows1252Characters cp1252;
  testing::FakeRegistry registry;
  testing::PutTypicalKey(registry, 0);
  MemoryFiles files;
  files.files["-"] = R"({"sizeMB":256,"driveLetter":"R"})";
  files.files["f.reg"] = WriteRegistryFile(
      "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\korvex\\Parameters",
      {{"SizeIn4kPages", kRegDword, std::string("\0\x80\0\0", 4)}, {"UserDriveLetter", kRegSz, std::string("Q\0", 2)}},
      cp1252);
  CountingVolume volume;
  FreeLock lock;
  QuietSystem system;
  cfg::Environment environment{registry, cp1252, volume, files, lock, system};
  cfg::RunCommand(arguments, environment);
  bool dry_run = std::ranges::find(arguments, "--dry-run") != arguments.end();
  if (dry_run && (!registry.writes.empty() || files.writes != 0 || volume.controls != 0)) std::abort();
  return 0;
}
