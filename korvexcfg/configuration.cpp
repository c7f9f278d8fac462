#include "configuration.h"

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

}  // namespace

Configuration::Configuration(Registry& registry, const AnsiCharacters& ansi, Volume& volume, bool dry_run)
    : registry_(registry, dry_run) {
  editor_ = std::make_unique<Editor>(EditorServices{registry_, ansi, session_, shell_, volume, {}});
  session_.EditorCreated();
}

bool Configuration::Load() {
  editor_->Form_Load();
  bool loaded = !windows_.Shown(Window::ReadRegFail);
  windows_.Forget();
  return loaded;
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
          target.SetText("");
          std::string typed;
          int count = 0;
          for (std::size_t pos = 0; pos < input.size();) {
            if (target.MaxLength() > 0 && count++ == target.MaxLength()) break;
            utf8::Append(typed, utf8::Next(input, pos));
            target.SetText(typed);
          }
        }
      },
      setting.control);
  e.focus.FocusEnters(e.Command4);  // leaving the box runs its LostFocus rule
}

AssignResult Configuration::Assign(const Setting& setting, std::string_view value, bool adjust) {
  AssignResult result;
  std::string name(setting.name);
  auto input = RequestedInput(setting, value);
  if (!input) {
    result.refusal = name + ": '" + std::string(value) + "' is not accepted; " + name + " accepts " + Accepts(setting) + ".";
    return result;
  }
  Editor& e = *editor_;
  if (SameValue(setting, ShownValue(e, setting), *input)) {
    result.accepted = true;
    return result;
  }
  if (!ControlOf(e, setting).Enabled()) {
    result.refusal = name + ": the window offers it only with " + Needs(setting) + ".";
    return result;
  }
  std::array<std::string, kSettings.size()> before;
  for (std::size_t i = 0; i < kSettings.size(); ++i) before[i] = ShownValue(e, kSettings[i]);
  MakeUserChange(setting, *input);

  std::string shown = ShownValue(e, setting);
  if (!SameValue(setting, shown, *input)) {
    std::string correction = name + ": " + std::string(value) + " -> " + shown + ", " +
                             CorrectionReason(setting, value);
    if (!adjust) {
      result.refusal = correction + " (" + name + " accepts " + Accepts(setting) +
                       "; --adjust takes the correction).";
      return result;
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
  result.accepted = true;
  return result;
}

SaveResult Configuration::Save() {
  SaveResult result;
  std::size_t writes_before = registry_.Writes().size();
  editor_->focus.Click(editor_->Command4);
  for (std::size_t i = writes_before; i < registry_.Writes().size(); ++i) {
    const auto& write = registry_.Writes()[i];
    (write.written ? result.written : result.failed).push_back(write.name);
  }
  if (windows_.Shown(Window::SettingRefused)) {
    result.outcome = SaveResult::Refused;
    result.message = windows_.Text();
  } else if (windows_.Shown(Window::SaveRegFail)) {
    bool attempted = !result.written.empty() || !result.failed.empty();
    result.outcome = attempted ? SaveResult::WriteFailed : SaveResult::KeyUnavailable;
  }
  windows_.Forget();
  return result;
}

bool Configuration::Dismount(std::string_view drive) {
  editor_->DriveLetterText.SetText(drive);
  editor_->focus.Click(editor_->Command3);
  bool done = windows_.Shown(Window::DismountOk);
  windows_.Forget();
  return done;
}

}  // namespace korvex::cfg
