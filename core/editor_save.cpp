// Saving: every control is read back into its stored form, and a value is
// written when that form differs from what the load found and the window
// showed the value faithfully or the user set it. A value the window could
// not show is never overwritten with a placeholder, and a value the user
// left alone keeps what another program wrote meanwhile.
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

SaveReport Editor::SaveParameters() {
  SaveReport report = PlanSave();
  if (const ValueReport* refusal = report.FirstRefusal()) {
    services_.session.ShowMessage(Window::SettingRefused, refusal->reason);
    return report;
  }
  ValuesToWrite values;
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (report.values[index].outcome == ValueOutcome::Written) values[index] = report.values[index].after;
  WriteResult written = store_.Write(values);
  if (written.open_status != 0) {
    report.result = SaveReport::Result::KeyUnavailable;
    report.key_error = written.open_status;
    for (ValueReport& value : report.values)
      if (value.outcome == ValueOutcome::Written) value.outcome = ValueOutcome::NotWritten;
    services_.session.ShowMessage(Window::SaveRegFail);
    return report;
  }
  // What was written is what the key now holds for the next save.
  FoundValues found = found_;
  std::bitset<kValueCount> still_set = set_by_user_;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    ValueReport& value = report.values[index];
    if (!written.statuses[index]) continue;
    if (*written.statuses[index] == 0) {
      found[index] = {0, *value.after};
      still_set.reset(index);
    } else {
      value.outcome = ValueOutcome::Failed;
      value.error = *written.statuses[index];
    }
  }
  StoredForms before_forms = forms_when_found_;
  TakeAsFound(found);
  // A value whose write failed, or that was kept, is still owed as it was.
  for (std::size_t index = 0; index < kValueCount; ++index) {
    ValueOutcome outcome = report.values[index].outcome;
    if (outcome == ValueOutcome::Failed || outcome == ValueOutcome::Kept) {
      forms_when_found_[index] = before_forms[index];
      if (still_set[index]) set_by_user_.set(index);
    }
  }
  if (!written.AllWritten()) {
    report.result = SaveReport::Result::WriteFailed;
    services_.session.ShowMessage(Window::SaveRegFail);
  }
  return report;
}

}  // namespace korvex
