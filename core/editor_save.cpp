// A save merges the window with the key as it is at that moment. It keeps
// six promises:
//  P1 What you set is stored: every value the user acted on since the load
//     (typed into its box and left, ticked or cleared, chosen, stepped), and
//     every value a rule changed because of such an action, is stored as the
//     window shows it, also where it equals what the window loaded. The
//     actions are recorded as they happen, never inferred from the controls.
//  P2 Another program's change survives: a value the user did not set,
//     changed by another program after the load, keeps that program's value
//     (even where the window would correct it);
//     except a partner the rules need for the user's own choice (AutoSave and
//     image saving), written as the window holds it.
//  P3 What you see is what is stored: after every successful save each
//     control shows what a window opened afresh on the key would show.
//  P4 Never a forbidden pair: no save stores AutoSave on with image saving off.
//  P5 Nothing for nothing: a save with nothing set, on a key the load shows
//     unchanged, writes nothing; each value is written at most once, in the
//     write order; a failed or refused save reports each value written and
//     not written, and the window says so. The save plans once, against the
//     key as it is under the writers' lock (one open, one read).
//  P6 korvexcfg agrees: its `set` stores what the window stores for the same
//     intent from the same key, but for the values it reports as left.
#include <utility>

#include "editor.h"
#include "headless.h"
#include "parameter_format.h"

namespace korvex {

struct Editor::SaveBasis {
  StoredForms window;             // what the controls hold, in stored form
  std::bitset<kValueCount> set;   // set here, and the partners laid over with them
  FoundValues merged;             // the key with those laid over it
  std::unique_ptr<HeadlessEditor> loaded;  // a window opened on `merged`
};

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
  set_by_user_.reset();
}

void Editor::ValueChanged(std::size_t index) {
  if (!loading_) set_by_user_.set(index);
}

void Editor::CompareWith(const FoundValues& key, std::bitset<kValueCount> set) {
  found_ = key;
  set_by_user_ |= set;
}

namespace {

constexpr std::size_t kAutoSave = ValueIndex("AutoSaveEnabled"), kSaveImage = ValueIndex("SaveImageOnExit");

bool Same(const FoundValues& a, const FoundValues& b) {
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (a[index].status != b[index].status || (a[index].Present() && a[index].stored != b[index].stored)) return false;
  return true;
}

bool ShownTicked(const FoundValues& state, std::size_t index, const AnsiCharacters& ansi) {
  auto shown = ShownFromStored(kSettings[index], WindowReading(state), ansi);
  return shown && shown->choice == 1;
}

}  // namespace

Editor::SaveBasis Editor::BasisFor(const FoundValues& key, StoredForms window) const {
  const AnsiCharacters& ansi = services_.characters;
  SaveBasis basis{std::move(window), set_by_user_, key, nullptr};
  auto lay_over = [&](std::size_t index) {
    basis.set[index] = true;
    if (basis.window[index].value) basis.merged[index] = {0, *basis.window[index].value};
  };
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (basis.set[index]) lay_over(index);
  // The load's one rule between values: AutoSave ticks image saving. Where
  // it would undo a choice of one of the pair, the other is taken from the
  // window too, so that the user's choice stands.
  if (basis.set[kAutoSave] != basis.set[kSaveImage] && ShownTicked(basis.merged, kAutoSave, ansi) &&
      !ShownTicked(basis.merged, kSaveImage, ansi))
    lay_over(basis.set[kAutoSave] ? kSaveImage : kAutoSave);
  basis.loaded = std::make_unique<HeadlessEditor>(basis.merged, ansi);
  return basis;
}

