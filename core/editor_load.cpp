// The load step: version caption, disk-type list, and every stored value put
// into its control. Each write sets off the control's rule at once, as a
// user's edit would.
#include "editor.h"
#include "number_text.h"
#include "parameter_format.h"

namespace korvex {

void Editor::Form_Load() {
  ParametersKey key(services_.registry);
  Form_Load(key);
}

void Editor::Form_Load(ParametersKey& key) {
  const ProgramVersion& v = services_.version;
  Label5.SetCaption("Configuration Utility - Version " + IntegerText(v.major) + "." + IntegerText(v.minor) + "." +
                    IntegerText(v.revision));
  for (const DiskKindInfo& kind : kDiskKinds) Combo1.AddItem(kind.list_text, static_cast<int>(kind.kind));

  load_status_ = key.OpenStatus();
  loading_ = true;
  FoundValues found;
  if (load_status_ == 0) {
    found = key.Values();
    LoadStoredValues(WindowReading(found));
  } else {
    for (FoundValue& value : found) value.status = load_status_;  // nothing could be read
    LoadDefaults();
  }
  loading_ = false;
  // What a save compares with.
  TakeAsFound(found);
}

void Editor::LoadStoredValues(const ParameterSet& stored) {
  // Each value as the settings table converts it, in the order of reading;
  // the boxes a value enables follow it at once.
  auto shown = [&](std::string_view value_name) {
    return ShownFromStored(kSettings[ValueIndex(value_name)], stored, services_.characters);
  };
  auto set_check = [&](forms::CheckBox& box, forms::Control& depends, std::string_view value_name) {
    auto value = shown(value_name);
    if (!value) return;
    box.SetValue(value->choice);
    depends.SetEnabled(box.Value() == 1);
  };
  auto set_text = [&](forms::TextBox& box, std::string_view value_name) {
    if (auto value = shown(value_name)) box.SetText(value->text);
  };

  if (auto type = shown("DiskType")) Combo1.SetListIndex(type->choice);
  set_check(LoadImage, Text1, "LoadImageOnStart");
  set_text(Text1, "LoadImageFile");
  set_check(SaveImage, Text2, "SaveImageOnExit");
  set_text(Text2, "SaveImageFile");
  set_text(Text3, "SizeIn4kPages");
  bool hard_disk = Combo1.ListIndex() == static_cast<int>(DiskKind::HardDisk);
  Text3.SetEnabled(hard_disk);
  Label6.SetEnabled(hard_disk);
  Label12.SetEnabled(hard_disk);

  if (auto fat32 = shown("DiskFormatFAT32")) {
    Fat32Enable.SetValue(fat32->choice);
    bool still_hard_disk = Combo1.ListIndex() == static_cast<int>(DiskKind::HardDisk);
    Fat32Enable.SetEnabled(still_hard_disk && TextToNumber(Text3.Text()) > kFat32Threshold);
  }
  set_check(SaveCheckBox, AutoSaveTime, "AutoSaveEnabled");
  set_text(AutoSaveTime, "AutoSaveTrigger");
  set_text(DriveLetterText, "UserDriveLetter");

  ParkSteppers(stored.SizeIn4kPages.present ? MegabytesFromPages(stored.SizeIn4kPages.number) : 0);
}

// Each field before its bar, so that the bar's Change finds nothing to do.
void Editor::ParkSteppers(double megabytes) {
  VScroll1.Park(SizeBarPosition(megabytes));
  VScroll2.ParkAtRest();
  // At rest like the letter's, so that the interval's upper arrow works too.
  VScroll3.ParkAtRest();
}

void Editor::LoadDefaults() {
  DriveLetterText.SetText("Z");
  Fat32Enable.SetEnabled(true);
  Fat32Enable.SetValue(0);
  LoadImage.SetValue(0);
  SaveImage.SetValue(0);
  Combo1.SetListIndex(static_cast<int>(DiskKind::HardDisk));
  Text1.SetText("");
  Text2.SetText("");
  Text3.SetText("0");
  Text3.SetEnabled(true);
  SaveCheckBox.SetValue(0);
  AutoSaveTime.SetText("0");
  AutoSaveTime.SetEnabled(false);
  ParkSteppers(0);
  services_.session.ShowMessage(Window::ReadRegFail);
}

}  // namespace korvex
