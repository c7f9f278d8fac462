// The shell and the volume, as the Editor needs them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvex {

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute with the desktop as owner; the result is of no interest.
  virtual void Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                       std::string_view directory, int show_command) = 0;
};

using VolumeHandle = std::uintptr_t;

inline constexpr std::uint32_t kLockVolume = 0x00090018;
inline constexpr std::uint32_t kDismountVolume = 0x00090020;
inline constexpr std::uint32_t kUnlockVolume = 0x0009001C;

class Volume {
 public:
  virtual ~Volume() = default;
  // Opens "\\.\X:" exclusively; nothing when it cannot be opened.
  virtual std::optional<VolumeHandle> Open(std::string_view ansi_path) = 0;
  // A control request without input or output data; true on success.
  virtual bool Control(VolumeHandle volume, std::uint32_t code) = 0;
  virtual void Close(VolumeHandle volume) = 0;
};

// One lock for every program that writes the Parameters key, so that writers
// take turns. A program may take it again while it holds it.
class KeyLock {
 public:
  virtual ~KeyLock() = default;
  // False when another writer kept it for longer than a writer may wait.
  virtual bool Acquire() = 0;
  virtual void Release() = 0;
};

// Holds a lock for a scope; no lock is always had.
class KeyLockHold {
 public:
  explicit KeyLockHold(KeyLock* lock) : lock_(lock), held_(!lock || lock->Acquire()) {}
  ~KeyLockHold() {
    if (lock_ && held_) lock_->Release();
  }
  KeyLockHold(const KeyLockHold&) = delete;
  KeyLockHold& operator=(const KeyLockHold&) = delete;
  bool Held() const { return held_; }

 private:
  KeyLock* lock_;
  bool held_;
};

}  // namespace korvex
