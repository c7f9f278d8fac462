// What the Editor needs around it when no window is shown: a window system
// that only remembers which messages would have opened, and a registry that
// records each write (or only pretends to write, for a dry run).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor.h"

namespace korvex::cfg {

class HeadlessWindows : public WindowSystem {
 public:
  bool Shown(Window window) const { return shown_[static_cast<std::size_t>(window)]; }
  const std::string& Text() const { return text_; }
  void Forget() { shown_ = {}; }

  void CreateMessageWindow(Window) override {}
  void SetMessageText(Window, std::string_view text) override { text_ = text; }
  void MakeTopMost(Window) override {}
  void ShowAndPaint(Window window) override { shown_[static_cast<std::size_t>(window)] = true; }
  void DestroyWindow(Window) override {}
  void EndProgram() override {}

 private:
  std::array<bool, kWindowCount> shown_{};
  std::string text_;
};

class RecordingRegistry : public Registry {
 public:
  struct Write {
    std::string name;
    bool written;
  };

  RecordingRegistry(Registry& registry, bool dry_run) : registry_(registry), dry_run_(dry_run) {}
  const std::vector<Write>& Writes() const { return writes_; }

  RegistryStatus OpenKey(std::string_view path, RegistryKey& key) override { return registry_.OpenKey(path, key); }
  RegistryStatus QueryValue(RegistryKey key, const char* name, std::span<std::uint8_t> buffer,
                            std::size_t& size) override {
    return registry_.QueryValue(key, name, buffer, size);
  }
  RegistryStatus QueryRawValue(RegistryKey key, const char* name, std::uint32_t& type, std::string& bytes) override {
    return registry_.QueryRawValue(key, name, type, bytes);
  }
  RegistryStatus SetValue(RegistryKey key, const char* name, RegistryType type,
                          std::span<const std::uint8_t> data) override {
    RegistryStatus status = dry_run_ ? 0 : registry_.SetValue(key, name, type, data);
    writes_.push_back({name, status == 0});
    return status;
  }
  RegistryStatus CloseKey(RegistryKey key) override { return registry_.CloseKey(key); }

 private:
  Registry& registry_;
  bool dry_run_;
  std::vector<Write> writes_;
};

}  // namespace korvex::cfg
