// The one table that says everything about each setting: how its value is
// named, typed and ordered in the Parameters key, what it may hold, what the
// window needs before it offers it and shows without a key, and how
// korvexcfg and people name it. Which of the Editor's controls shows it is
// in setting_controls.h, beside the Editor, checked against this table.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>
#include <utility>
#include <variant>

#include "parameter_set.h"
#include "setting_limits.h"

namespace korvex {

// A setting by its place in kSettings, which is the order of reading.
enum class SettingId : std::size_t {
  DiskType,
  LoadImageOnStart,
  LoadImageFile,
  SaveImageOnExit,
  SaveImageFile,
  SizeIn4kPages,
  DiskFormatFAT32,
  AutoSaveEnabled,
  AutoSaveTrigger,
  UserDriveLetter,
};

// What a setting is; its stored↔shown conversions and its checks go by this.
enum class SettingKind { DiskType, Megabytes, OnOff, Letter, Path, Seconds };

// Stored as text (REG_SZ); the others as numbers (REG_DWORD).
constexpr bool IsText(SettingKind kind) {
  return kind == SettingKind::DiskType || kind == SettingKind::Letter || kind == SettingKind::Path;
}

// A condition the window's control needs before it is enabled: another
// setting at a value, or a number above one, the value in korvexcfg's terms.
struct Need {
  SettingId setting{};
  const char* value = "";
  bool above = false;
};
constexpr Need NeedIs(SettingId setting, const char* value) { return {setting, value, false}; }
constexpr Need NeedAbove(SettingId setting, const char* number) { return {setting, number, true}; }

// Every one of them must hold.
class Needs {
 public:
  constexpr Needs() = default;
  constexpr Needs(Need first) : list_{first}, count_(1) {}
  constexpr Needs(Need first, Need second) : list_{first, second}, count_(2) {}
  constexpr const Need* begin() const { return list_.data(); }
  constexpr const Need* end() const { return list_.data() + count_; }
  constexpr bool empty() const { return count_ == 0; }

