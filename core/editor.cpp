#include "editor.h"

#include "number_text.h"

#include <utility>

namespace korvex {
namespace {

// The bar that steps a setting's box, as the settings table names it.
forms::Stepper* StepperNamed(Editor& e, std::string_view name) {
  for (forms::Stepper* stepper : {&e.VScroll1, &e.VScroll2, &e.VScroll3})
    if (stepper->Name() == name) return stepper;
  return nullptr;
}

}  // namespace

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
    if (forms::Stepper* stepper = StepperNamed(*this, setting.stepper)) stepper->Acted = set;
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
  if (e.Combo1.Name() == setting.control) return {&e.Combo1};
  for (forms::CheckBox* check : {&e.LoadImage, &e.SaveImage, &e.Fat32Enable, &e.SaveCheckBox})
    if (check->Name() == setting.control) return {nullptr, check};
  for (forms::TextBox* box : {&e.Text1, &e.Text2, &e.Text3, &e.AutoSaveTime})
    if (box->Name() == setting.control) return {nullptr, nullptr, box};
  return {nullptr, nullptr, &e.DriveLetterText};
}

forms::Control& Editor::ControlFor(const Setting& setting) const {
  ValueControl control = ControlOf(setting);
  if (control.list) return *control.list;
  if (control.check) return *control.check;
  return *control.box;
}

void Editor::Corrected(std::string_view value_name, std::string from, std::string to, CorrectionReason reason) {
  if (services_.records_corrections)
    corrections_.push_back({ValueIndex(value_name), std::move(from), std::move(to), reason});
}

std::string ReasonText(const Correction& correction) {
  const Setting& setting = kSettings[correction.value];
  std::string unit = setting.kind == SettingKind::Megabytes ? " MB" : " seconds";
  switch (correction.reason) {
    case CorrectionReason::AtMost: return "at most " + IntegerText(setting.high) + unit;
    case CorrectionReason::AtLeast: return "at least " + IntegerText(setting.low) + unit;
    case CorrectionReason::Whole: return "whole megabytes";
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
