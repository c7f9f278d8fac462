// Saving merges the window with the key as it is at that moment: the values
// the user set here are laid over what the key holds now, the window's rules
// are applied to that state, and a value is written where the result
// differs from the key and the window shows the key's value faithfully or
// the user set it. A value the window could not show is never overwritten
// with a placeholder, and a value the user left alone keeps what another
// program wrote meanwhile.
#include <utility>

#include "editor.h"
#include "headless.h"

namespace korvex {

ShownSettings Editor::Shown() const {
  ShownSettings shown;
  for (const Setting& setting : kSettings) {
    ShownSetting& held = shown[IndexOf(setting)];
    ValueControl control = ControlOf(setting);
    if (control.list) held.choice = control.list->ListIndex();
    if (control.check) held.choice = control.check->Value();
    if (control.box) held.text = control.box->Text();
  }
  return shown;
}

void Editor::TakeAsFound(const FoundValues& found) {
  found_ = found;
  forms_when_found_ = CurrentForms();
  set_by_user_.reset();
}

void Editor::CompareWith(const FoundValues& key, std::bitset<kValueCount> set) {
  found_ = key;
  set_by_user_ |= set;
}

// By the user's own action on its control, or by a rule such an action set
// off: nothing else changes a control after the load.
bool Editor::SetSinceFound(std::size_t index, const StoredForms& now) const {
  return set_by_user_[index] || now[index] != forms_when_found_[index];
}

namespace {

// Where the load's rules change one value because of another: AutoSave
// turns image saving on. A set value the load would change takes these
// partners from the window, so that the user's choice stands.
constexpr std::array<std::pair<std::size_t, std::size_t>, 1> kLoadRulePartners{{
    {ValueIndex("SaveImageOnExit"), ValueIndex("AutoSaveEnabled")},
}};

}  // namespace

SaveReport Editor::PlanSave(const FoundValues& key) const {
  const AnsiCharacters& ansi = services_.characters;
  StoredForms window = CurrentForms();
  std::bitset<kValueCount> set;
  for (std::size_t index = 0; index < kValueCount; ++index) set[index] = SetSinceFound(index, window);

  // The key as it is now with the values set here laid over it.
  FoundValues merged = key;
  auto lay_over = [&](std::size_t index) {
    set[index] = true;
    if (window[index].value) merged[index] = {0, *window[index].value};
  };
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (set[index]) lay_over(index);
  StoredForms loaded = FormsAfterLoad(merged, ansi);
  for (auto [value, partner] : kLoadRulePartners)
    if (set[value] && !set[partner] && window[value].value && loaded[value].value != window[value].value) {
      lay_over(partner);
      loaded = FormsAfterLoad(merged, ansi);
    }

  auto faithful = ShownFaithfully(key, ansi);
  SaveReport report;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    ValueReport& value = report.values[index];
    const StoredForm& form = set[index] ? window[index] : loaded[index];
    value.before = key[index];
    value.after = form.value;
    bool differs = !key[index].Present() || form.value != key[index].stored;
    bool changed_elsewhere = key[index].status != found_[index].status || key[index].stored != found_[index].stored;
    if (set[index] && !form.problem.empty() && differs) {
      value.outcome = ValueOutcome::Refused;
      value.reason = form.problem;
    } else if (set[index] ? differs : differs && faithful[index] && services_.stores_corrections) {
      value.outcome = ValueOutcome::Planned;
    } else if (!set[index] && changed_elsewhere && window[index].value != key[index].stored) {
      value.outcome = ValueOutcome::KeptChanged;
      value.after = window[index].value;
    } else if (differs && !faithful[index]) {
      value.outcome = ValueOutcome::Kept;
    } else if (differs) {
      value.outcome = ValueOutcome::Left;
    }
  }
  if (report.FirstRefusal()) {
    report.result = SaveReport::Result::Refused;
    for (ValueReport& value : report.values)
      if (value.outcome == ValueOutcome::Planned) value.outcome = ValueOutcome::NotWritten;
  }
  return report;
}

SaveReport Editor::NothingWritten(SaveReport report, SaveReport::Result result, RegistryStatus key_error) {
  report.result = result;
  report.key_error = key_error;
  for (ValueReport& value : report.values)
    if (value.outcome == ValueOutcome::Planned) value.outcome = ValueOutcome::NotWritten;
  services_.session.ShowMessage(Window::SaveRegFail);
  return report;
}

SaveReport Editor::SaveParameters() {
  SaveReport report = PlanSave(found_);
  if (const ValueReport* refusal = report.FirstRefusal()) {
    services_.session.ShowMessage(Window::SettingRefused, refusal->reason);
    return report;
  }
  KeyLockHold hold(services_.lock);
  if (!hold.Held()) return NothingWritten(std::move(report), SaveReport::Result::Busy, 0);
  ParametersKey key(services_.registry);
  if (key.OpenStatus() != 0)
    return NothingWritten(std::move(report), SaveReport::Result::KeyUnavailable, key.OpenStatus());
  if (!report.Writes()) return report;  // a save with nothing to write only opens and closes the key
  return SaveParameters(key);
}

SaveReport Editor::SaveParameters(ParametersKey& key) {
  SaveReport report = PlanSave(key.Values());
  if (const ValueReport* refusal = report.FirstRefusal()) {
    services_.session.ShowMessage(Window::SettingRefused, refusal->reason);
    return report;
  }
  ValuesToWrite values;
  bool kept_changes = false;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    const ValueReport& value = report.values[index];
    if (value.outcome == ValueOutcome::Planned) values[index] = value.after;
    kept_changes |= value.outcome == ValueOutcome::KeptChanged;
  }
  WriteResult written = key.Write(values);
  for (std::size_t index = 0; index < kValueCount; ++index) {
    ValueReport& value = report.values[index];
    if (value.outcome != ValueOutcome::Planned) continue;
    if (!written.statuses[index]) {
      value.outcome = ValueOutcome::NotWritten;
    } else if (*written.statuses[index] != 0) {
      value.outcome = ValueOutcome::Failed;
      value.error = *written.statuses[index];
    } else {
      value.outcome = ValueOutcome::Written;
    }
  }
  if (!written.AllWritten()) {
    // What was written is what the key now holds; a value whose write failed
    // is still owed as it was.
    StoredForms now = CurrentForms();
    for (std::size_t index = 0; index < kValueCount; ++index)
      if (written.statuses[index] && *written.statuses[index] == 0) {
        found_[index] = key.Values()[index];
        forms_when_found_[index] = now[index];
        set_by_user_.reset(index);
      }
    report.result = SaveReport::Result::WriteFailed;
    services_.session.ShowMessage(Window::SaveRegFail);
    return report;
  }
  // Another program's change kept: the window shows what is stored now.
  if (kept_changes) LoadStoredValues(WindowReading(key.Values()));
  TakeAsFound(key.Values());
  return report;
}

}  // namespace korvex
