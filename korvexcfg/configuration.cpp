#include "configuration.h"

#include <algorithm>
#include <bitset>

#include "number_text.h"
#include "setting_limits.h"
#include "utf8.h"

namespace korvex::cfg {
namespace {

forms::Control& ControlOf(Editor& editor, const Setting& setting) {
  return std::visit([&editor](auto member) -> forms::Control& { return editor.*member; }, setting.control);
}

// The rule's reason for changing `requested`.
std::string CorrectionReason(const Setting& setting, std::string_view requested) {
  double asked = TextToNumber(requested);
  auto bound = [](int limit, std::string_view unit, bool most) {
    return std::string(most ? "at most " : "at least ") + IntegerText(limit) + " " + std::string(unit);
  };
  switch (setting.kind) {
    case SettingKind::Megabytes:
      if (asked > kLargestSize) return bound(kLargestSize, "MB", true);
      if (asked < kSmallestSize) return bound(kSmallestSize, "MB", false);
      return "whole megabytes";
    case SettingKind::Seconds:
      if (asked > kLongestInterval) return bound(kLongestInterval, "seconds", true);
      if (asked < kShortestInterval) return bound(kShortestInterval, "seconds", false);
      return "whole seconds";
    case SettingKind::Letter:
      return "a letter from " + DriveLetterRange();
    default:
      return "as the window holds it";
  }
}

// A key that cannot be opened: the window then shows its defaults.
class NoKey : public Registry {
  RegistryStatus OpenKey(std::string_view, RegistryKey&) override { return kNotFound; }
  RegistryStatus QueryRawValue(RegistryKey, const char*, std::uint32_t&, std::string&) override { return kNotFound; }
  RegistryStatus SetValue(RegistryKey, const char*, RegistryType, std::span<const std::uint8_t>) override {
    return kAccessDenied;
  }
  RegistryStatus CloseKey(RegistryKey) override { return 0; }
};

}  // namespace

Configuration::Configuration(Registry& registry, const AnsiCharacters& ansi, Volume& volume, KeyLock& lock)
    : ansi_(ansi), volume_(volume) {
  editor_ = std::make_unique<Editor>(EditorServices{registry, ansi, session_, shell_, volume, {}, &lock});
  session_.EditorCreated();
}

RegistryStatus Configuration::Load() {
  editor_->Form_Load();
  return editor_->LoadStatus();
}

void Configuration::MakeUserChange(const Setting& setting, const std::string& input) {
  Editor& e = *editor_;
  forms::Control& control = ControlOf(e, setting);
  e.focus.FocusEnters(control);
  std::visit(
      [&](auto member) {
        auto& target = e.*member;
        using Control = std::remove_reference_t<decltype(target)>;
        if constexpr (std::is_same_v<Control, forms::ComboBox>) {
          target.UserChooseItem(static_cast<int>(TextToNumber(input)));
        } else if constexpr (std::is_same_v<Control, forms::CheckBox>) {
          if ((target.Value() != 0) != (input == "1")) target.UserClick();
        } else {
          // Select all and type, one character at a time, up to the box's limit.
          target.UserType("");
          std::string typed;
          int count = 0;
          for (std::size_t pos = 0; pos < input.size();) {
            if (target.MaxLength() > 0 && count++ == target.MaxLength()) break;
            utf8::Append(typed, utf8::Next(input, pos));
            target.UserType(typed);
          }
        }
      },
      setting.control);
  e.focus.FocusEnters(e.Command4);  // leaving the box runs its LostFocus rule
}

bool Configuration::Assign(const Request& request, bool adjust, bool complete, ChangeResult& result) {
  const Setting& setting = *request.setting;
  std::string_view value = request.value;
  std::string name(setting.name);
  auto input = RequestedInput(setting, value);
  if (!input) {
    result.refusals.push_back(name + ": '" + std::string(value) + "' is not accepted; " + name + " accepts " +
                              Accepts(setting) + ".");
    return false;
  }
  Editor& e = *editor_;
  e.SetByUser(ControlOf(e, setting));  // named, so set, even where it already holds the value
  if (!request.retype && SameValue(setting, ShownValue(e, setting), *input)) return true;
  forms::Control& control = ControlOf(e, setting);
  bool enabled = control.Enabled();
  if (!enabled && !complete) {
    result.refusals.push_back(name + ": the window offers it only with " + Needs(setting) + ".");
    return false;
  }
  std::array<std::string, kSettings.size()> before;
  for (std::size_t i = 0; i < kSettings.size(); ++i) before[i] = ShownValue(e, kSettings[i]);
  // A disabled box holds what was typed before the setting it depends on was changed.
  if (!enabled) control.SetEnabled(true);
  MakeUserChange(setting, *input);
  if (!enabled) control.SetEnabled(false);

  std::string shown = ShownValue(e, setting);
  if (!SameValue(setting, shown, *input)) {
    std::string correction = name + ": " + std::string(value) + " -> " + shown + ", " +
                             CorrectionReason(setting, value);
    if (!adjust) {
      result.refusals.push_back(correction + " (" + name + " accepts " + Accepts(setting) +
                                "; --adjust takes the correction).");
      return false;
    }
    result.notes.push_back(correction);
  }
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    const Setting& other = kSettings[i];
    std::string now = ShownValue(e, other);
    if (&other != &setting && now != before[i])
      result.notes.push_back(std::string(other.name) + ": " + before[i] + " -> " + now + ", with " + name + "=" +
                             std::string(value));
  }
  return true;
}

