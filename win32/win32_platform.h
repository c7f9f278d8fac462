// The shell, the volume and the writers' lock on Win32.
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

// A named mutex, in the Global\ namespace where it can be made (so that writers
// in every session take turns), else in the session's own.
class Win32KeyLock : public KeyLock {
 public:
  Win32KeyLock();
  ~Win32KeyLock() override;
  Win32KeyLock(const Win32KeyLock&) = delete;
  Win32KeyLock& operator=(const Win32KeyLock&) = delete;
  bool Acquire() override;
  void Release() override;

 private:
  void* mutex_;
};

}  // namespace korvex::win32
