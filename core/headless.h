// The Editor without a window: the one type that serves a save's look at a
// state of the key, korvexcfg's inspection and its planner.
#pragma once

#include <optional>

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

// The Parameters key in a given state, only to be read; or a key that
// cannot be opened, for `open_status`.
class StateRegistry : public Registry {
 public:
  explicit StateRegistry(const FoundValues& state, RegistryStatus open_status = 0)
      : state_(state), open_status_(open_status) {}

  RegistryStatus OpenKey(std::string_view, RegistryKey& key) override {
    key = 1;
    return open_status_;
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
  RegistryStatus open_status_;
};

class HeadlessEditor {
 public:
  // Around a registry, to be driven and saved (korvexcfg's planner).
  HeadlessEditor(Registry& registry, const AnsiCharacters& ansi, Volume& volume, KeyLock* lock,
                 bool stores_corrections, bool records_corrections);
  // Loaded from a state of the key: what a window opened on it shows. With
  // an `open_status`, a key that cannot be opened: the window's defaults.
  HeadlessEditor(const FoundValues& state, const AnsiCharacters& ansi, RegistryStatus open_status = 0);
  HeadlessEditor(const HeadlessEditor&) = delete;
  HeadlessEditor& operator=(const HeadlessEditor&) = delete;

  Editor& Model() { return editor_; }
  const Editor& Model() const { return editor_; }

 private:
  std::optional<StateRegistry> state_;
  HeadlessWindows windows_;
  Session session_{windows_};
  NoShell shell_;
  NoVolume no_volume_;
  Editor editor_;
};

}  // namespace korvex