std::array<std::string, kSettings.size()> Configuration::WindowDefaults() {
  NoKey no_key;
  HeadlessWindows windows;
  Session session(windows);
  NoShell shell;
  Editor editor(EditorServices{no_key, ansi_, session, shell, volume_, {}, nullptr});
  editor.Form_Load();
  std::array<std::string, kSettings.size()> defaults;
  for (std::size_t i = 0; i < kSettings.size(); ++i) defaults[i] = ShownValue(editor, kSettings[i]);
  return defaults;
}

ChangeResult Configuration::Apply(std::vector<Request> requests, bool adjust, bool complete) {
  auto order = [](const Request& request) { return request.setting - kSettings.data(); };
  if (complete) {
    // Only its own value sets these controls: where the key holds none they show their blank design.
    std::bitset<kSettings.size()> named;
    for (const Request& request : requests) named.set(static_cast<std::size_t>(order(request)));
    std::array<std::string, kSettings.size()> defaults = WindowDefaults();
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
      const Setting& setting = kSettings[i];
      bool has_default = setting.kind == SettingKind::DiskType || setting.kind == SettingKind::Letter ||
                         setting.kind == SettingKind::Path;
      if (!named[i] && has_default && editor_->Found()[ValueIndexOf(setting)].status == kNotFound)
        requests.push_back({&setting, defaults[i]});
    }
  }
  std::ranges::stable_sort(requests, {}, order);
  ChangeResult result;
  std::vector<std::pair<const Setting*, std::string>> accepted;  // with what each came to show
  for (const Request& request : requests)
    if (Assign(request, adjust, complete, result))
      accepted.emplace_back(request.setting, ShownValue(*editor_, *request.setting));
  // A later setting's rule may undo an earlier one (AutoSave on, image saving off).
  for (auto& [setting, shown] : accepted)
    if (result.refusals.empty() && ShownValue(*editor_, *setting) != shown)
      result.refusals.push_back(std::string(setting->name) + ": the window's rules do not keep " + shown +
                                " together with the other settings given (it becomes " +
                                ShownValue(*editor_, *setting) + ").");
  if (complete)
    for (const Setting& setting : kSettings) editor_->SetByUser(ControlOf(*editor_, setting));
  return result;
}

}  // namespace korvex::cfg
