// Saving: every control is read back into its stored form, and a value is
// written when that form differs from what the load found and the window
// showed the value faithfully or the user set it. A value the window could
// not show is never overwritten with a placeholder, and a value the user
// left alone keeps what another program wrote meanwhile.
#include <utility>

#include "editor.h"

namespace korvex {

ShownSettings Editor::Shown() const {
  return {Combo1.ListIndex(), LoadImage.Value(),    Text1.Text(),        SaveImage.Value(),
          Text2.Text(),       Text3.Text(),         Fat32Enable.Value(), SaveCheckBox.Value(),
          AutoSaveTime.Text(), DriveLetterText.Text()};
}

void Editor::TakeAsFound(const FoundValues& found) {
  found_ = found;
  faithful_ = ShownFaithfully(found_, services_.characters);
  forms_when_found_ = CurrentForms();
  set_by_user_.reset();
}

void Editor::CompareWith(const FoundValues& key, std::bitset<kValueCount> set) {
  found_ = key;
  faithful_ = ShownFaithfully(found_, services_.characters);
  set_by_user_ |= set;
}

// By the user's own action on its control, or by a rule such an action set
// off: nothing else changes a control after the load.
bool Editor::SetSinceFound(std::size_t index, const StoredForms& now) const {
  return set_by_user_[index] || now[index] != forms_when_found_[index];
}

SaveReport Editor::PlanSave() const {
  SaveReport report;
  StoredForms now = CurrentForms();
  for (std::size_t index = 0; index < kValueCount; ++index) {
    ValueReport& value = report.values[index];
    const StoredForm& form = now[index];
    value.before = found_[index];
    value.after = form.value;
    bool differs = !found_[index].Present() || form.value != found_[index].stored;
    if (!differs) {
      value.outcome = ValueOutcome::Unchanged;
    } else if (!faithful_[index] && !SetSinceFound(index, now)) {
      value.outcome = ValueOutcome::Kept;
    } else if (!form.problem.empty()) {
      value.outcome = ValueOutcome::Refused;
      value.reason = form.problem;
    } else {
      value.outcome = ValueOutcome::Written;
    }
  }
  if (report.FirstRefusal()) {
    report.result = SaveReport::Result::Refused;
    for (ValueReport& value : report.values)
      if (value.outcome == ValueOutcome::Written) value.outcome = ValueOutcome::NotWritten;
  }
  return report;
}

namespace {

// Pairs of values that a rule of the window ties together: a combination of
// them that the rules forbid must never be left in the key.
constexpr std::array<std::pair<std::size_t, std::size_t>, 7> kTiedValues{{
    {ValueIndex("AutoSaveEnabled"), ValueIndex("SaveImageOnExit")},
    {ValueIndex("DiskType"), ValueIndex("SizeIn4kPages")},
    {ValueIndex("DiskType"), ValueIndex("DiskFormatFAT32")},
    {ValueIndex("SizeIn4kPages"), ValueIndex("DiskFormatFAT32")},
    {ValueIndex("LoadImageOnStart"), ValueIndex("LoadImageFile")},
    {ValueIndex("SaveImageOnExit"), ValueIndex("SaveImageFile")},
    {ValueIndex("AutoSaveEnabled"), ValueIndex("AutoSaveTrigger")},
}};

}  // namespace

void Editor::WriteTiedValues(SaveReport& report, const FoundValues& key_now) const {
  StoredForms now = CurrentForms();
  std::bitset<kValueCount> written;
  for (std::size_t index = 0; index < kValueCount; ++index)
    written[index] = report.values[index].outcome == ValueOutcome::Written;
  auto write_if_stale = [&](std::size_t index) {
    ValueReport& value = report.values[index];
    const StoredForm& form = now[index];
    bool trusted = faithful_[index] || SetSinceFound(index, now);  // never a placeholder
    bool stale = !key_now[index].Present() || form.value != key_now[index].stored;
    if (value.outcome != ValueOutcome::Written && trusted && form.value && stale) {
      value.outcome = ValueOutcome::Written;
      value.after = form.value;
    }
  };
  for (auto [a, b] : kTiedValues) {
    if (written[a]) write_if_stale(b);
    if (written[b]) write_if_stale(a);
  }
  // What each write replaces is what the key holds now.
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (report.values[index].outcome == ValueOutcome::Written) report.values[index].before = key_now[index];
}

SaveReport Editor::NothingWritten(SaveReport report, SaveReport::Result result, RegistryStatus key_error) {
  report.result = result;
  report.key_error = key_error;
  for (ValueReport& value : report.values)
    if (value.outcome == ValueOutcome::Written) value.outcome = ValueOutcome::NotWritten;
  services_.session.ShowMessage(Window::SaveRegFail);
  return report;
}

SaveReport Editor::SaveParameters() {
  SaveReport report = PlanSave();
  if (const ValueReport* refusal = report.FirstRefusal()) {
    services_.session.ShowMessage(Window::SettingRefused, refusal->reason);
    return report;
  }
  KeyLockHold hold(services_.lock);
  if (!hold.Held()) return NothingWritten(std::move(report), SaveReport::Result::Busy, 0);
  ValuesToWrite values;
  auto take_written = [&] {
    for (std::size_t index = 0; index < kValueCount; ++index)
      if (report.values[index].outcome == ValueOutcome::Written) values[index] = report.values[index].after;
  };
  take_written();
  ParameterStore::Amend write_tied_values;
  if (report.Writes())  // a save with nothing to write only opens and closes the key
    write_tied_values = [&](const FoundValues& key_now, ValuesToWrite& amended) {
      WriteTiedValues(report, key_now);
      take_written();
      amended = values;
    };
  WriteResult written = store_.Write(values, write_tied_values);
  if (written.open_status != 0)
    return NothingWritten(std::move(report), SaveReport::Result::KeyUnavailable, written.open_status);
  // What was written is what the key now holds for the next save; a value
  // whose write failed is still owed as it was.
  StoredForms now = CurrentForms();
  for (std::size_t index = 0; index < kValueCount; ++index) {
    ValueReport& value = report.values[index];
    if (!written.statuses[index]) continue;
    if (*written.statuses[index] == 0) {
      found_[index] = {0, *value.after};
      forms_when_found_[index] = now[index];
      set_by_user_.reset(index);
    } else {
      value.outcome = ValueOutcome::Failed;
      value.error = *written.statuses[index];
    }
  }
  faithful_ = ShownFaithfully(found_, services_.characters);
  if (!written.AllWritten()) {
    report.result = SaveReport::Result::WriteFailed;
    services_.session.ShowMessage(Window::SaveRegFail);
  }
  return report;
}

}  // namespace korvex
