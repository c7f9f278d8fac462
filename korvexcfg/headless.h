// What the Editor needs around it when no window is shown: a window system
// that shows nothing, and a registry that reads a given state of the key.
#pragma once

#include "editor.h"

namespace korvex::cfg {

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

// The Parameters key in a given state: reads come from the state; writes go
// to `writes_to`, the real key, or are refused when there is none. Once the
// state is loaded, ReadTheKey sends reads to the real key too (a save reads
// it again before it writes).
class StateRegistry : public Registry {
 public:
  explicit StateRegistry(const FoundValues& state, Registry* writes_to = nullptr)
      : state_(state), writes_to_(writes_to) {}

  RegistryStatus OpenKey(std::string_view path, RegistryKey& key) override {
    if (writes_to_) return writes_to_->OpenKey(path, key);
    key = 1;
    return 0;
  }
  void ReadTheKey() { state_read_ = true; }

  RegistryStatus QueryRawValue(RegistryKey key, const char* name, std::uint32_t& type, std::string& bytes) override {
    if (state_read_ && writes_to_) return writes_to_->QueryRawValue(key, name, type, bytes);
    const FoundValue& value = state_[ValueIndex(name)];
    if (value.Present()) {
      type = value.stored.type;
      bytes = value.stored.data;
    }
    return value.status;
  }
  RegistryStatus SetValue(RegistryKey key, const char* name, RegistryType type,
                          std::span<const std::uint8_t> data) override {
    return writes_to_ ? writes_to_->SetValue(key, name, type, data) : kAccessDenied;  // a state only to read
  }
  RegistryStatus CloseKey(RegistryKey key) override { return writes_to_ ? writes_to_->CloseKey(key) : 0; }

 private:
  FoundValues state_;
  Registry* writes_to_;
  bool state_read_ = false;
};

}  // namespace korvex::cfg
