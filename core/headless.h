// What the Editor needs around it when no window is shown: a window system
// that shows nothing, and a registry that reads a given state of the key.
#pragma once

#include "editor.h"

namespace korvex {

class HeadlessWindows : public WindowSystem {
 public:
  bool CreateMessageWindow(Window) override { return true; }
  void SetMessageText(Window, std::string_view) override {}
  void MakeTopMost(Window) override {}
  void ShowAndPaint(Window) override {}
  void DestroyWindow(Window) override {}
  void EndProgram() override {}
};

class NoShell : public Shell {
  void Execute(std::string_view, std::string_view, std::string_view, std::string_view, int) override {}
};

class NoVolume : public Volume {
  std::optional<VolumeHandle> Open(std::string_view) override { return std::nullopt; }
  bool Control(VolumeHandle, std::uint32_t) override { return false; }
  void Close(VolumeHandle) override {}
};

// The Parameters key in a given state, only to be read.
class StateRegistry : public Registry {
 public:
  explicit StateRegistry(const FoundValues& state) : state_(state) {}

  RegistryStatus OpenKey(std::string_view, RegistryKey& key) override {
    key = 1;
    return 0;
  }
  RegistryStatus QueryRawValue(RegistryKey, const char* name, std::uint32_t& type, std::string& bytes) override {
    const FoundValue& value = state_[ValueIndex(name)];
    if (value.Present()) {
      type = value.stored.type;
      bytes = value.stored.data;
    }
    return value.status;
  }
  RegistryStatus SetValue(RegistryKey, const char*, RegistryType, std::span<const std::uint8_t>) override {
    return kAccessDenied;
  }
  RegistryStatus CloseKey(RegistryKey) override { return 0; }

 private:
  FoundValues state_;
};

// What the window shows for a state of the key once its load, and the rules
// the load sets off, have run: each setting in its stored form.
StoredForms FormsAfterLoad(const FoundValues& state, const AnsiCharacters& ansi);

}  // namespace korvex
