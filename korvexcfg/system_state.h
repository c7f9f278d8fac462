// What Windows says about the driver and its volume, read-only: the status
// logic asks through this so that it runs anywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvex::cfg {

// The service manager's start types, by its numbers.
enum class StartType : std::uint32_t { Boot = 0, System = 1, Automatic = 2, Manual = 3, Disabled = 4 };

// The service manager's current states, by its numbers.
enum class ServiceState : std::uint32_t {
  Stopped = 1, StartPending, StopPending, Running, ContinuePending, PausePending, Paused
};

// Each part is nothing where the service manager would not say.
struct ServiceInfo {
  std::optional<bool> installed;
  std::optional<StartType> start_type;
  std::optional<ServiceState> state;
};

struct VolumeInfo {
  bool present = false;
  std::optional<std::uint64_t> size_bytes;
  std::string file_system;  // empty when unknown
};

// Times are in 100-nanosecond steps since 1601 (a FILETIME), UTC.
struct SystemStart {
  std::uint64_t at = 0;
  // Only a 32-bit millisecond count was to be had: it wraps every 49.7 days,
  // so the system may have started a multiple of that earlier.
  bool may_be_earlier = false;
};

class SystemState {
 public:
  virtual ~SystemState() = default;
  virtual ServiceInfo Service() = 0;
  virtual VolumeInfo Volume(char letter) = 0;
  virtual std::uint64_t PhysicalMemory() = 0;  // bytes; 0 when unknown
  virtual std::optional<SystemStart> SystemStartedAt() = 0;
  // Paths are UTF-8.
  virtual bool FolderExists(std::string_view path) = 0;
  virtual std::optional<std::uint64_t> FreeBytes(std::string_view folder) = 0;
  // The local time as "20261208-094900", for a file name that says when; empty when unknown.
  virtual std::string LocalTimeStamp() { return {}; }
};

}  // namespace korvex::cfg
