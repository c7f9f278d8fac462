// The settings korvexcfg knows, by name, each bound to the Editor control a
// user would change and to the stored value it ends up in.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "editor.h"

namespace korvex::cfg {

enum class SettingKind { DiskType, Megabytes, OnOff, Letter, Path, Seconds };

// Stored as text (REG_SZ); the others as numbers (REG_DWORD).
constexpr bool IsText(SettingKind kind) {
  return kind == SettingKind::DiskType || kind == SettingKind::Letter || kind == SettingKind::Path;
}

using SettingControl = std::variant<forms::ComboBox Editor::*, forms::TextBox Editor::*, forms::CheckBox Editor::*>;

struct Setting {
  std::string_view name;
  std::string_view value_name;  // in the Parameters key
  std::string_view property;    // in a desired state given as JSON
  SettingKind kind;
  SettingControl control;
  std::string_view needs;  // when its control is disabled: what the window asks for first
};

// In the order a user fills the window, so that each comes after what it
// depends on: the disk type before its size and FAT32, each check box before
// its file or interval, AutoSave before image saving.
inline constexpr std::array<Setting, 10> kSettings{{
    {"type", "DiskType", "diskType", SettingKind::DiskType, &Editor::Combo1, ""},
    {"size", "SizeIn4kPages", "sizeMB", SettingKind::Megabytes, &Editor::Text3, "type=hard-disk"},
    {"fat32", "DiskFormatFAT32", "fat32", SettingKind::OnOff, &Editor::Fat32Enable, "type=hard-disk"},
    {"letter", "UserDriveLetter", "driveLetter", SettingKind::Letter, &Editor::DriveLetterText, ""},
    {"load-image", "LoadImageOnStart", "loadImage", SettingKind::OnOff, &Editor::LoadImage, ""},
    {"load-file", "LoadImageFile", "loadImageFile", SettingKind::Path, &Editor::Text1, "load-image=on"},
    {"autosave", "AutoSaveEnabled", "autoSave", SettingKind::OnOff, &Editor::SaveCheckBox, ""},
    {"save-image", "SaveImageOnExit", "saveImage", SettingKind::OnOff, &Editor::SaveImage, ""},
    {"save-file", "SaveImageFile", "saveImageFile", SettingKind::Path, &Editor::Text2, "save-image=on"},
    {"interval", "AutoSaveTrigger", "autoSaveSeconds", SettingKind::Seconds, &Editor::AutoSaveTime, "autosave=on"},
}};

// A setting named on the command line with the value asked for.
struct Request {
  const Setting* setting;
  std::string value;
  bool retype = false;  // typed in again even where the window already shows it
};

// The settings of a desired state given as one JSON object of their
// properties, as the command line's NAME=VALUE would request them; nothing,
// with the reason in `problem`, for input that is not such an object.
std::optional<std::vector<Request>> DesiredState(std::string_view json, std::string& problem);

// For messages: what the setting accepts, from the window's limits.
std::string Accepts(const Setting& setting);

// When its control is disabled: what the window asks for first.
std::string Needs(const Setting& setting);

// By its name or its registry value name, either in any case.
const Setting* FindSetting(std::string_view name);

// By its registry value name only, in any case.
const Setting* FindSettingByValueName(std::string_view value_name);

// The setting as the window shows it now, in the form a user would request it.
std::string ShownValue(Editor& editor, const Setting& setting);

// The request in the window's terms (a list index as text, "1"/"0" for a
// check box, the number or text to type), or nothing when it is malformed.
std::optional<std::string> RequestedInput(const Setting& setting, std::string_view value);

// Whether a shown value already is what was requested.
bool SameValue(const Setting& setting, std::string_view shown, std::string_view requested);

// Its place in kParameterValues.
inline std::size_t ValueIndexOf(const Setting& setting) { return ValueIndex(setting.value_name); }

// The setting stored in a value, by its place in kParameterValues.
const Setting& SettingOfValue(std::size_t value_index);

// The disk kind's name for a list index; empty for none.
std::string_view DiskKindName(int list_index);

}  // namespace korvex::cfg
