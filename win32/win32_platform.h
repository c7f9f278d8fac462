// The shell and the volume on Win32.
#pragma once

#include "platform.h"

namespace korvex::win32 {

class Win32Shell : public Shell {
 public:
  void Execute(std::string_view verb, std::string_view file, std::string_view parameters, std::string_view directory,
               int show_command) override;
};

class Win32Volume : public Volume {
 public:
  std::optional<VolumeHandle> Open(std::string_view ansi_path) override;
  bool Control(VolumeHandle volume, std::uint32_t code) override;
  void Close(VolumeHandle volume) override;
};

}  // namespace korvex::win32
