// show, validate and export: reading only.
#include <algorithm>

#include "command_parts.h"
#include "inspection.h"
#include "status.h"

#include "ascii_text.h"
#include "number_text.h"

#include "parameter_store.h"
#include "registry_file.h"
#include "settings_table.h"

namespace korvex::cfg {
namespace {

// The key's values with their notes; nothing, and `failure` says why, when
// the key cannot be opened.
std::optional<std::vector<InspectedValue>> InspectKey(Environment& environment, CommandResult& failure) {
  RegistryStatus status = 0;
  auto found = ParameterStore(environment.registry).Load(&status);
  if (!found) {
    failure = KeyUnavailable(environment, status);
    return std::nullopt;
  }
  return Inspect(*found, environment.ansi);
}

constexpr std::size_t kShownColumn = 20;

// The values and their notes, for --json.
void ReportInspection(const std::vector<InspectedValue>& values, CommandReport& report) {
  report.values.emplace();
  for (const InspectedValue& v : values) {
    (*report.values)[ValueIndexOf(*v.setting)] = v.found;
    for (const Problem& note : v.notes)
      if (note.code != "unreadable")  // NoteUnreadable reports it, with the system's reason
        report.problems.push_back({note.code, note.message, std::string(v.setting->name)});
  }
}

}  // namespace

CommandResult ShowCommand(Environment& environment) {
  CommandResult result;
  auto values = InspectKey(environment, result);
  if (!values) return result;
  ReportInspection(*values, result.report);
  for (const InspectedValue& v : *values) {
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
  NoteUnreadable(environment, *result.report.values, result);
  return result;
}

CommandResult ValidateCommand(Environment& environment) {
  CommandResult result;
  auto values = InspectKey(environment, result);
  if (!values) return result;
  ReportInspection(*values, result.report);
  for (const InspectedValue& v : *values)
    for (const Problem& note : v.notes)
      result.out +=
          std::string(v.setting->name) + " (" + std::string(v.setting->value_name) + "): " + Printable(note.message) + "\n";
  if (NoteUnreadable(environment, *result.report.values, result)) return result;
  if (!result.out.empty()) result.exit_code = kRefused;
  if (result.out.empty()) result.out = "valid\n";
  // Warnings name settings that are valid but cannot work on this machine:
  // they do not change the exit code.
  // A warning about a value already called invalid says nothing new.
  for (Problem& warning : Warnings(environment, *result.report.values))
    if (std::ranges::none_of(*values, [&](const InspectedValue& v) { return !v.notes.empty() && warning.setting == v.setting->name; }))
      result.report.warnings.push_back(std::move(warning));
  result.out += WarningLines(result.report.warnings);
  return result;
}

std::optional<std::string> ExportedFile(Environment& environment, CommandResult& failure) {
  RegistryStatus status = 0;
  auto found = ParameterStore(environment.registry).Load(&status);
  if (!found) {
    failure = KeyUnavailable(environment, status);
    return std::nullopt;
  }
  // A value left out would be missing from the file, and so from any key it restores.
  if (NoteUnreadable(environment, *found, failure)) return std::nullopt;
  return RegistryFileOf(*found, environment.ansi);
}

std::string RegistryFileOf(const FoundValues& found, const AnsiCharacters& ansi) {
  std::vector<RegistryFileValue> file_values;
  for (std::size_t index = 0; index < kValueCount; ++index)  // in the order the window reads them
    if (found[index].Present())
      file_values.push_back({std::string(kSettings[index].value_name), found[index].stored.type, found[index].stored.data});
  return WriteRegistryFile(ParametersKeyName(), file_values, ansi);
}

CommandResult ExportCommand(Environment& environment, std::string_view path) {
  CommandResult result;
  auto file = ExportedFile(environment, result);
  if (!file) return result;
  if (path == "-") return {kDone, *file, "", true};
  if (!environment.files.Write(path, *file)) return FileFailed(environment, "Cannot write the file", path);
  return {kDone, "Exported " + ParametersKeyName() + " to " + std::string(path) + ".\n", ""};
}

}  // namespace korvex::cfg
