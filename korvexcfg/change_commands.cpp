// set and import: every change goes through the Editor as a user would make
// it, then through the Editor's own save.
#include <algorithm>

#include "command_parts.h"
#include "configuration.h"
#include "number_text.h"
#include "parameter_format.h"
#include "registry_file.h"

namespace korvex::cfg {
namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
  return out.empty() ? "none" : out;
}

constexpr std::string_view kNothingWritten = "Nothing was written.\n";

// Backs up, saves and reports the outcome of a configuration whose changes
// were all accepted.
CommandResult SaveChanges(Environment& environment, Configuration& configuration, const ChangeOptions& options,
                          CommandResult result) {
  if (options.backup && !options.dry_run) {
    auto file = ExportedFile(environment);
    if (!file) return {kKeyUnavailable, result.out, KeyUnavailableMessage()};
    if (!environment.files.Write(*options.backup, *file))
      return {kWriteFailed, result.out, "Cannot write the backup " + *options.backup + ". " + std::string(kNothingWritten)};
  }
  SaveResult saved = configuration.Save();
  switch (saved.outcome) {
    case SaveResult::Refused:
      result.exit_code = kRefused;
      result.err += saved.message + "\n" + std::string(kNothingWritten);
      break;
    case SaveResult::KeyUnavailable:
      result.exit_code = kKeyUnavailable;
      result.err += KeyUnavailableMessage();
      break;
    case SaveResult::WriteFailed:
      result.exit_code = kWriteFailed;
      result.err += "A write failed. Written: " + Joined(saved.written) + ". Not written: " + Joined(saved.failed) + ".\n";
      break;
    case SaveResult::Saved:
      if (saved.written.empty())
        result.out += "unchanged\n";
      else
        result.out += std::string(options.dry_run ? "Would write: " : "Written: ") + Joined(saved.written) + "\n";
      break;
  }
  return result;
}

// The request that gives a setting its stored form, or why there is none.
std::optional<std::string> RequestForStored(const Setting& setting, const RegistryFileValue& value,
                                            const AnsiCharacters& ansi, std::string& problem) {
  std::string name(setting.value_name);
  if (IsText(setting.kind)) {
    std::string_view bytes = value.bytes;
    if (value.type != kRegSz || bytes.empty() || bytes.back() != '\0' ||
        bytes.substr(0, bytes.size() - 1).find('\0') != std::string_view::npos) {
      problem = name + ": the window writes it as text (REG_SZ) with one NUL at its end.";
      return std::nullopt;
    }
    bytes.remove_suffix(1);
    if (setting.kind == SettingKind::DiskType) {
      auto index = ListIndexForDiskCode(bytes);
      if (!index || bytes.empty()) {
        problem = name + ": \"" + ansi.FromAnsi(bytes) + "\" is no disk type the window writes (" +
                  DiskKindList(&DiskKindInfo::stored_code) + ").";
        return std::nullopt;
      }
      return std::string(DiskKindName(*index));
    }
    if (setting.kind == SettingKind::Path) {
      if (bytes.substr(0, kFilePathPrefix.size()) != kFilePathPrefix) {
        problem = name + ": the window writes a path with the \\??\\ prefix.";
        return std::nullopt;
      }
      return ansi.FromAnsi(ShownFilePath(bytes));
    }
    return ansi.FromAnsi(bytes);
  }
  if (value.type != kRegDword || value.bytes.size() != 4) {
    problem = name + ": the window writes it as a number (REG_DWORD, 4 bytes).";
    return std::nullopt;
  }
  auto number = static_cast<std::int32_t>(DwordNumber(value.bytes));
  switch (setting.kind) {
    case SettingKind::OnOff:
      if (number == 0 || number == 1) return number ? "on" : "off";
      problem = name + ": " + IntegerText(number) + " is neither 0 (off) nor 1 (on).";
      return std::nullopt;
    case SettingKind::Megabytes: {
      std::string shown = NumberToText(MegabytesFromPages(number));
      return shown.substr(shown.find_first_not_of(' '));
    }
    default:
      return IntegerText(number);
  }
}

const Setting& SettingNamed(std::string_view name) { return *FindSetting(name); }

