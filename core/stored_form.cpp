#include "stored_form.h"

#include "number_text.h"
#include "parameter_format.h"
#include "utf8.h"

namespace korvex {
namespace {

std::string CannotRead(std::string_view what) {
  return "The " + std::string(what) +
         " holds a character that the driver cannot read. Use only characters of the system's code page.";
}

void Refuse(StoredForm& form, std::string problem) {
  if (form.problem.empty()) form.problem = std::move(problem);
}

std::optional<std::string> Ansi(StoredForm& form, std::string_view text, std::string_view what,
                                 const AnsiCharacters& ansi) {
  auto bytes = ansi.ToAnsi(text);
  if (!bytes) Refuse(form, CannotRead(what));
  return bytes;
}

void FilePath(StoredForm& form, std::string_view what, const AnsiCharacters& ansi) {
  auto bytes = Ansi(form, form.shown, what, ansi);
  if (bytes && bytes->size() > kLongestFilePathBytes)
    Refuse(form, "The " + std::string(what) + " is too long: it may have at most " +
                     IntegerText(static_cast<long long>(kLongestFilePathBytes)) +
                     " characters (a double-byte character counts as two).");
  for (char c : form.shown)
    if (static_cast<unsigned char>(c) < 0x20)
      Refuse(form, "The " + std::string(what) + " holds a control character, which no file name can hold.");
  if (bytes && form.problem.empty()) form.value = StoredText(StoredFilePath(*bytes));
}

void DriveLetter(StoredForm& form, const AnsiCharacters& ansi) {
  if (form.shown.empty()) Refuse(form, EmptyDriveLetterRefusal());
  auto bytes = Ansi(form, utf8::FirstCharacter(form.shown), "drive letter", ansi);
  if (bytes && bytes->size() > 1) Refuse(form, CannotRead("drive letter"));  // stored as one byte
  if (bytes && form.problem.empty()) form.value = StoredText(*bytes);
}

void Number(StoredForm& form, std::optional<std::int32_t> stored, std::string refusal) {
  if (stored)
    form.value = StoredDword(*stored);
  else
    Refuse(form, std::move(refusal));
}

}  // namespace

std::optional<ShownSetting> ShownFromStored(const Setting& setting, const ParameterSet& read,
                                            const AnsiCharacters& ansi) {
  return std::visit(
      [&](auto field) -> std::optional<ShownSetting> {
        const auto& value = read.*field;
        if (!value.present) return std::nullopt;
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, DwordValue>) {
          switch (setting.kind) {
            case SettingKind::OnOff: return ShownSetting{CheckValueFromStored(value.number), {}};
            case SettingKind::Megabytes: return ShownSetting{-1, NumberToText(MegabytesFromPages(value.number))};
            default: return ShownSetting{-1, NumberToText(double(value.number))};
          }
        } else {
          switch (setting.kind) {
            case SettingKind::DiskType: {
              auto index = ListIndexForDiskCode(value.bytes);
              if (!index) return std::nullopt;
              return ShownSetting{*index, {}};
            }
            case SettingKind::Path: return ShownSetting{-1, ansi.FromAnsi(ShownFilePath(value.bytes))};
            default: return ShownSetting{-1, ansi.FromAnsi(value.bytes)};
          }
        }
      },
      setting.field);
}

StoredForms StoredFormsOf(const ShownSettings& shown, const AnsiCharacters& ansi) {
  StoredForms result;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    const Setting& setting = kSettings[index];
    StoredForm& form = result[index];
    const ShownSetting& control = shown[index];
    if (setting.kind != SettingKind::DiskType && setting.kind != SettingKind::OnOff) form.shown = control.text;
    switch (setting.kind) {
      case SettingKind::DiskType: form.value = StoredText(DiskCodeForListIndex(control.choice)); break;
      case SettingKind::OnOff: form.value = StoredDword(StoredFromCheckValue(control.choice)); break;
      case SettingKind::Path: FilePath(form, setting.what, ansi); break;
      case SettingKind::Megabytes: Number(form, PagesFromSizeText(control.text), SizeRefusal()); break;
      case SettingKind::Seconds: Number(form, SecondsFromIntervalText(control.text), IntervalRefusal()); break;
      case SettingKind::Letter: DriveLetter(form, ansi); break;
    }
  }
  return result;
}

std::array<bool, kValueCount> ShownFaithfully(const FoundValues& found, const AnsiCharacters& ansi) {
  // Each value through the load's conversions alone, as its control would show it.
  ParameterSet read = WindowReading(found);
  ShownSettings shown;
  std::array<bool, kValueCount> readable{};
  for (std::size_t index = 0; index < kValueCount; ++index) {
    const Setting& setting = kSettings[index];
    auto value = ShownFromStored(setting, read, ansi);
    readable[index] = std::visit([&](auto field) { return (read.*field).present; }, setting.field);
    if (value) {
      shown[index] = *value;
    } else if (setting.kind == SettingKind::OnOff) {
      shown[index].choice = 0;
    } else if (setting.kind == SettingKind::Megabytes || setting.kind == SettingKind::Seconds) {
      shown[index].text = NumberToText(0.0);
    }
  }
  StoredForms back = StoredFormsOf(shown, ansi);
  std::array<bool, kValueCount> faithful{};
  for (std::size_t index = 0; index < kValueCount; ++index)
    faithful[index] = readable[index] && back[index].value == found[index].stored;
  return faithful;
}

}  // namespace korvex
