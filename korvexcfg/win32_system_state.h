// The driver's service, volumes, memory and clock as Windows reports them.
#pragma once

#include "system_state.h"

namespace korvex::cfg {

class Win32SystemState : public SystemState {
 public:
  ServiceInfo Service() override;
  VolumeInfo Volume(char letter) override;
  std::uint64_t PhysicalMemory() override;
  std::optional<SystemStart> SystemStartedAt() override;
  bool FolderExists(std::string_view path) override;
  std::optional<std::uint64_t> FreeBytes(std::string_view folder) override;
  std::string LocalTimeStamp() override;
};

}  // namespace korvex::cfg
