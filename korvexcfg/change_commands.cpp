// set and import: every change is made on the Editor as a user would make it
// (or, for import, loaded by the Editor from the file's state of the key) and
// saved by the Editor's own save, whose report is the command's.
#include <algorithm>
#include <bitset>

#include "ascii_text.h"
#include "command_parts.h"
#include "scripted_user.h"
#include "inspection.h"
#include "registry_file.h"
#include "save_report_text.h"
#include "status.h"
#include "value_text.h"

namespace korvex::cfg {
namespace {

// The rules refuse the desired state: exit 6, each problem named.
CommandResult Refused(CommandResult result, const std::vector<Problem>& problems) {
  result.exit_code = kRulesRefuse;
  result.report.problems.insert(result.report.problems.end(), problems.begin(), problems.end());
  result.report.nothing_written = true;
  return result;
}

CommandResult NothingWritten(CommandResult result) {
  result.report.nothing_written = true;
  return result;
}

CommandResult Busy() {
  return NothingWritten(
      Failed(kWriteFailed, {"busy", "Another program is writing the driver's settings and did not finish within a few seconds."}));
}

// Where a backup goes: the name given, or, where that file exists (the
// backup of an earlier run, worth keeping), the same name with the time
// before its extension: before-20261208-094900.reg, then -2, -3...; empty
// when all are taken.
std::string BackupPath(Environment& environment, const std::string& path) {
  if (!environment.files.Exists(path)) return path;
  std::size_t folder = path.find_last_of("\\/:");
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (folder != std::string::npos && dot < folder)) dot = path.size();
  std::string stem = path.substr(0, dot), extension = path.substr(dot);
  std::string when = environment.system.LocalTimeStamp();
  if (!when.empty()) stem += "-" + when;
  for (int n = when.empty() ? 2 : 1; n < 100; ++n) {
    std::string candidate = stem + (n == 1 ? "" : "-" + std::to_string(n)) + extension;
    if (!environment.files.Exists(candidate)) return candidate;
  }
  return {};
}

// Backs up and saves into the key the command opened and read under the
// writers' lock, or plans the save (a dry run, a test), and reports.
CommandResult SaveChanges(Environment& environment, Editor& editor, ParametersKey& key, const ChangeOptions& options,
                          CommandResult result) {
  bool writes = !options.dry_run && !options.test;
  if (options.backup && writes) {
    // Only a change that writes is backed up: a scheduled run on a key that
    // already holds the state leaves no file behind.
    SaveReport plan = editor.PlanSave(key.Values());
    if (plan.result == SaveReport::Result::Saved && plan.Writes()) {
      std::string path = BackupPath(environment, *options.backup);
      if (path.empty())
        return NothingWritten(
            Failed(kFileFailed, {"backup-exists", "The backup " + *options.backup + " and every name beside it are taken."}));
      if (!environment.files.Write(path, RegistryFileOf(key.Values(), environment.ansi)))
        return NothingWritten(FileFailed(environment, "Cannot write the backup", path));
      if (path != *options.backup)
        result.report.warnings.push_back(
            {"backup-beside", "backup: " + path + " (" + *options.backup + " exists already and is kept)"});
    }
  }
  SaveReport report = writes ? editor.SaveParameters(key) : editor.PlanSave(key.Values());
  result.report.save = report;
  result.report.save_kind = options.test      ? CommandReport::SaveKind::Test
                            : options.dry_run ? CommandReport::SaveKind::DryRun
                                              : CommandReport::SaveKind::Saved;
  switch (report.result) {
    case SaveReport::Result::Saved:
      result.report.differs = options.test && report.Writes();
      if (result.report.differs) result.exit_code = kDiffers;
      break;
    case SaveReport::Result::Refused:
      result.exit_code = kRulesRefuse;
      result.report.nothing_written = true;
      break;
    case SaveReport::Result::KeyUnavailable: {
      CommandResult unavailable = KeyUnavailable(environment, report.key_error);
      result.exit_code = unavailable.exit_code;
      result.report.problems = unavailable.report.problems;
      return result;
    }
    case SaveReport::Result::Busy: return Busy();
    case SaveReport::Result::WriteFailed: result.exit_code = kWriteFailed; break;
  }
  if (options.dry_run) result.report.values = key.Values();
  if (writes) {
    result.report.values = key.Values();  // as the command leaves it
    // Asking the system about the driver takes time: only where a script reads the answer.
    if (options.json && report.Writes())
      result.report.restart_required = GatherStatus(environment, *result.report.values, key.LastWritten()).restart_required;
  }
  return result;
}

// Whether two names are one insertion, deletion or replacement apart, in any case.
bool OneEditApart(std::string_view a, std::string_view b) {
  if (a.size() < b.size()) std::swap(a, b);
  if (a.size() - b.size() > 1) return false;
  std::size_t i = 0;
  while (i < b.size() && AsciiLower(a[i]) == AsciiLower(b[i])) ++i;
  if (i == b.size()) return a.size() != b.size();
  std::size_t skip = a.size() == b.size() ? 1 : 0;  // replaced, or inserted into a
  return EqualsIgnoringCase(a.substr(i + 1), b.substr(i + skip));
}

const Setting* SettingMisspelled(std::string_view value_name) {
  for (const Setting& setting : kSettingsInFillOrder)
    if (OneEditApart(value_name, setting.value_name)) return &setting;
  return nullptr;
}

// Whether the key is open with every value readable; if not, `failure` says why (exit 3).
bool Readable(Environment& environment, ParametersKey& key, CommandResult& failure) {
  if (key.OpenStatus() != 0) {
    failure = KeyUnavailable(environment, key.OpenStatus());
    return false;
  }
  return !NoteUnreadable(environment, key.Values(), failure);
}

Problem NoteOf(const InspectedValue& value, const Problem& note) {
  return {note.code, std::string(value.setting->value_name) + ": " + note.message, std::string(value.setting->name)};
}

// The key as the file would leave it, and the values the file names. A name
// that is none of the settings' is left as it is (an export of the key holds
// its default value and whatever else was put there), unless it is one edit
// from a setting's: a misspelling, never left silently.
struct ImportTarget {
  FoundValues state;
  std::bitset<kValueCount> named;
};
ImportTarget TargetOf(const FoundValues& found, const RegistryFileContents& contents, CommandReport& report,
                      std::vector<Problem>& refusals) {
  ImportTarget target{found, {}};
  for (const RegistryFileValue& value : contents.values) {
    if (const Setting* setting = FindSettingByValueName(value.name)) {
      target.state[IndexOf(*setting)] = {0, {value.type, value.bytes}};
      target.named.set(IndexOf(*setting));
    } else if (const Setting* meant = SettingMisspelled(value.name)) {
      refusals.push_back({"misspelled", "\"" + value.name + "\" is no value of the driver's; is it " +
                                            std::string(meant->value_name) + " (" + std::string(meant->name) +
                                            ") misspelled?", std::string(meant->name)});
    } else {
      report.warnings.push_back({"not-a-setting", (value.name.empty() ? std::string("the key's default value (@)")
                                                                       : "\"" + Printable(value.name) + "\"") +
                                                      ": left as it is, not one of the driver's settings"});
    }
  }
  return target;
}

// The key's own problems in values the file does not name are given back, to
// be reported and left; a problem the file brings, to its own values or
// through the rules to others, refuses it, unless --adjust takes the window's correction.
std::vector<Problem> Judge(const std::vector<InspectedValue>& before, const std::vector<InspectedValue>& after,
                           const std::bitset<kValueCount>& named, bool adjust, CommandReport& report,
                           std::vector<Problem>& refusals) {
  std::vector<Problem> own;
  for (std::size_t i = 0; i < after.size(); ++i) {
    const InspectedValue& value = after[i];
    bool adjustable = adjust && (value.corrected || value.retypable);
    bool the_keys_own = !named[IndexOf(*value.setting)] && !before[i].notes.empty();
    for (const Problem& note : value.notes) {
      if (the_keys_own)
        own.push_back(NoteOf(value, note));
      else if (adjustable)
        report.notes.push_back({"adjusted", "adjusted: " + NoteOf(value, note).message, std::string(value.setting->name)});
      else
        refusals.push_back(NoteOf(value, note));
    }
  }
  return own;
}

// For --complete: each setting that the save would leave out of a valid key
// (validate's one definition).
std::vector<Problem> IncompleteSettings(Environment& environment, Editor& editor, const std::vector<Request>& requests) {
  SaveReport plan = editor.PlanSave();
  FoundValues after = editor.Found();
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (plan.values[index].after && (plan.values[index].outcome == ValueOutcome::Planned ||
                                     plan.values[index].outcome == ValueOutcome::NotWritten))
      after[index] = {0, *plan.values[index].after};
  std::vector<Problem> problems;
  for (const InspectedValue& value : Inspect(after, environment.ansi)) {
    const Setting& setting = *value.setting;
    std::string name(setting.name);
    std::size_t index = IndexOf(setting);
    bool named = std::ranges::any_of(requests, [&](const Request& r) { return r.setting == &setting; });
    bool refused = plan.values[index].outcome == ValueOutcome::Refused;
    // An image file left empty where its image is loaded or saved: the window's default will not do.
    bool has_box = setting.kind == SettingKind::Path && !setting.needs.empty();
    const Setting* box = has_box ? &kSettings[Index(setting.needs.begin()->setting)] : nullptr;
    bool empty_file = box && !named && ShownValue(editor, setting).empty() && ShownValue(editor, *box) == "on";
    if (!refused && value.notes.empty() && !empty_file) continue;
    if (!named && (editor.Found()[index].status == kNotFound || empty_file))
      problems.push_back({"incomplete", name + ": the key holds none, and the window has nothing to store for it" +
                                            (empty_file ? " with " + std::string(box->name) + "=on" : "") +
                                            "; --complete needs it named (" + name + " accepts " + Accepts(setting) + ").",
                          name});
    else
      problems.push_back({"incomplete", name + ": the window shows \"" + Printable(ShownValue(editor, setting)) + "\"" +
                                            ", which would not be stored as a valid value (" +
                                            (refused ? plan.values[index].reason : value.notes.front().message) + ")" +
                                            (named ? "" : "; name it") + ".",
                          name});
  }
  return problems;
}

}  // namespace