// Any problem refuses the whole command, before anything is written.
bool RefusedForErrors(CommandResult& result) {
  if (result.err.empty()) return false;
  result.exit_code = kRefused;
  result.err += kNothingWritten;
  return true;
}

}  // namespace

CommandResult SetCommand(Environment& environment, const std::vector<Request>& requests, const ChangeOptions& options) {
  Configuration configuration(environment.registry, environment.ansi, environment.volume, options.dry_run);
  if (!configuration.Load()) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  CommandResult result;
  for (const Request& request : requests) {
    AssignResult assigned = configuration.Assign(*request.setting, request.value, options.adjust);
    for (const std::string& note : assigned.notes) result.out += note + "\n";
    if (!assigned.accepted) result.err += assigned.refusal + "\n";
  }
  if (RefusedForErrors(result)) return result;
  return SaveChanges(environment, configuration, options, result);
}

CommandResult ImportCommand(Environment& environment, std::string_view path, const ChangeOptions& options) {
  auto file = environment.files.Read(path);
  if (!file) return {kRefused, "", "Cannot read the file " + std::string(path) + ". " + std::string(kNothingWritten)};
  RegistryFileContents contents = ReadRegistryFile(*file, ParametersKeyName(), environment.ansi);
  if (!contents.problem.empty())
    return {kRefused, "", std::string(path) + ": " + contents.problem + "\n" + std::string(kNothingWritten)};

  std::vector<std::pair<const Setting*, std::string>> targets;
  CommandResult result;
  for (const RegistryFileValue& value : contents.values) {
    const Setting* setting = FindSettingByValueName(value.name);
    std::string problem;
    if (!setting) {
      result.err += "\"" + value.name + "\" is no value of the driver's; the key holds only the window's ten.\n";
      continue;
    }
    if (auto request = RequestForStored(*setting, value, environment.ansi, problem))
      targets.emplace_back(setting, *request);
    else
      result.err += problem + "\n";
  }
  if (RefusedForErrors(result)) return result;

  Configuration configuration(environment.registry, environment.ansi, environment.volume, options.dry_run);
  if (!configuration.Load()) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  Editor& editor = configuration.Model();
  auto target_of = [&targets](std::string_view name) -> const std::string* {
    for (auto& [setting, value] : targets)
      if (setting->name == name) return &value;
    return nullptr;
  };
  auto differs = [&](std::string_view name) {
    const std::string* target = target_of(name);
    const Setting& setting = SettingNamed(name);
    auto input = target ? RequestedInput(setting, *target) : std::nullopt;
    return input && !SameValue(setting, ShownValue(editor, setting), *input);
  };
  // As a user would: open up each field that must change, make the changes,
  // then set the switches and the disk type to their final values.
  if ((differs("size") || differs("fat32")) && target_of("type")) configuration.Assign(SettingNamed("type"), "hard-disk", true);
  for (auto [field, opener] : {std::pair{"load-file", "load-image"}, {"save-file", "save-image"}, {"interval", "autosave"}})
    if (differs(field)) configuration.Assign(SettingNamed(opener), "on", true);
  std::vector<std::string_view> corrected;
  for (const char* name : {"load-file", "save-file", "interval", "size", "fat32", "letter", "autosave", "save-image",
                           "load-image", "type"}) {
    if (const std::string* target = target_of(name)) {
      AssignResult assigned = configuration.Assign(SettingNamed(name), *target, options.adjust);
      if (!assigned.accepted) result.err += assigned.refusal + "\n";
      for (const std::string& note : assigned.notes)
        if (note.starts_with(std::string(name) + ":")) {  // corrections only
          result.out += note + "\n";
          corrected.push_back(name);
        }
    }
  }
  // The rules may not keep a combination the file holds.
  for (auto& [setting, value] : targets)
    if (result.err.empty() && differs(setting->name) && std::ranges::count(corrected, setting->name) == 0)
      result.err += std::string(setting->name) + ": the window's rules do not keep " + value +
                    " together with the file's other values.\n";
  if (RefusedForErrors(result)) return result;
  return SaveChanges(environment, configuration, options, result);
}

}  // namespace korvex::cfg
