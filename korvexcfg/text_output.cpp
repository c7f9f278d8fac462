// The text renderers: what people read of each command's report.
#include "text_output.h"

#include <algorithm>

#include "common_outcomes.h"
#include "json_output.h"
#include "save_report_text.h"
#include "status.h"
#include "value_text.h"

namespace korvex::cfg {
namespace {

// One line a problem. A key whose values are all unreadable alike (a
// deny-read entry on it) is one problem to a reader, not ten.
std::string ProblemLines(const std::vector<Problem>& problems, const Environment& environment) {
  auto unreadable = [](const Problem& p) { return (p.code == "access-denied" || p.code == "unreadable") && !p.setting.empty(); };
  auto first = std::ranges::find_if(problems, unreadable);
  bool alike = std::ranges::count_if(problems, [&](const Problem& p) { return unreadable(p) && p.error == first->error; }) ==
               static_cast<std::ptrdiff_t>(kValueCount);
  std::string text;
  for (const Problem& problem : problems)
    if (!alike || !unreadable(problem)) text += problem.message + "\n";
  if (alike)
    text += "The values of the key " + ParametersKeyName() + " cannot be read: " + ErrorText(environment, first->error) +
            "." + (first->error == kAccessDenied ? " " + std::string(kElevate) : "") + "\n";
  return text;
}

// Where the error output of most commands ends: their problems, and whether a change was left unmade.
std::string ErrorLines(const CommandReport& report, const Environment& environment) {
  std::string text = ProblemLines(report.problems, environment);
  if (report.save)
    for (const Problem& problem : SaveProblems(*report.save, environment)) {
      text += (problem.code == "refused" ? problem.setting + ": " : "") + problem.message + "\n";
      if (problem.code == "write-failed" && problem.error == kAccessDenied) text += std::string(kElevate) + "\n";
    }
  if (report.nothing_written) text += "Nothing was written.\n";
  return text;
}

std::string Lines(const std::vector<Problem>& said, std::string_view label = {}) {
  std::string text;
  for (const Problem& line : said) text += std::string(label) + line.message + "\n";
  return text;
}

constexpr std::size_t kShownColumn = 20;

}  // namespace

void ProblemText(CommandResult& result, const Environment& environment) {
  result.err = ErrorLines(result.report, environment);
}

void ShowText(CommandResult& result, const Environment& environment) {
  for (const InspectedValue& v : result.report.inspected) {
    std::string shown =
        v.found.Present() ? Printable(v.shown) : v.found.status == kNotFound ? "(absent)" : "(unreadable)";
    bool long_value = utf8::CountCodePoints(shown) >= kShownColumn;  // on a line of its own
    result.out += Padded(std::string(v.setting->name), 11) + Padded(long_value ? "" : shown, kShownColumn) +
                  Padded(std::string(v.setting->value_name), 17);
    if (v.found.Present()) result.out += Padded(TypeName(v.found.stored.type), 10) + HexBytes(v.found.stored.data);
    result.out += "\n";
    if (long_value) result.out += "           " + shown + "\n";
    for (const Problem& note : v.notes) result.out += "           note: " + Printable(note.message) + "\n";
  }
  result.err = ErrorLines(result.report, environment);
}

void ValidateText(CommandResult& result, const Environment& environment) {
  const CommandReport& report = result.report;
  for (const InspectedValue& v : report.inspected)
    for (const Problem& note : v.notes)
      result.out +=
          std::string(v.setting->name) + " (" + std::string(v.setting->value_name) + "): " + Printable(note.message) + "\n";
  result.err = ErrorLines(report, environment);
  if (result.exit_code == kKeyUnavailable) return;
  if (result.exit_code == kDone) result.out += "valid\n";
  result.out += WarningLines(report.warnings);
}

void StatusCommandText(CommandResult& result, const Environment& environment) {
  if (result.report.status) result.out = StatusText(*result.report.status, result.exit_code == kDone);
  result.err = ErrorLines(result.report, environment);
}

void ExportText(CommandResult& result, const Environment& environment) {
  result.err = ErrorLines(result.report, environment);
  if (result.exit_code != kDone) return;
  if (result.report.subject == "-") {
    result.out = result.report.document;
    result.binary_out = true;
  } else {
    result.out = "Exported " + ParametersKeyName() + " to " + result.report.subject + ".\n";
  }
}

void DismountText(CommandResult& result, const Environment& environment) {
  result.err = ErrorLines(result.report, environment);
  if (result.exit_code == kDone) result.out = "Dismounted " + result.report.subject + ":.\n";
}

void ChangeText(CommandResult& result, const Environment& environment) {
  const CommandReport& report = result.report;
  result.out = Lines(report.warnings) + Lines(report.notes);
  if (report.save) result.out += SaveLines(*report.save, environment.ansi, report.save_kind);
  result.out += Lines(report.key_notes, "note: ");
  result.err = ErrorLines(report, environment);
}

void DscText(CommandResult& result, const Environment& environment) {
  if (result.exit_code != kDone) {
    result.err = ErrorLines(result.report, environment);
    return;
  }
  DscLines lines = RenderDscLines(result.report, environment.ansi);
  result.out = lines.out;
  result.err = lines.trace;
  result.binary_out = true;  // JSON lines end in LF alone
}

}  // namespace korvex::cfg
