#include "save_report_text.h"

#include <algorithm>

#include "command_parts.h"
#include "inspection.h"
#include "number_text.h"
#include "parameter_format.h"

namespace korvex::cfg {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string ValueNames(const SaveReport& report, ValueOutcome outcome, const Environment* with_errors = nullptr) {
  std::string names;
  for (std::size_t index : kWriteOrder) {
    const ValueReport& value = report.values[index];
    if (value.outcome != outcome) continue;
    names += (names.empty() ? "" : ", ") + std::string(kSettings[index].value_name);
    if (with_errors) names += " (" + ErrorText(*with_errors, value.error) + ")";
  }
  return names.empty() ? "none" : names;
}

}  // namespace

std::string DescribeStored(const Setting& setting, const FoundValue& value, const AnsiCharacters& ansi) {
  if (value.status == kNotFound) return "absent";
  if (!value.Present()) return "unreadable (error " + IntegerText(value.status) + ")";
  const std::string& data = value.stored.data;
  if (IsText(setting.kind) && value.stored.type == kRegSz && data.find('\0') == data.size() - 1) {
    std::string_view bytes(data.data(), data.size() - 1);
    std::string_view kind = DiskKindName(ListIndexForDiskCode(bytes).value_or(-1));
    if (setting.kind == SettingKind::DiskType && !bytes.empty() && !kind.empty()) return std::string(kind);
    return Quoted(ansi.FromAnsi(setting.kind == SettingKind::Path ? ShownFilePath(bytes) : std::string(bytes)));
  }
  if (!IsText(setting.kind) && value.stored.type == kRegDword && data.size() == 4) {
    auto number = static_cast<std::int32_t>(DwordNumber(data));
    switch (setting.kind) {
      case SettingKind::OnOff:
        if (number == 0 || number == 1) return number ? "on" : "off";
        break;
      case SettingKind::Megabytes: {
        std::string megabytes = NumberToText(MegabytesFromPages(number));
        return megabytes.substr(megabytes.find_first_not_of(' ')) + " MB (" + IntegerText(number) + " pages)";
      }
      case SettingKind::Seconds:
        return IntegerText(number) + " seconds";
      default:
        break;
    }
    return IntegerText(number);
  }
  return TypeName(value.stored.type) + " " + HexBytes(data);
}

SaveReportText ReportText(const SaveReport& report, const Environment& environment, CommandReport::SaveKind kind) {
  const AnsiCharacters& ansi = environment.ansi;
  using Kind = CommandReport::SaveKind;
  SaveReportText text;
  for (std::size_t index : kWriteOrder) {
    const ValueReport& value = report.values[index];
    const Setting& setting = SettingOfValue(index);
    std::string name(setting.name);
    switch (value.outcome) {
      case ValueOutcome::Planned:
      case ValueOutcome::Written:
      case ValueOutcome::Failed:
        text.out += name + ": " + DescribeStored(setting, value.before, ansi) + " -> " +
                    DescribeStored(setting, {0, *value.after}, ansi) + "\n";
        break;
      case ValueOutcome::Kept:
        text.out += name + ": left as it is (" + DescribeStored(setting, value.before, ansi) +
                    "): the window cannot show it; set " + name + " to replace it\n";
        break;
      case ValueOutcome::Left:
        text.out += name + ": left as it is (" + DescribeStored(setting, value.before, ansi) + "): the window shows " +
                    DescribeStored(setting, {0, *value.after}, ansi) + "; set " + name + " to store that\n";
        break;
      case ValueOutcome::KeptChanged:
        text.out += name + ": kept as another program left it (" + DescribeStored(setting, value.before, ansi) + ")\n";
        break;
      case ValueOutcome::Refused:
        text.err += name + ": " + value.reason + "\n";
        break;
      default:
        break;
    }
  }
  switch (report.result) {
    case SaveReport::Result::Saved:
      if (kind == Kind::Test)
        text.out += report.Writes() ? "differs: " + ValueNames(report, ValueOutcome::Planned) + "\n" : "compliant\n";
      else if (!report.Writes())
        text.out += "unchanged\n";
      else
        text.out += kind == Kind::DryRun ? "Would write: " + ValueNames(report, ValueOutcome::Planned) + "\n"
                                         : "Written: " + ValueNames(report, ValueOutcome::Written) + "\n";
      if (kind == Kind::Saved && report.Writes()) text.out += "The driver takes the new settings when it next starts.\n";
      break;
    case SaveReport::Result::Refused:
      text.err += "Nothing was written.\n";
      break;
    case SaveReport::Result::KeyUnavailable:
    case SaveReport::Result::Busy:
      break;  // the caller says so
    case SaveReport::Result::WriteFailed:
      text.problems.push_back({"write-failed", "A write failed. Written: " + ValueNames(report, ValueOutcome::Written) +
                                                   ". Not written: " +
                                                   ValueNames(report, ValueOutcome::Failed, &environment) + ".",
                               ""});
      text.err += text.problems.back().message + "\n";
      if (std::ranges::any_of(report.values, [](const ValueReport& v) { return v.error == kAccessDenied; }))
        text.err += std::string(kElevate) + "\n";
      break;
  }
  return text;
}

}  // namespace korvex::cfg
