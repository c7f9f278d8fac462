#include "save_report_text.h"

#include <algorithm>

#include "common_outcomes.h"
#include "value_text.h"

namespace korvex::cfg {
namespace {

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

std::string SaveLines(const SaveReport& report, const AnsiCharacters& ansi, CommandReport::SaveKind kind) {
  using Kind = CommandReport::SaveKind;
  std::string out;
  for (std::size_t index : kWriteOrder) {
    const ValueReport& value = report.values[index];
    const Setting& setting = kSettings[index];
    std::string name(setting.name);
    switch (value.outcome) {
      case ValueOutcome::Planned:
      case ValueOutcome::Written:
      case ValueOutcome::Failed:
        out += name + ": " + DescribeStored(setting, value.before, ansi) + " -> " +
               DescribeStored(setting, {0, *value.after}, ansi) + "\n";
        break;
      case ValueOutcome::Kept:
        out += name + ": left as it is (" + DescribeStored(setting, value.before, ansi) +
               "): the window cannot show it; set " + name + " to replace it\n";
        break;
      case ValueOutcome::Left:
        out += name + ": left as it is (" + DescribeStored(setting, value.before, ansi) + "): the window shows " +
               DescribeStored(setting, {0, *value.after}, ansi) + "; set " + name + " to store that\n";
        break;
      case ValueOutcome::KeptChanged:
        out += name + ": kept as another program left it (" + DescribeStored(setting, value.before, ansi) + ")\n";
        break;
      default:
        break;
    }
  }
  if (report.result != SaveReport::Result::Saved) return out;
  if (kind == Kind::Test) return out + (report.Writes() ? "differs: " + ValueNames(report, ValueOutcome::Planned) + "\n" : "compliant\n");
  if (!report.Writes()) return out + "unchanged\n";
  if (kind == Kind::DryRun) return out + "Would write: " + ValueNames(report, ValueOutcome::Planned) + "\n";
  return out + "Written: " + ValueNames(report, ValueOutcome::Written) + "\n" +
         "The driver takes the new settings when it next starts.\n";
}

std::vector<Problem> SaveProblems(const SaveReport& report, const Environment& environment) {
  std::vector<Problem> problems;
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (report.values[index].outcome == ValueOutcome::Refused)
      problems.push_back({"refused", report.values[index].reason, std::string(kSettings[index].name)});
  if (report.result == SaveReport::Result::WriteFailed) {
    bool denied = std::ranges::any_of(report.values, [](const ValueReport& v) { return v.error == kAccessDenied; });
    problems.push_back({"write-failed",
                        "A write failed. Written: " + ValueNames(report, ValueOutcome::Written) +
                            ". Not written: " + ValueNames(report, ValueOutcome::Failed, &environment) + ".",
                        "", denied ? kAccessDenied : 0});
  }
  return problems;
}

}  // namespace korvex::cfg