SaveReport Editor::Plan(const FoundValues& key, const SaveBasis& basis) const {
  const StoredForms& window = basis.window;
  const std::bitset<kValueCount>& set = basis.set;
  StoredForms loaded = basis.loaded->Model().CurrentForms();
  auto faithful = ShownFaithfully(key, services_.characters);
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
    } else if (set[index] ? differs
                          : differs && faithful[index] && services_.stores_corrections && !changed_elsewhere) {
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

SaveReport Editor::PlanSave(const FoundValues& key) const { return Plan(key, BasisFor(key, CurrentForms())); }

SaveReport Editor::Refusals(const StoredForms& window) const {
  SaveReport report;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    ValueReport& value = report.values[index];
    value.before = found_[index];
    value.after = window[index].value;
    if (!set_by_user_[index]) continue;
    if (!window[index].problem.empty()) {
      value.outcome = ValueOutcome::Refused;
      value.reason = window[index].problem;
    } else {
      value.outcome = ValueOutcome::Planned;  // as far as can be told before the key is read
    }
  }
  if (report.FirstRefusal()) report.result = SaveReport::Result::Refused;
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
  // A value that cannot be stored is refused before the key is touched.
  StoredForms window = CurrentForms();
  SaveReport report = Refusals(window);
  if (const ValueReport* refusal = report.FirstRefusal()) {
    for (ValueReport& value : report.values)
      if (value.outcome == ValueOutcome::Planned) value.outcome = ValueOutcome::NotWritten;
    services_.session.ShowMessage(Window::SettingRefused, refusal->reason);
    return report;
  }
  KeyLockHold hold(services_.lock);
  if (!hold.Held()) return NothingWritten(std::move(report), SaveReport::Result::Busy, 0);
  ParametersKey key(services_.registry);
  if (key.OpenStatus() != 0)
    return NothingWritten(std::move(report), SaveReport::Result::KeyUnavailable, key.OpenStatus());
  return Save(key, std::move(window));
}

SaveReport Editor::SaveParameters(ParametersKey& key) { return Save(key, CurrentForms()); }

SaveReport Editor::Save(ParametersKey& key, StoredForms window) {
  SaveBasis basis = BasisFor(key.Values(), std::move(window));
  SaveReport report = Plan(key.Values(), basis);
  if (const ValueReport* refusal = report.FirstRefusal()) {
    services_.session.ShowMessage(Window::SettingRefused, refusal->reason);
    return report;
  }
  ValuesToWrite values;
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (report.values[index].outcome == ValueOutcome::Planned) values[index] = report.values[index].after;
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
    for (std::size_t index = 0; index < kValueCount; ++index)
      if (written.statuses[index] && *written.statuses[index] == 0) {
        found_[index] = key.Values()[index];
        set_by_user_.reset(index);
      }
    report.result = SaveReport::Result::WriteFailed;
    services_.session.ShowMessage(Window::SaveRegFail);
    return report;
  }
  // The window shows what is stored now, as a window opened afresh would.
  const FoundValues& now = key.Values();
  if (Same(now, basis.merged))
    ShowAsLoaded(basis.loaded->Model());
  else
    ShowAsLoaded(HeadlessEditor(now, services_.characters).Model());
  TakeAsFound(now);
  return report;
}

void Editor::ShowAsLoaded(const Editor& fresh) {
  // The fresh window has applied every rule already: its state is copied
  // with the controls' events silenced, as a rule run again on a design
  // text ("Text4" upper-cased) would show something else.
  auto quietly = [](forms::Event& event, auto set) {
    forms::Event rule = std::move(event);
    event = nullptr;
    set();
    event = std::move(rule);
  };
  for (const Setting& setting : kSettings) {
    ValueControl mine = ControlOf(setting), theirs = fresh.ControlOf(setting);
    if (mine.list && theirs.list->ListIndex() < 0) mine.list->Deselect(theirs.list->Text());
    if (mine.list) quietly(mine.list->Click, [&] { mine.list->SetListIndex(theirs.list->ListIndex()); });
    if (mine.check) quietly(mine.check->Click, [&] { mine.check->SetValue(theirs.check->Value()); });
    if (mine.box) quietly(mine.box->Change, [&] { mine.box->SetText(theirs.box->Text()); });
    ControlFor(setting).SetEnabled(fresh.ControlFor(setting).Enabled());
  }
  Label6.SetEnabled(fresh.Label6.Enabled());
  Label12.SetEnabled(fresh.Label12.Enabled());
  for (auto bars : {std::pair{&VScroll1, &fresh.VScroll1}, {&VScroll2, &fresh.VScroll2}, {&VScroll3, &fresh.VScroll3}})
    quietly(bars.first->Change, [&] { bars.first->Park(bars.second->Last()); });
}

}  // namespace korvex
