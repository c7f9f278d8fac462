#include "editor.h"

#include "number_text.h"
#include "setting_controls.h"

#include <type_traits>
#include <utility>
#include <variant>

namespace korvex {

Editor::Editor(EditorServices services) : services_(services) {
  Combo1.Click = [this] { Combo1_Click(); };
  Combo1.Change = [this] { Combo1_Change(); };
  Text3.Change = [this] { Text3_Change(); };
  Text3.LostFocus = [this] { Text3_LostFocus(); };
  VScroll1.Change = [this] { VScroll1_Change(); };
  DriveLetterText.Change = [this] { DriveLetterText_Change(); };
  VScroll2.Change = [this] { VScroll2_Change(); };
  AutoSaveTime.LostFocus = [this] { AutoSaveTime_LostFocus(); };
  VScroll3.Change = [this] { VScroll3_Change(); };
  SaveCheckBox.Click = [this] { SaveCheckBox_Click(); };
  SaveImage.Click = [this] { SaveImage_Click(); };
  LoadImage.Click = [this] { LoadImage_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Label8.Click = [this] { Label8_Click(); };
  // A user's action on a setting's box or its bar sets the setting; so does
  // any later change of its value, which only the user's actions and the
  // rules they set off make.
  for (const Setting& setting : kSettings) {
    std::size_t index = IndexOf(setting);
    auto set = [this, index] { set_by_user_.set(index); };
    ControlFor(setting).Acted = set;
    if (auto stepper = kSettingControls[index].stepper) (this->*stepper).Acted = set;
    auto note_change = [this, index](forms::Event& event) {
      event = [this, index, rule = std::move(event)] {
        ValueChanged(index);
        if (rule) rule();
      };
    };
    ValueControl control = ControlOf(setting);
    if (control.list) note_change(control.list->Click), note_change(control.list->Change);
    if (control.check) note_change(control.check->Click);
    if (control.box) note_change(control.box->Change);
  }
}

Editor::ValueControl Editor::ControlOf(const Setting& setting) const {
  // The controls are the window's state; what is done with one is the caller's.
  auto& e = const_cast<Editor&>(*this);
  ValueControl control;
  std::visit(
      [&](auto member) {
        auto* shown = &(e.*member);
        if constexpr (std::is_same_v<decltype(shown), forms::ComboBox*>) control.list = shown;
        if constexpr (std::is_same_v<decltype(shown), forms::CheckBox*>) control.check = shown;
        if constexpr (std::is_same_v<decltype(shown), forms::TextBox*>) control.box = shown;
      },
      kSettingControls[IndexOf(setting)].control);
  return control;
}

forms::Control& Editor::ControlFor(const Setting& setting) const {
  return std::visit([&](auto member) -> forms::Control& { return const_cast<Editor&>(*this).*member; },
                    kSettingControls[IndexOf(setting)].control);
}

void Editor::Corrected(SettingId setting, std::string from, std::string to, CorrectionReason reason) {
  if (services_.records_corrections) corrections_.push_back({Index(setting), std::move(from), std::move(to), reason});
}

std::string ReasonText(const Correction& correction) {
  const Setting& setting = kSettings[correction.value];
  std::string unit = setting.kind == SettingKind::Megabytes ? " MB" : " seconds";
  switch (correction.reason) {
    case CorrectionReason::AtMost: return "at most " + IntegerText(setting.high) + unit;
    case CorrectionReason::AtLeast: return "at least " + IntegerText(setting.low) + unit;
    case CorrectionReason::Whole: return setting.kind == SettingKind::Megabytes ? "whole megabytes" : "whole seconds";
    case CorrectionReason::LetterRange: return "a letter from " + DriveLetterRange();
    case CorrectionReason::TypedDiskType: return "a typed disk type is a hard disk";
    case CorrectionReason::AutoSaveSaves: return "AutoSave saves the image";
    case CorrectionReason::NoImageSaving: return "no AutoSave without image saving";
  }
  return "";
}

void Editor::SetByUser(const forms::Control& control) {
  for (const Setting& setting : kSettings)
    if (&ControlFor(setting) == &control) set_by_user_.set(IndexOf(setting));
}

}  // namespace korvex