CommandResult SetCommand(Environment& environment, const std::vector<Request>& requests, const ChangeOptions& options) {
  KeyLockHold hold(&environment.lock);  // from the read to the write
  if (!hold.Held()) return Busy();
  ParametersKey key(environment.registry);  // opened and read once
  CommandResult unreadable;
  if (!Readable(environment, key, unreadable)) return unreadable;
  ScriptedUser user(environment.registry, environment.ansi, environment.volume, environment.lock);
  user.Load(key);
  ChangeResult changed = user.Apply(requests, options.adjust, options.complete);
  CommandResult result;
  if (options.test) result.report.values = user.Model().Found();
  result.report.notes = changed.notes;
  if (changed.refusals.empty() && options.complete)
    changed.refusals = IncompleteSettings(environment, user.Model(), requests);
  if (!changed.refusals.empty()) return Refused(result, changed.refusals);
  return SaveChanges(environment, user.Model(), key, options, result);
}

// The file's values are the target: each it names that differs from the key
// is written; no other value is. The state the file leaves must be valid
// where the file is concerned: its own values, and anything it makes the
// window correct. Problems the key had before are reported, not blocking.
// The Editor loads the file's state of the key and saves it against what the key holds.
CommandResult ImportCommand(Environment& environment, std::string_view path, const ChangeOptions& options) {
  if (options.backup && environment.files.FullPath(*options.backup) == environment.files.FullPath(path))
    return Failed(kUsage, {"usage", "The backup may not be the file imported."});
  KeyLockHold hold(&environment.lock);  // from the read to the write
  if (!hold.Held()) return Busy();
  ParametersKey key(environment.registry);  // opened and read once, before the file is judged
  CommandResult unreadable;
  if (!Readable(environment, key, unreadable)) return unreadable;
  auto file = environment.files.Read(path);
  if (!file) return FileFailed(environment, "Cannot read the file", path);
  RegistryFileContents contents = ReadRegistryFile(*file, ParametersKeyName(), environment.ansi);
  if (!contents.problem.empty())
    return Refused({}, {{"invalid-file", std::string(path) + ": " + contents.problem, ""}});

  const FoundValues& found = key.Values();
  CommandResult result;
  if (options.test) result.report.values = found;
  std::vector<Problem> refusals;
  ImportTarget target = TargetOf(found, contents, result.report, refusals);
  std::vector<InspectedValue> after = Inspect(target.state, environment.ansi);
  std::vector<Problem> own = Judge(Inspect(found, environment.ansi), after, target.named, options.adjust, result.report, refusals);
  if (!refusals.empty()) return Refused(result, refusals);
  StateRegistry state(target.state);
  ScriptedUser user(state, environment.ansi, environment.volume, environment.lock);
  user.Load();
  if (options.adjust) {
    // A value outside the window's limits is typed in again, which corrects it.
    std::vector<Request> retyped;
    for (const InspectedValue& value : after)
      if (value.retypable && target.named[IndexOf(*value.setting)]) retyped.push_back({value.setting, value.shown, true});
    ChangeResult changed = user.Apply(retyped, true);
    result.report.notes.insert(result.report.notes.end(), changed.notes.begin(), changed.notes.end());
    if (!changed.refusals.empty()) return Refused(result, changed.refusals);
  }
  user.Model().CompareWith(found, target.named);
  result = SaveChanges(environment, user.Model(), key, options, result);
  // The key's own problems that the save's report does not already name.
  if (result.report.save)
    for (const Problem& note : own)
      if (result.report.save->values[IndexOf(*FindSetting(note.setting))].outcome == ValueOutcome::Unchanged)
        result.report.key_notes.push_back(note);
  return result;
}

CommandResult TestCommand(Environment& environment, const std::vector<Request>& requests,
                          const std::optional<std::string>& file, const ChangeOptions& options) {
  ChangeOptions test = options;
  test.test = true;
  return file ? ImportCommand(environment, *file, test) : SetCommand(environment, requests, test);
}

}  // namespace korvex::cfg