 private:
  std::array<Need, 2> list_{};
  std::size_t count_ = 0;
};

// What the window shows where the key cannot be read: a list index or check
// value, or a box's text.
struct ShownDefault {
  int choice = -1;
  const char* text = "";
};
constexpr ShownDefault ShownChoice(int choice) { return {choice, ""}; }
constexpr ShownDefault ShownText(const char* text) { return {-1, text}; }

// Texts as plain C strings: the table is in every program, and half the size so.
struct Setting {
  SettingId id;            // its place in the table
  const char* value_name;  // in the Parameters key
  std::variant<TextValue ParameterSet::*, DwordValue ParameterSet::*> field;
  SettingKind kind;
  int low = 0, high = 0;  // what a typed value is held within
  const char* what;       // in messages: "the <what> cannot be stored"
  const char* name;       // korvexcfg's
  const char* property;   // in a desired state given as JSON
  ShownDefault shown_default;
  // What the window needs before it enables the control: korvexcfg asks for
  // it first where the control is disabled, and the load enables a check
  // box's boxes by it.
  Needs needs = {};
};

inline constexpr auto kSettings = std::to_array<Setting>({
    {SettingId::DiskType, "DiskType", &ParameterSet::DiskType, SettingKind::DiskType, 0, 0, "disk type", "type",
     "diskType", ShownChoice(static_cast<int>(DiskKind::HardDisk))},
    {SettingId::LoadImageOnStart, "LoadImageOnStart", &ParameterSet::LoadImageOnStart, SettingKind::OnOff, 0, 0,
     "image loading", "load-image", "loadImage", ShownChoice(0)},
    {SettingId::LoadImageFile, "LoadImageFile", &ParameterSet::LoadImageFile, SettingKind::Path, 0, 0,
     "image file to load", "load-file", "loadImageFile", ShownText(""), NeedIs(SettingId::LoadImageOnStart, "on")},
    {SettingId::SaveImageOnExit, "SaveImageOnExit", &ParameterSet::SaveImageOnExit, SettingKind::OnOff, 0, 0,
     "image saving", "save-image", "saveImage", ShownChoice(0)},
    {SettingId::SaveImageFile, "SaveImageFile", &ParameterSet::SaveImageFile, SettingKind::Path, 0, 0,
     "image file to save", "save-file", "saveImageFile", ShownText(""), NeedIs(SettingId::SaveImageOnExit, "on")},
    {SettingId::SizeIn4kPages, "SizeIn4kPages", &ParameterSet::SizeIn4kPages, SettingKind::Megabytes, kSmallestSize,
     kLargestSize, "disk size", "size", "sizeMB", ShownText("0"), NeedIs(SettingId::DiskType, "hard-disk")},
    {SettingId::DiskFormatFAT32, "DiskFormatFAT32", &ParameterSet::DiskFormatFAT32, SettingKind::OnOff, 0, 0,
     "FAT32 format", "fat32", "fat32", ShownChoice(0),
     Needs{NeedIs(SettingId::DiskType, "hard-disk"), NeedAbove(SettingId::SizeIn4kPages, "32")}},
    {SettingId::AutoSaveEnabled, "AutoSaveEnabled", &ParameterSet::AutoSaveEnabled, SettingKind::OnOff, 0, 0,
     "AutoSave", "autosave", "autoSave", ShownChoice(0)},
    {SettingId::AutoSaveTrigger, "AutoSaveTrigger", &ParameterSet::AutoSaveTrigger, SettingKind::Seconds,
     kShortestInterval, kLongestInterval, "AutoSave interval", "interval", "autoSaveSeconds", ShownText("0"),
     NeedIs(SettingId::AutoSaveEnabled, "on")},
    {SettingId::UserDriveLetter, "UserDriveLetter", &ParameterSet::UserDriveLetter, SettingKind::Letter,
     kFirstDriveLetter, kLastDriveLetter, "drive letter", "letter", "driveLetter", ShownText("Z")},
});
inline constexpr std::size_t kValueCount = kSettings.size();

static_assert(
    [] {
      for (std::size_t index = 0; index < kValueCount; ++index)
        if (kSettings[index].id != SettingId(index)) return false;
      return true;
    }(),
    "each row's id is its place in the table");

constexpr std::size_t Index(SettingId id) { return static_cast<std::size_t>(id); }

// A value's place in kSettings, by its name.
constexpr std::size_t ValueIndex(std::string_view name) {
  std::size_t index = 0;
  while (index < kSettings.size() && std::string_view(kSettings[index].value_name) != name) ++index;
  return index;
}

// The places of an order of the settings; it must name each exactly once.
template <std::size_t count>
consteval std::array<std::size_t, kValueCount> SettingOrder(const SettingId (&order)[count]) {
  static_assert(count == kValueCount, "an order names every setting");
  std::array<std::size_t, kValueCount> places{};
  std::array<bool, kValueCount> named{};
  for (std::size_t i = 0; i < count; ++i) {
    if (named[Index(order[i])]) throw "an order names a setting twice";
    named[Index(order[i])] = true;
    places[i] = Index(order[i]);
  }
  return places;
}

// Writing keeps the order the driver's tools always used: AutoSaveEnabled
// goes before DiskFormatFAT32.
inline constexpr auto kWriteOrder = SettingOrder({
    SettingId::DiskType, SettingId::LoadImageOnStart, SettingId::LoadImageFile, SettingId::SaveImageOnExit,
    SettingId::SaveImageFile, SettingId::SizeIn4kPages, SettingId::AutoSaveEnabled, SettingId::DiskFormatFAT32,
    SettingId::AutoSaveTrigger, SettingId::UserDriveLetter});

// The order a user fills the window in, so that each comes after what it
// depends on: the disk type before its size and FAT32, each check box before
// its file or interval, AutoSave before image saving.
inline constexpr auto kFillOrder = SettingOrder({
    SettingId::DiskType, SettingId::SizeIn4kPages, SettingId::DiskFormatFAT32, SettingId::UserDriveLetter,
    SettingId::LoadImageOnStart, SettingId::LoadImageFile, SettingId::AutoSaveEnabled, SettingId::SaveImageOnExit,
    SettingId::SaveImageFile, SettingId::AutoSaveTrigger});

// The order the window's design puts its defaults in where the key cannot be
// read; the rules they set off run in it.
inline constexpr auto kDefaultOrder = SettingOrder({
    SettingId::UserDriveLetter, SettingId::DiskFormatFAT32, SettingId::LoadImageOnStart, SettingId::SaveImageOnExit,
    SettingId::DiskType, SettingId::LoadImageFile, SettingId::SaveImageFile, SettingId::SizeIn4kPages,
    SettingId::AutoSaveEnabled, SettingId::AutoSaveTrigger});

inline constexpr auto kSettingsInFillOrder = []<std::size_t... i>(std::index_sequence<i...>) {
  return std::array<std::reference_wrapper<const Setting>, kValueCount>{kSettings[kFillOrder[i]]...};
}(std::make_index_sequence<kValueCount>());

// A setting's place in kSettings.
inline std::size_t IndexOf(const Setting& setting) { return Index(setting.id); }

}  // namespace korvex
