#include "settings.h"

#include "ascii_text.h"
#include "json_instance.h"
#include "number_text.h"
#include "parameter_format.h"
#include "setting_limits.h"
#include "utf8.h"

namespace korvex::cfg {
namespace {

// Digits with at most one decimal point, as a script would write a number.
bool IsPlainNumber(std::string_view text) {
  bool digit = false, point = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit && text.size() <= 12;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// Whether the window keeps this input as typed into its box: a number within
// its limits (whole megabytes), a letter from its range. Beyond them only
// the steppers go (an interval of 5 or 32768, a size of 2.44 MB).
bool WithinTypedLimits(const Setting& setting, std::string_view input) {
  switch (setting.kind) {
    case SettingKind::Megabytes:
    case SettingKind::Seconds: {
      double number = TextToNumber(input);
      if (number < setting.low || number > setting.high) return false;
      return setting.kind == SettingKind::Seconds || number == static_cast<double>(static_cast<long long>(number));
    }
    case SettingKind::Letter: {
      char letter = input.size() == 1 && input[0] >= 'a' && input[0] <= 'z' ? static_cast<char>(input[0] - 'a' + 'A')
                    : input.size() == 1 ? input[0] : '\0';
      return letter >= setting.low && letter <= setting.high;
    }
    default:
      return true;
  }
}

}  // namespace

std::optional<std::vector<Request>> DesiredState(std::string_view json, std::string& problem) {
  // DSC's own property, which the instance schema admits: taken, and of no weight.
  static constexpr InstanceProperty kInDesiredState{"_inDesiredState", InstanceProperty::Type::Boolean};
  static constexpr auto kProperties = [] {
    std::array<InstanceProperty, kSettings.size() + 1> properties{};
    properties[kSettings.size()] = kInDesiredState;
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
      SettingKind kind = kSettings[i].kind;
      properties[i] = {kSettings[i].property,
                       kind == SettingKind::OnOff                                         ? InstanceProperty::Type::Boolean
                       : kind == SettingKind::Megabytes || kind == SettingKind::Seconds ? InstanceProperty::Type::Whole
                                                                                          : InstanceProperty::Type::Text};
    }
    return properties;
  }();
  InstanceReading reading = ReadInstance(json, kProperties);
  problem = reading.problem;
  if (!problem.empty()) return std::nullopt;
  std::vector<Request> requests;
  for (InstanceValue& value : reading.values)
    if (value.property < kSettings.size()) requests.push_back({&kSettings[value.property], std::move(value.text)});
  return requests;
}

std::string Accepts(const Setting& setting) {
  switch (setting.kind) {
    case SettingKind::DiskType:
      return DiskKindList(&DiskKindInfo::name);
    case SettingKind::Megabytes:
      return "megabytes from " + RangeText(setting.low, setting.high) + ", whole";
    case SettingKind::OnOff:
      return "on or off";
    case SettingKind::Letter:
      return "one letter from " + DriveLetterRange();
    case SettingKind::Path:
      return "a path of up to " + IntegerText(static_cast<long long>(kLongestFilePathBytes)) +
             " bytes in the system's code page";
    case SettingKind::Seconds:
      return "whole seconds from " + RangeText(setting.low, setting.high);
  }
  return "";
}

const Setting* FindSetting(std::string_view name) {
  for (const Setting& setting : kSettings)
    if (EqualsIgnoringCase(name, setting.name) || EqualsIgnoringCase(name, setting.value_name)) return &setting;
  return nullptr;
}

const Setting* FindSettingByValueName(std::string_view value_name) {
  for (const Setting& setting : kSettings)
    if (EqualsIgnoringCase(value_name, setting.value_name)) return &setting;
  return nullptr;
}

std::string_view DiskKindName(int list_index) {
  if (list_index < 0 || list_index >= static_cast<int>(kDiskKinds.size())) return "";
  return kDiskKinds[static_cast<std::size_t>(list_index)].name;
}

std::string ShownValue(Editor& editor, const Setting& setting) {
  Editor::ValueControl control = editor.ControlOf(setting);
  if (control.list) {
    std::string_view name = DiskKindName(control.list->ListIndex());
    return name.empty() ? control.list->Text() : std::string(name);
  }
  if (control.check) return control.check->Value() != 0 ? "on" : "off";
  const std::string& text = control.box->Text();
  // The interval box keeps a fraction as typed; the save stores the rounded seconds.
  if (setting.kind == SettingKind::Seconds)
    if (auto seconds = SecondsFromIntervalText(text)) return IntegerText(*seconds);
  bool number = setting.kind == SettingKind::Megabytes || setting.kind == SettingKind::Seconds;
  return std::string(number ? Trim(text) : std::string_view(text));
}

std::string RequestForm(const Setting& setting, std::string_view held) {
  switch (setting.kind) {
    case SettingKind::DiskType: {
      std::string_view name = DiskKindName(static_cast<int>(TextToNumber(held)));
      return name.empty() ? std::string(held) : std::string(name);
    }
    case SettingKind::OnOff:
      return TextToNumber(held) != 0 ? "on" : "off";
    case SettingKind::Megabytes:
    case SettingKind::Seconds:
      return std::string(Trim(held));
    default:
      return std::string(held);
  }
}

std::optional<std::string> RequestedInput(const Setting& setting, std::string_view value) {
  switch (setting.kind) {
    case SettingKind::DiskType:
      for (std::size_t i = 0; i < kDiskKinds.size(); ++i)
        if (EqualsIgnoringCase(value, kDiskKinds[i].name) || value == kDiskKinds[i].stored_code)
          return IntegerText(static_cast<long long>(i));
      return std::nullopt;
    case SettingKind::OnOff:
      if (EqualsIgnoringCase(value, "on") || value == "1") return "1";
      if (EqualsIgnoringCase(value, "off") || value == "0") return "0";
      return std::nullopt;
    case SettingKind::Megabytes:
    case SettingKind::Seconds:
      if (!IsPlainNumber(value)) return std::nullopt;
      return std::string(value);
    case SettingKind::Letter:
      if (utf8::CountCodePoints(value) != 1) return std::nullopt;
      return std::string(value);
    case SettingKind::Path:
      return std::string(value);
  }
  return std::nullopt;
}

bool SameValue(const Setting& setting, std::string_view shown, std::string_view requested) {
  switch (setting.kind) {
    case SettingKind::DiskType:
      return shown == DiskKindName(static_cast<int>(TextToNumber(requested)));
    case SettingKind::OnOff:
      return shown == (requested == "1" ? "on" : "off");
    case SettingKind::Megabytes:
    case SettingKind::Seconds:
      return IsPlainNumber(shown) && TextToNumber(shown) == TextToNumber(requested);
    case SettingKind::Letter:
      return EqualsIgnoringCase(shown, requested);
    case SettingKind::Path:
      return shown == requested;
  }
  return false;
}

bool AlreadyShown(Editor& editor, const Setting& setting, std::string_view input) {
  return WithinTypedLimits(setting, input) && SameValue(setting, ShownValue(editor, setting), input);
}

}  // namespace korvex::cfg
