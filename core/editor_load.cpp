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
  FoundValues found;
  if (load_status_ == 0) {
    found = key.Values();
    LoadStoredValues(WindowReading(found));
  } else {
    for (FoundValue& value : found) value.status = load_status_;  // nothing could be read
    LoadDefaults();
  }
  // What a save compares with.
  TakeAsFound(found);
}

void Editor::LoadStoredValues(const ParameterSet& stored) {
  const AnsiCharacters& ansi = services_.characters;
  auto set_check = [](forms::CheckBox& box, forms::Control& depends, const DwordValue& value) {
    if (!value.present) return;
    box.SetValue(CheckValueFromStored(value.number));
    depends.SetEnabled(box.Value() == 1);
  };

  if (stored.DiskType.present)
    if (auto index = ListIndexForDiskCode(stored.DiskType.bytes)) Combo1.SetListIndex(*index);
  set_check(LoadImage, Text1, stored.LoadImageOnStart);
  if (stored.LoadImageFile.present) Text1.SetText(ansi.FromAnsi(ShownFilePath(stored.LoadImageFile.bytes)));
  set_check(SaveImage, Text2, stored.SaveImageOnExit);
  if (stored.SaveImageFile.present) Text2.SetText(ansi.FromAnsi(ShownFilePath(stored.SaveImageFile.bytes)));

  float megabytes = 0;
  if (stored.SizeIn4kPages.present) {
    megabytes = MegabytesFromPages(stored.SizeIn4kPages.number);
    Text3.SetText(NumberToText(megabytes));
  }
  bool hard_disk = Combo1.ListIndex() == static_cast<int>(DiskKind::HardDisk);
  Text3.SetEnabled(hard_disk);
  Label6.SetEnabled(hard_disk);
  Label12.SetEnabled(hard_disk);

  if (stored.DiskFormatFAT32.present) {
    Fat32Enable.SetValue(CheckValueFromStored(stored.DiskFormatFAT32.number));
    bool still_hard_disk = Combo1.ListIndex() == static_cast<int>(DiskKind::HardDisk);
    Fat32Enable.SetEnabled(still_hard_disk && TextToNumber(Text3.Text()) > kFat32Threshold);
  }
  set_check(SaveCheckBox, AutoSaveTime, stored.AutoSaveEnabled);
  if (stored.AutoSaveTrigger.present) AutoSaveTime.SetText(NumberToText(double(stored.AutoSaveTrigger.number)));
  if (stored.UserDriveLetter.present) DriveLetterText.SetText(ansi.FromAnsi(stored.UserDriveLetter.bytes));

  ParkSteppers(megabytes);
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
