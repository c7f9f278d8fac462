// Which of the Editor's controls shows each setting, and the bar that steps
// it: beside the Editor, since the settings table comes before it, and
// checked to cover the table row by row.
#pragma once

#include <array>
#include <variant>

#include "editor.h"

namespace korvex {

struct SettingControl {
  SettingId setting;
  std::variant<forms::ComboBox Editor::*, forms::CheckBox Editor::*, forms::TextBox Editor::*> control;
  forms::Stepper Editor::* stepper = nullptr;
};

inline constexpr auto kSettingControls = std::to_array<SettingControl>({
    {SettingId::DiskType, &Editor::Combo1},
    {SettingId::LoadImageOnStart, &Editor::LoadImage},
    {SettingId::LoadImageFile, &Editor::Text1},
    {SettingId::SaveImageOnExit, &Editor::SaveImage},
    {SettingId::SaveImageFile, &Editor::Text2},
    {SettingId::SizeIn4kPages, &Editor::Text3, &Editor::VScroll1},
    {SettingId::DiskFormatFAT32, &Editor::Fat32Enable},
    {SettingId::AutoSaveEnabled, &Editor::SaveCheckBox},
    {SettingId::AutoSaveTrigger, &Editor::AutoSaveTime, &Editor::VScroll3},
    {SettingId::UserDriveLetter, &Editor::DriveLetterText, &Editor::VScroll2},
});

static_assert(
    [] {
      if (kSettingControls.size() != kValueCount) return false;
      for (std::size_t index = 0; index < kValueCount; ++index)
        if (kSettingControls[index].setting != kSettings[index].id) return false;
      // A list shows the disk type, a check box a switch, a text box the rest.
      for (std::size_t index = 0; index < kValueCount; ++index) {
        SettingKind kind = kSettings[index].kind;
        std::size_t expected = kind == SettingKind::DiskType ? 0 : kind == SettingKind::OnOff ? 1 : 2;
        if (kSettingControls[index].control.index() != expected) return false;
      }
      return true;
    }(),
    "one row for each setting, in the settings table's order, with a control of its kind");

}  // namespace korvex
