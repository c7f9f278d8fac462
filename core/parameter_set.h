// The driver's ten parameters in their stored form, and the one table that
// says everything about each setting: how its value is named, typed and
// ordered in the Parameters key, which of the window's controls show it,
// what it may hold, and how korvexcfg and people name it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "setting_limits.h"

namespace korvex {

inline constexpr std::string_view kParametersKeyPath = "System\\CurrentControlSet\\Services\\korvex\\Parameters";

// A text value holds at most this many bytes with its terminating NUL.
inline constexpr std::size_t kTextValueCapacity = 132;
inline constexpr std::size_t kMaxTextValueCharacters = kTextValueCapacity - 1;

struct TextValue {
  std::string bytes;  // ANSI bytes, without the NUL
  bool present = false;
};

struct DwordValue {
  std::int32_t number = 0;
  bool present = false;
};

struct ParameterSet {
  TextValue DiskType;
  DwordValue LoadImageOnStart;
  TextValue LoadImageFile;
  DwordValue SaveImageOnExit;
  TextValue SaveImageFile;
  DwordValue SizeIn4kPages;
  DwordValue DiskFormatFAT32;
  DwordValue AutoSaveEnabled;
  DwordValue AutoSaveTrigger;
  TextValue UserDriveLetter;
};

// What a setting is; its stored↔shown conversions and its checks go by this.
enum class SettingKind { DiskType, Megabytes, OnOff, Letter, Path, Seconds };

// Stored as text (REG_SZ); the others as numbers (REG_DWORD).
constexpr bool IsText(SettingKind kind) {
  return kind == SettingKind::DiskType || kind == SettingKind::Letter || kind == SettingKind::Path;
}

// Texts as plain C strings: the table is in every program, and half the size so.
struct Setting {
  const char* value_name;  // in the Parameters key
  std::variant<TextValue ParameterSet::*, DwordValue ParameterSet::*> field;
  SettingKind kind;
  const char* control;  // the window's control that shows it
  const char* stepper;  // the bar that steps it, if any
  int low = 0, high = 0;  // what a typed value is held within
  const char* what;       // in messages: "the <what> cannot be stored"
  const char* name;       // korvexcfg's
  const char* property;   // in a desired state given as JSON
  // korvexcfg: the settings the window asks for first when the control is
  // disabled, in korvexcfg's terms; "size>32" asks for any size above 32.
  const char* needs = "";
};

// In the order of reading: a value's index is its place here.
inline constexpr std::array<Setting, 10> kSettings{{
    {"DiskType", &ParameterSet::DiskType, SettingKind::DiskType, "Combo1", "", 0, 0, "disk type", "type",
     "diskType"},
    {"LoadImageOnStart", &ParameterSet::LoadImageOnStart, SettingKind::OnOff, "LoadImage", "", 0, 0,
     "image loading", "load-image", "loadImage"},
    {"LoadImageFile", &ParameterSet::LoadImageFile, SettingKind::Path, "Text1", "", 0, 0, "image file to load",
     "load-file", "loadImageFile", "load-image=on"},
    {"SaveImageOnExit", &ParameterSet::SaveImageOnExit, SettingKind::OnOff, "SaveImage", "", 0, 0, "image saving",
     "save-image", "saveImage"},
    {"SaveImageFile", &ParameterSet::SaveImageFile, SettingKind::Path, "Text2", "", 0, 0, "image file to save",
     "save-file", "saveImageFile", "save-image=on"},
    {"SizeIn4kPages", &ParameterSet::SizeIn4kPages, SettingKind::Megabytes, "Text3", "VScroll1", kSmallestSize,
     kLargestSize, "disk size", "size", "sizeMB", "type=hard-disk"},
    {"DiskFormatFAT32", &ParameterSet::DiskFormatFAT32, SettingKind::OnOff, "Fat32Enable", "", 0, 0,
     "FAT32 format", "fat32", "fat32", "type=hard-disk size>32"},
    {"AutoSaveEnabled", &ParameterSet::AutoSaveEnabled, SettingKind::OnOff, "SaveCheckBox", "", 0, 0, "AutoSave",
     "autosave", "autoSave"},
    {"AutoSaveTrigger", &ParameterSet::AutoSaveTrigger, SettingKind::Seconds, "AutoSaveTime", "VScroll3",
     kShortestInterval, kLongestInterval, "AutoSave interval", "interval", "autoSaveSeconds", "autosave=on"},
    {"UserDriveLetter", &ParameterSet::UserDriveLetter, SettingKind::Letter, "DriveLetterText", "VScroll2",
     kFirstDriveLetter, kLastDriveLetter, "drive letter", "letter", "driveLetter"},
}};
inline constexpr std::size_t kValueCount = kSettings.size();

// A value's place in kSettings, by its name.
constexpr std::size_t ValueIndex(std::string_view name) {
  std::size_t index = 0;
  while (index < kSettings.size() && std::string_view(kSettings[index].value_name) != name) ++index;
  return index;
}

// Writing keeps the order the driver's tools always used: AutoSaveEnabled
// goes before DiskFormatFAT32.
inline constexpr std::array<std::size_t, kValueCount> kWriteOrder{0, 1, 2, 3, 4, 5, 7, 6, 8, 9};

// The order a user fills the window in, so that each comes after what it
// depends on: the disk type before its size and FAT32, each check box before
// its file or interval, AutoSave before image saving.
inline constexpr std::array<std::size_t, kValueCount> kFillOrder{
    ValueIndex("DiskType"),         ValueIndex("SizeIn4kPages"),   ValueIndex("DiskFormatFAT32"),
    ValueIndex("UserDriveLetter"),  ValueIndex("LoadImageOnStart"), ValueIndex("LoadImageFile"),
    ValueIndex("AutoSaveEnabled"),  ValueIndex("SaveImageOnExit"), ValueIndex("SaveImageFile"),
    ValueIndex("AutoSaveTrigger")};

inline constexpr auto kSettingsInFillOrder = []<std::size_t... i>(std::index_sequence<i...>) {
  return std::array<std::reference_wrapper<const Setting>, kValueCount>{kSettings[kFillOrder[i]]...};
}(std::make_index_sequence<kValueCount>());

// A setting's place in kSettings.
inline std::size_t IndexOf(const Setting& setting) { return static_cast<std::size_t>(&setting - kSettings.data()); }

}  // namespace korvex
