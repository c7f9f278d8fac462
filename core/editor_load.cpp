// The load step: version caption, disk-type list, and every stored value put
// into its control. Each write sets off the control's rule at once, as a
// user's edit would.
#include "editor.h"
#include "number_text.h"
#include "parameter_format.h"

#include <algorithm>

namespace korvex {
namespace {

// A shown value into its control, as the window's load writes it.
void Show(Editor::ValueControl control, int choice, std::string_view text) {
  if (control.list) control.list->SetListIndex(choice);
  if (control.check) control.check->SetValue(choice);
  if (control.box) control.box->SetText(text);
}

// What a loaded value governs follows it at once: where the key held a check
// box's value, the boxes that need it; the size's box and labels, by the disk
// type; FAT32, where the key held it, by the type and the size.
void EnableAfterLoading(Editor& e, const Setting& loaded, bool read) {
  bool hard_disk = e.Combo1.ListIndex() == static_cast<int>(DiskKind::HardDisk);
  if (read && loaded.kind == SettingKind::OnOff) {
    bool on = e.ControlOf(loaded).check->Value() == 1;
    for (const Setting& setting : kSettings)
      if (std::ranges::any_of(setting.needs, [&](const Need& need) { return need.setting == loaded.id; }))
        e.ControlFor(setting).SetEnabled(on);
  }
  if (loaded.id == SettingId::SizeIn4kPages) {
    e.Text3.SetEnabled(hard_disk);
    e.Label6.SetEnabled(hard_disk);
    e.Label12.SetEnabled(hard_disk);
  }
  if (read && loaded.id == SettingId::DiskFormatFAT32)
    e.Fat32Enable.SetEnabled(hard_disk && TextToNumber(e.Text3.Text()) > kFat32Threshold);
}

}  // namespace

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
  // Each value as the settings table converts it, in the order of reading.
  for (const Setting& setting : kSettings) {
    std::optional<ShownSetting> value = ShownFromStored(setting, stored, services_.characters);
    if (value) Show(ControlOf(setting), value->choice, value->text);
    EnableAfterLoading(*this, setting, value.has_value());
  }
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
  for (std::size_t index : kDefaultOrder) {
    const Setting& setting = kSettings[index];
    // The design's enabling around its defaults: FAT32 offered, the size's
    // box enabled, the interval's disabled.
    if (setting.id == SettingId::DiskFormatFAT32) Fat32Enable.SetEnabled(true);
    Show(ControlOf(setting), setting.shown_default.choice, setting.shown_default.text);
    if (setting.id == SettingId::SizeIn4kPages) Text3.SetEnabled(true);
    if (setting.id == SettingId::AutoSaveTrigger) AutoSaveTime.SetEnabled(false);
  }
  ParkSteppers(0);
  services_.session.ShowMessage(Window::ReadRegFail);
}

}  // namespace korvex
