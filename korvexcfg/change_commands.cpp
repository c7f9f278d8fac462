// set and import: every change is made on the Editor as a user would make it
// (or, for import, loaded by the Editor from the file's state of the key) and
// saved by the Editor's own save, whose report is printed.
#include <algorithm>
#include <bitset>

#include "command_parts.h"
#include "configuration.h"
#include "inspection.h"
#include "registry_file.h"
#include "save_report_text.h"

namespace korvex::cfg {
namespace {

constexpr std::string_view kNothingWritten = "Nothing was written.\n";

CommandResult Refused(CommandResult result) {
  result.exit_code = kRefused;
  result.err += kNothingWritten;
  return result;
}

CommandResult Busy() {
  return {kWriteFailed, "", "Another program is writing the driver's settings and did not finish within a few "
                            "seconds. " + std::string(kNothingWritten)};
}

// Backs up, saves (or, for a dry run, plans the save) and reports.
CommandResult SaveChanges(Environment& environment, Editor& editor, const ChangeOptions& options,
                          CommandResult result) {
  if (options.backup && !options.dry_run) {
    auto file = ExportedFile(environment);
    if (!file) return {kKeyUnavailable, result.out, KeyUnavailableMessage()};
    if (!environment.files.Write(*options.backup, *file))
      return {kWriteFailed, result.out, "Cannot write the backup " + *options.backup + ". " + std::string(kNothingWritten)};
  }
  SaveReport report = options.dry_run ? editor.PlanSave() : editor.SaveParameters();
  SaveReportText text = ReportText(report, environment.ansi, options.dry_run);
  result.out += text.out;
  result.err += text.err;
  switch (report.result) {
    case SaveReport::Result::Saved: break;
    case SaveReport::Result::Refused: result.exit_code = kRefused; break;
    case SaveReport::Result::KeyUnavailable:
      result.exit_code = kKeyUnavailable;
      result.err += KeyUnavailableMessage();
      break;
    case SaveReport::Result::Busy: return Busy();
    case SaveReport::Result::WriteFailed: result.exit_code = kWriteFailed; break;
  }
  return result;
}

std::string Problem(const InspectedValue& value, const std::string& note) {
  return std::string(value.setting->value_name) + ": " + note + "\n";
}

}  // namespace

CommandResult SetCommand(Environment& environment, const std::vector<Request>& requests, const ChangeOptions& options) {
  KeyLockHold hold(&environment.lock);  // from the read to the write
  if (!hold.Held()) return Busy();
  Configuration configuration(environment.registry, environment.ansi, environment.volume, environment.lock);
  if (configuration.Load() != 0) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  ChangeResult changed = configuration.Apply(requests, options.adjust);
  CommandResult result;
  for (const std::string& note : changed.notes) result.out += note + "\n";
  for (const std::string& refusal : changed.refusals) result.err += refusal + "\n";
  if (!changed.refusals.empty()) return Refused(result);
  return SaveChanges(environment, configuration.Model(), options, result);
}

// The file's values are the target: each it names that differs from the key
// is written; no other value is. The state the file leaves must be valid
// where the file is concerned: its own values, and anything it makes the
// window correct. Problems the key had before are reported, not blocking.
CommandResult ImportCommand(Environment& environment, std::string_view path, const ChangeOptions& options) {
  auto file = environment.files.Read(path);
  if (!file) return {kRefused, "", "Cannot read the file " + std::string(path) + ". " + std::string(kNothingWritten)};
  RegistryFileContents contents = ReadRegistryFile(*file, ParametersKeyName(), environment.ansi);
  if (!contents.problem.empty())
    return {kRefused, "", std::string(path) + ": " + contents.problem + "\n" + std::string(kNothingWritten)};

  KeyLockHold hold(&environment.lock);  // from the read to the write
  if (!hold.Held()) return Busy();
  RegistryStatus status = 0;
  auto key = ReadKey(environment.registry, status);
  if (!key) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  CommandResult result;
  FoundValues target = *key;
  std::bitset<kValueCount> named;
  for (const RegistryFileValue& value : contents.values) {
    const Setting* setting = FindSettingByValueName(value.name);
    if (!setting) {
      result.err += "\"" + value.name + "\" is no value of the driver's; the key holds only the window's ten.\n";
      continue;
    }
    std::size_t index = ValueIndexOf(*setting);
    target[index] = {0, {value.type, value.bytes}};
    named.set(index);
  }
  std::vector<InspectedValue> before = Inspect(*key, environment.ansi, environment.volume);
  std::vector<InspectedValue> after = Inspect(target, environment.ansi, environment.volume);
  for (std::size_t i = 0; i < after.size(); ++i) {
    const InspectedValue& value = after[i];
    bool adjustable = options.adjust && (value.corrected || value.retypable);
    bool from_file = named[ValueIndexOf(*value.setting)];
    for (const std::string& note : value.notes) {
      bool known = std::ranges::count(before[i].notes, note) > 0;
      if (!from_file && known)
        result.out += "note: " + Problem(value, note);  // the key's own, left as it is
      else if (adjustable)
        result.out += "adjusted: " + Problem(value, note);
      else
        result.err += Problem(value, note);
    }
  }
  if (!result.err.empty()) return Refused(result);

  // The Editor loads the file's state of the key and saves it against what the key holds.
  StateRegistry state(target, &environment.registry);
  Configuration configuration(state, environment.ansi, environment.volume, environment.lock);
  configuration.Load();
  state.ReadTheKey();
  if (options.adjust) {
    // A value outside the window's limits is typed in again, which corrects it.
    std::vector<Request> retyped;
    for (const InspectedValue& value : after)
      if (value.retypable && named[ValueIndexOf(*value.setting)]) retyped.push_back({value.setting, value.shown, true});
    ChangeResult changed = configuration.Apply(retyped, true);
    for (const std::string& note : changed.notes) result.out += note + "\n";
    for (const std::string& refusal : changed.refusals) result.err += refusal + "\n";
    if (!changed.refusals.empty()) return Refused(result);
  }
  configuration.Model().CompareWith(*key, named);
  return SaveChanges(environment, configuration.Model(), options, result);
}

}  // namespace korvex::cfg
