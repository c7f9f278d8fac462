#include "settings.h"

#include "ascii_text.h"
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

std::string NumberForm(std::string_view held) { return std::string(Trim(held)); }
std::optional<std::string> NumberInput(std::string_view value) {
  if (!IsPlainNumber(value)) return std::nullopt;
  return std::string(value);
}
bool SameNumber(std::string_view shown, std::string_view input) {
  return IsPlainNumber(shown) && TextToNumber(shown) == TextToNumber(input);
}
bool Within(const Setting& setting, double number) { return number >= setting.low && number <= setting.high; }
bool AnyInput(const Setting&, std::string_view) { return true; }
std::string AsHeld(std::string_view held) { return std::string(held); }

// What a kind of setting means to korvexcfg: what it accepts, how a request
// for it is read into the window's terms, how a control's state is said back,
// when a shown value is the one requested, and whether the window keeps the
// input as typed into its box (beyond its limits only the steppers go: an
// interval of 5 or 32768, a size of 2.44 MB).
struct KindTerms {
  SettingKind kind;
  std::string (*accepts)(const Setting& setting);
  std::optional<std::string> (*input)(std::string_view value);  // nothing when malformed
  std::string (*request_form)(std::string_view held);
  bool (*same)(std::string_view shown, std::string_view input);
  bool (*kept_as_typed)(const Setting& setting, std::string_view input);
};

constexpr KindTerms kKindTerms[] = {
    {SettingKind::DiskType, [](const Setting&) { return DiskKindList(&DiskKindInfo::name); },
     [](std::string_view value) -> std::optional<std::string> {
       for (std::size_t i = 0; i < kDiskKinds.size(); ++i)
         if (EqualsIgnoringCase(value, kDiskKinds[i].name) || value == kDiskKinds[i].stored_code)
           return IntegerText(static_cast<long long>(i));
       return std::nullopt;
     },
     [](std::string_view held) {
       std::string_view name = DiskKindName(static_cast<int>(TextToNumber(held)));
       return name.empty() ? std::string(held) : std::string(name);
     },
     [](std::string_view shown, std::string_view input) { return shown == DiskKindName(static_cast<int>(TextToNumber(input))); },
     AnyInput},
    {SettingKind::Megabytes,
     [](const Setting& setting) { return "megabytes from " + RangeText(setting.low, setting.high) + ", whole"; },
     NumberInput, NumberForm, SameNumber,
     [](const Setting& setting, std::string_view input) {
       double number = TextToNumber(input);
       return Within(setting, number) && number == static_cast<double>(static_cast<long long>(number));
     }},
    {SettingKind::OnOff, [](const Setting&) { return std::string("on or off"); },
     [](std::string_view value) -> std::optional<std::string> {
       if (EqualsIgnoringCase(value, "on") || value == "1") return "1";
       if (EqualsIgnoringCase(value, "off") || value == "0") return "0";
       return std::nullopt;
     },
     [](std::string_view held) { return std::string(TextToNumber(held) != 0 ? "on" : "off"); },
     [](std::string_view shown, std::string_view input) { return shown == (input == "1" ? "on" : "off"); }, AnyInput},
    {SettingKind::Letter, [](const Setting&) { return "one letter from " + DriveLetterRange(); },
     [](std::string_view value) -> std::optional<std::string> {
       if (utf8::CountCodePoints(value) != 1) return std::nullopt;
       return std::string(value);
     },
     AsHeld, [](std::string_view shown, std::string_view input) { return EqualsIgnoringCase(shown, input); },
     [](const Setting& setting, std::string_view input) {
       char letter = input.size() == 1 ? AsciiUpper(input[0]) : '\0';
       return letter >= setting.low && letter <= setting.high;
     }},
    {SettingKind::Path,
     [](const Setting&) {
       return "a path of up to " + IntegerText(static_cast<long long>(kLongestFilePathBytes)) +
              " bytes in the system's code page";
     },
     [](std::string_view value) -> std::optional<std::string> { return std::string(value); }, AsHeld,
     [](std::string_view shown, std::string_view input) { return shown == input; }, AnyInput},
    {SettingKind::Seconds,
     [](const Setting& setting) { return "whole seconds from " + RangeText(setting.low, setting.high); }, NumberInput,
     NumberForm, SameNumber, [](const Setting& setting, std::string_view input) { return Within(setting, TextToNumber(input)); }},
};

const KindTerms& TermsOf(SettingKind kind) {
  static_assert([] {
    for (std::size_t i = 0; i < std::size(kKindTerms); ++i)
      if (kKindTerms[i].kind != SettingKind(i)) return false;
    return true;
  }(), "a row for each kind, in the order of SettingKind");
  return kKindTerms[static_cast<std::size_t>(kind)];
}

}  // namespace

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

std::string Accepts(const Setting& setting) { return TermsOf(setting.kind).accepts(setting); }

std::optional<std::string> RequestedInput(const Setting& setting, std::string_view value) {
  return TermsOf(setting.kind).input(value);
}

std::string RequestForm(const Setting& setting, std::string_view held) { return TermsOf(setting.kind).request_form(held); }

bool SameValue(const Setting& setting, std::string_view shown, std::string_view requested) {
  return TermsOf(setting.kind).same(shown, requested);
}

bool AlreadyShown(Editor& editor, const Setting& setting, std::string_view input) {
  return TermsOf(setting.kind).kept_as_typed(setting, input) && SameValue(setting, ShownValue(editor, setting), input);
}

}  // namespace korvex::cfg
