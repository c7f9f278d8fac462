// show, validate and export: reading only.
#include <algorithm>

#include "command_parts.h"
#include "inspection.h"
#include "parameter_store.h"
#include "registry_file.h"
#include "settings_table.h"
#include "status.h"

namespace korvex::cfg {
CommandResult ShowCommand(Environment& environment) {
  RegistryStatus status = 0;
  auto found = ParameterStore(environment.registry).Load(&status);
  if (!found) return KeyUnavailable(environment, status);
  CommandResult result;
  result.report.values = found;
  result.report.inspected = Inspect(*found, environment.ansi);
  NoteUnreadable(environment, *found, result);
  return result;
}

CommandResult ValidateCommand(Environment& environment) {
  CommandResult result = ShowCommand(environment);
  if (result.exit_code != kDone) return result;
  const std::vector<InspectedValue>& values = result.report.inspected;
  bool invalid = std::ranges::any_of(values, [](const InspectedValue& v) { return !v.notes.empty(); });
  if (invalid) result.exit_code = kDiffers;
  // Warnings name settings that are valid but cannot work on this machine:
  // they do not change the exit code.
  // A warning about a value already called invalid says nothing new.
  for (Problem& warning : Warnings(environment, *result.report.values))
    if (std::ranges::none_of(values, [&](const InspectedValue& v) { return !v.notes.empty() && warning.setting == v.setting->name; }))
      result.report.warnings.push_back(std::move(warning));
  return result;
}

namespace {

// The key's current contents as a registry file; nothing, and `failure` says
// why, when the key or one of its values cannot be read.
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

}  // namespace

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
  if (path != "-" && !environment.files.Write(path, *file)) return FileFailed(environment, "Cannot write the file", path);
  result.report.subject = path;
  if (path == "-") result.report.document = std::move(*file);
  return result;
}

}  // namespace korvex::cfg
