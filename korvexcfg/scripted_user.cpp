#include "scripted_user.h"

#include <algorithm>
#include <bitset>

#include "number_text.h"
#include "utf8.h"

namespace korvex::cfg {
namespace {

// A message of several parts, made in one place rather than by a chain of
// concatenations at every call.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

// What a setting's box holds, in the window's terms: the input that puts it back.
std::string Held(Editor& editor, const Setting& setting) {
  Editor::ValueControl control = editor.ControlOf(setting);
  if (control.list) return IntegerText(control.list->ListIndex());
  if (control.check) return IntegerText(control.check->Value());
  return control.box->Text();
}

std::size_t FillPosition(const Setting& setting) {
  return static_cast<std::size_t>(std::ranges::find(kFillOrder, IndexOf(setting)) - kFillOrder.begin());
}

// The reason the last of these corrections gives for the value, if any.
std::string LastReason(const std::vector<Correction>& corrections, std::size_t from, std::size_t value) {
  std::string reason;
  for (std::size_t i = from; i < corrections.size(); ++i)
    if (corrections[i].value == value) reason = ReasonText(corrections[i]);
  return reason;
}

}  // namespace

// Only what a command names, and what its rules require, is written; the
// key's own problems are reported.
ScriptedUser::ScriptedUser(Registry& registry, const AnsiCharacters& ansi, Volume& volume, KeyLock& lock)
    : ansi_(ansi), editor_(registry, ansi, volume, &lock, false, true) {}

RegistryStatus ScriptedUser::Load() {
  Model().Form_Load();
  return Model().LoadStatus();
}

void ScriptedUser::MakeUserChange(const Setting& setting, const std::string& input) {
  Editor& e = Model();
  e.focus.FocusEnters(e.ControlFor(setting));
  Editor::ValueControl control = e.ControlOf(setting);
  if (control.list) {
    control.list->UserChooseItem(static_cast<int>(TextToNumber(input)));
  } else if (control.check) {
    if ((control.check->Value() != 0) != (input == "1")) control.check->UserClick();
  } else {
    control.box->UserTypeOver(input);
  }
  e.focus.FocusEnters(e.Command4);  // leaving the box runs its LostFocus rule
}

std::vector<std::pair<const Setting*, std::string>> ScriptedUser::Enable(const Setting& setting) {
  Editor& e = Model();
  std::vector<std::pair<const Setting*, std::string>> changed;
  auto note_change = [&](const Setting& other, std::string held) {
    if (std::ranges::none_of(changed, [&](auto& entry) { return entry.first == &other; }))
      changed.emplace_back(&other, std::move(held));
  };
  for (const Need& need : setting.needs) {
    const Setting& other = kSettings[Index(need.setting)];
    std::string input = need.above ? IntegerText(static_cast<long long>(TextToNumber(need.value)) + 1)
                                   : RequestedInput(other, need.value).value_or("");
    bool met = need.above ? TextToNumber(ShownValue(e, other)) > TextToNumber(need.value)
                          : SameValue(other, ShownValue(e, other), input);
    if (met) continue;
    std::size_t mark = e.Corrections().size();
    note_change(other, Held(e, other));
    MakeUserChange(other, input);
    // What its rules changed on the way goes back too.
    for (std::size_t i = mark; i < e.Corrections().size(); ++i)
      note_change(kSettings[e.Corrections()[i].value], e.Corrections()[i].from);
  }
  return changed;
}

bool ScriptedUser::Assign(const Request& request, bool adjust, ChangeResult& result) {
  const Setting& setting = *request.setting;
  std::string_view value = request.value;
  std::string name(setting.name);
  auto input = RequestedInput(setting, value);
  if (!input) {
    result.refusals.push_back(
        {"invalid-value", Join({name, ": '", value, "' is not accepted; ", name, " accepts ", Accepts(setting), "."}),
         name});
    return false;
  }
  Editor& e = Model();
  if (!request.retype && AlreadyShown(e, setting, *input)) return true;
  // A disabled box: the settings it depends on are changed first, as a user would.
  auto detour = e.ControlFor(setting).Enabled() ? decltype(Enable(setting)){} : Enable(setting);

  std::size_t mark = e.Corrections().size();
  MakeUserChange(setting, *input);
  std::size_t end = e.Corrections().size();
  std::string shown = ShownValue(e, setting);
  if (!SameValue(setting, shown, *input)) {
    std::string reason = LastReason(e.Corrections(), mark, IndexOf(setting));
    std::string correction = Join({name, ": ", value, " -> ", shown, reason.empty() ? "" : ", ", reason});
    if (!adjust) {
      result.refusals.push_back(
          {"correction",
           Join({correction, " (", name, " accepts ", Accepts(setting), "; --adjust takes the correction)."}), name});
      return false;
    }
    result.notes.push_back({"adjusted", correction, name});
  }
  for (std::size_t i = mark; i < end; ++i) {
    const Correction& consequence = e.Corrections()[i];
    const Setting& other = kSettings[consequence.value];
    if (&other != &setting)
      result.notes.push_back({"consequence",
                              Join({other.name, ": ", RequestForm(other, consequence.from), " -> ",
                                    RequestForm(other, consequence.to), ", with ", name, "=", value}),
                              other.name});
  }
  // The detour's settings back as asked, or as they were; the last changed first.
  for (auto it = detour.rbegin(); it != detour.rend(); ++it) {
    const Setting& other = *it->first;
    auto named = std::ranges::find(requests_, &other, &Request::setting);
    std::string target = named != requests_.end() ? RequestedInput(other, named->value).value_or(it->second)
                                                  : it->second;
    bool there = named != requests_.end() ? SameValue(other, ShownValue(e, other), target) : Held(e, other) == target;
    if (there) continue;
    std::size_t before = e.Corrections().size();
    MakeUserChange(other, target);
    if (named == requests_.end() && Held(e, other) != target) {
      std::string reason = LastReason(e.Corrections(), before, IndexOf(other));
      result.refusals.push_back(
          {"unreachable",
           Join({name, ": the window offers it only after ", other.name, " is changed, and ", other.name,
                 " then cannot go back to ", RequestForm(other, target), reason.empty() ? "" : " (", reason,
                 reason.empty() ? "" : ")", "; name ", other.name, " too."}),
           name});
      return false;
    }
  }
  return true;
}

std::array<std::string, kValueCount> ScriptedUser::WindowDefaults() {
  HeadlessEditor window(FoundValues{}, ansi_, kNotFound);  // a key that cannot be opened
  Editor& editor = window.Model();
  std::array<std::string, kValueCount> defaults;
  for (const Setting& setting : kSettings) defaults[IndexOf(setting)] = ShownValue(editor, setting);
  return defaults;
}

ChangeResult ScriptedUser::Apply(std::vector<Request> requests, bool adjust, bool complete) {
  Editor& e = Model();
  std::bitset<kValueCount> named;
  for (const Request& request : requests) named.set(IndexOf(*request.setting));
  if (complete) {
    // Only its own value sets these controls: where the key holds none they show their blank design.
    std::array<std::string, kValueCount> defaults = WindowDefaults();
    for (const Setting& setting : kSettingsInFillOrder) {
      std::size_t index = IndexOf(setting);
      bool has_default = setting.kind == SettingKind::DiskType || setting.kind == SettingKind::Letter ||
                         setting.kind == SettingKind::Path;
      if (!named[index] && has_default && e.Found()[index].status == kNotFound)
        requests.push_back({&setting, defaults[index]});
    }
  }
  std::ranges::stable_sort(requests, {}, [](const Request& request) { return FillPosition(*request.setting); });
  requests_ = requests;
  StoredForms before = e.CurrentForms();
  ChangeResult result;
  struct Accepted {
    const Setting* setting;
    std::string shown;              // what it came to show
    std::size_t corrections_after;  // the rules' corrections from then on
  };
  std::vector<Accepted> accepted;
  for (const Request& request : requests)
    if (Assign(request, adjust, result))
      accepted.push_back({request.setting, ShownValue(e, *request.setting), e.Corrections().size()});
  // A later setting's rule may undo an earlier one (AutoSave on, image saving off).
  for (const Accepted& setting : accepted) {
    std::string now = ShownValue(e, *setting.setting);
    if (!result.refusals.empty() || now == setting.shown) continue;
    std::string name(setting.setting->name);
    std::string reason = LastReason(e.Corrections(), setting.corrections_after, IndexOf(*setting.setting));
    result.refusals.push_back({"rules-conflict",
                               Join({name, ": the window's rules do not keep ", setting.shown,
                                     " together with the other settings given (it becomes ", now,
                                     reason.empty() ? "" : ": ", reason, ")."}),
                               name});
  }
  // What was named is set; the settings passed on the way, and those their
  // rules changed, count only where they now differ.
  std::bitset<kValueCount> set = complete ? std::bitset<kValueCount>().set() : named;
  StoredForms now = e.CurrentForms();
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (e.SetSinceFound()[index] && now[index] != before[index]) set.set(index);
  e.SetByUserOnly(set);
  requests_.clear();
  return result;
}

}  // namespace korvex::cfg
