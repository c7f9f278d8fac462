// The command line: which command, its settings and options.
#include "command_line.h"

#include <algorithm>

#include "command_parts.h"
#include "configuration.h"
#include "json_output.h"
#include "korvane_version.h"
#include "number_text.h"
#include "setting_limits.h"
#include "status.h"

namespace korvex::cfg {
namespace {

// Every command, as the help lists it.
struct Verb {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  bool json;                  // takes --json
  std::string_view options{};  // the others it takes, each followed by a blank
};
constexpr Verb kVerbs[] = {
    {"show", "show [--json]", "every value as stored, beside what the window shows, with notes", true},
    {"set", "set NAME=VALUE... | --complete [NAME=VALUE...] | --input JSON|-  [--dry-run] [--adjust] [--backup FILE] [--json]",
     "changes settings by the window's rules, as one change, and reports each value written", true,
     "--complete --dry-run --adjust --backup --input "},
    {"test", "test NAME=VALUE... | --complete [NAME=VALUE...] | --input JSON|- | --file FILE  [--adjust] [--json]",
     "exit 0 when the key holds that state, 1 listing each difference, 6 if the rules refuse it; writes nothing",
     true,
     "--complete --adjust --file --input "},
    {"status", "status [--json]",
     "the driver's service and volume beside its settings: whether they wait for a restart, and warnings", true},
    {"validate", "validate [--json]",
     "exit 0 when every value is present, of its type, within the window's limits and shown unchanged", true},
    {"export", "export FILE|-", "the key as regedit writes it (version 5.00, UTF-16); - for the output", false},
    {"import", "import FILE [--dry-run] [--adjust] [--backup FILE] [--json]",
     "writes the values a .reg file names that differ from the key, checked by the window's rules", true,
     "--dry-run --adjust --backup "},
    {"dismount", "dismount X: [--json]", "dismounts the volume, as the window's Dismount Volume button does", true},
    {"dsc", "dsc get|set|test|export [--input JSON|-] [--dry-run]",
     "the settings as a DSC v3 resource: JSON lines, as korvane.ramdisk.dsc.resource.json describes", false,
     "--input --dry-run "},
    {"help", "help [COMMAND]", "this text, or one command's", false},
};

const Verb* FindVerb(std::string_view name) {
  for (const Verb& verb : kVerbs)
    if (verb.name == name) return &verb;
  return nullptr;
}

bool AsksForHelp(std::string_view argument) {
  return argument == "--help" || argument == "-h" || argument == "-?" || argument == "/?";
}

std::string Usage() {
  std::string text;
  for (const Verb& verb : kVerbs) text += std::string(text.empty() ? "Usage: " : "       ") + "korvexcfg " + std::string(verb.usage) + "\n";
  return text + "       korvexcfg --version\n";
}

std::string ExitCodes() {
  return "Exit codes (judged in order: 2 for the command line, then 3 for the key, then the others):\n"
         "  0  done: written, unchanged, compliant or valid\n"
         "  1  test: the key differs; validate: the key is invalid\n"
         "  2  usage: an unknown command, setting or option\n"
         "  3  the key missing, or the key or one of its values not readable\n"
         "  4  a write or the dismount failed, or another writer held the key\n"
         "  5  a file or the output could not be read or written\n"
         "  6  set, test, import: the rules refuse the desired state; nothing written\n";
}

std::string Help() {
  std::string text =
      "korvexcfg: the Korvane RAM disk's settings, changed by the configuration window's own rules.\n\n" + Usage() +
      "\n";
  for (const Verb& verb : kVerbs) text += "  " + Padded(std::string(verb.name), 10) + std::string(verb.summary) + "\n";
  text += "\nSettings (or their registry value names):\n";
  for (const Setting& setting : kSettingsInFillOrder)
    text += "  " + Padded(std::string(setting.name), 12) + Accepts(setting) + "  (" + std::string(setting.value_name) + ")\n";
  text +=
      "\n--complete stores every setting: those named as given, the others as the window shows them for the\n"
      "           key; where the key holds none, the window's default (hard-disk, letter Z, no image file),\n"
      "           and size and interval must be named. It takes a setting the window offers only with\n"
      "           another (interval with autosave=off), as the window keeps it while that one is off\n"
      "--dry-run  says what would be written, writes nothing (with dsc set: DSC's what-if)\n"
      "--adjust   accepts the window's corrections (size 12.7 becomes 12) and reports each\n"
      "--backup   exports the key to FILE before a change that writes; where FILE exists, it is kept and the\n"
      "           backup goes beside it, the time in its name (--backup=FILE for a name starting with --)\n"
      "--input    the desired state as one JSON object of the settings' properties (diskType, sizeMB, fat32,\n"
      "           driveLetter, loadImage, loadImageFile, autoSave, saveImage, saveImageFile, autoSaveSeconds);\n"
      "           - reads it from the standard input\n"
      "--json     the outcome as one JSON document (schema 1) on the output\n\n" +
      ExitCodes();
  return text;
}

std::string VerbHelp(const Verb& verb) {
  return "Usage: korvexcfg " + std::string(verb.usage) + "\n\n" + std::string(verb.summary) + ".\n\n" + ExitCodes();
}

CommandResult UsageError(std::string problem) {
  CommandResult result{kUsage, "", problem + "\n" + Usage()};
  result.report.problems.push_back({"usage", problem, ""});
  return result;
}

// A desired state that is no JSON object of the settings' properties.
CommandResult InputRefused(const std::string& problem) {
  CommandResult result{kUsage, "", "The desired state is refused: " + problem + ".\n"};
  result.report.problems.push_back({"invalid-input", "The desired state is refused: " + problem + ".", ""});
  return result;
}

// An option that takes a value: the next argument, or the text after "=".
struct ValueOption {
  std::string_view name;
  std::optional<std::string> ChangeOptions::*field;
  std::string_view needs;  // what its value is, for the usage error
};
constexpr ValueOption kValueOptions[] = {
    {"--backup", &ChangeOptions::backup, "a file name"},
    {"--file", &ChangeOptions::file, "a file name"},
    {"--input", &ChangeOptions::input, "a JSON object, or - for the standard input"},
};

// One option of the command and, for one that takes a value, its value; false
// with the problem on an unknown option or a missing value. A value is never
// the next option: a script that left out a file name must not have its next
// option taken for one (--backup --dry-run would write).
bool ReadChangeOption(const std::vector<std::string>& arguments, std::size_t& i, ChangeOptions& options,
                      std::string& problem) {
  const std::string& argument = arguments[i];
  std::string_view name = std::string_view(argument).substr(0, argument.find('='));
  if (argument == "--dry-run") {
    options.dry_run = true;
  } else if (argument == "--adjust") {
    options.adjust = true;
  } else if (argument == "--complete") {
    options.complete = true;
  } else if (argument == "--json") {
    options.json = true;
  } else {
    for (const ValueOption& option : kValueOptions) {
      if (option.name != name) continue;
      std::optional<std::string>& value = options.*option.field;
      if (value) {
        problem = std::string(name) + " is given twice.";
        return false;
      }
      if (name.size() < argument.size()) {
        value = argument.substr(name.size() + 1);  // --backup=FILE, whatever FILE starts with
      } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
        value = arguments[++i];
      } else {
        problem = std::string(name) + " needs " + std::string(option.needs) +
                  (i + 1 < arguments.size() ? ", not the option " + arguments[i + 1] + " (for a value that starts with --, write " +
                                                  std::string(name) + "=VALUE)"
                                            : "") +
                  ".";
        return false;
      }
      return true;
    }
    problem = "Unknown option " + argument + ".";
    return false;
  }
  return true;
}

// The volume calls of a dismount, each failure's reason kept as the system gave it.
class ReasonKeepingVolume : public Volume {
 public:
  ReasonKeepingVolume(Volume& volume, long (*last_error)()) : volume_(volume), last_error_(last_error) {}
  std::optional<VolumeHandle> Open(std::string_view path) override { return Kept(volume_.Open(path)); }
  bool Control(VolumeHandle volume, std::uint32_t code) override { return Kept(volume_.Control(volume, code)); }
  void Close(VolumeHandle volume) override { volume_.Close(volume); }
  long failure = 0;

 private:
  template <typename Outcome>
  Outcome Kept(Outcome outcome) {
    if (!outcome && last_error_) failure = last_error_();
    return outcome;
  }
  Volume& volume_;
  long (*last_error_)();
};

CommandResult DismountCommand(Environment& environment, std::string_view drive) {
  auto letter = DriveOf(drive);
  if (!letter) return UsageError("dismount needs a drive letter from A to Z, as in: dismount R:");
  std::string name(1, *letter);
  ReasonKeepingVolume volume(environment.volume, environment.last_error);
  Configuration configuration(environment.registry, environment.ansi, volume, environment.lock);
  DismountOutcome outcome = configuration.Model().Dismount(name);
  if (outcome != DismountOutcome::Dismounted) {
    std::string step = outcome == DismountOutcome::OpenFailed   ? "it could not be opened"
                       : outcome == DismountOutcome::LockFailed ? "it could not be locked (a program has a file open on it)"
                       : outcome == DismountOutcome::UnlockFailed ? "it could not be unlocked after its dismount"
                                                                  : "the system refused the dismount";
    std::string message = "The volume " + name + ": could not be dismounted: " + step +
                          (volume.failure ? ": " + ErrorText(environment, volume.failure) : "") + ".";
    CommandResult failed{kWriteFailed, "", message + "\n"};
    failed.report.problems.push_back({"dismount-failed", message, ""});
    return failed;
  }
  return {kDone, "Dismounted " + name + ":.\n", ""};
}

// The verb's own arguments and options; options may stand anywhere after it.
CommandResult RunVerb(const Verb& verb, const std::vector<std::string>& arguments, Environment& environment) {
  ChangeOptions options;
  std::vector<std::string> operands;
  std::string problem;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (AsksForHelp(argument)) return {kDone, VerbHelp(verb), ""};
    if (argument.size() > 1 && (argument[0] == '-' || argument[0] == '/')) {
      std::string name = argument.substr(0, argument.find('='));
      bool takes = (name == "--json" && verb.json) || verb.options.find(name + " ") != std::string_view::npos;
      if (!takes)
        return UsageError(verb.options.empty() ? std::string(verb.name) + " takes no option " + argument + "."
                                               : "Unknown option " + argument + ".");
      if (!ReadChangeOption(arguments, i, options, problem)) return UsageError(problem);
    } else {
      operands.push_back(argument);
    }
  }
  auto count = [&](std::size_t n) { return operands.size() == n; };
  std::string name(verb.name);
  if (name == "show") return count(0) ? ShowCommand(environment) : UsageError("show takes no arguments.");
  if (name == "validate") return count(0) ? ValidateCommand(environment) : UsageError("validate takes no arguments.");
  if (name == "status") return count(0) ? StatusCommand(environment) : UsageError("status takes no arguments.");
  if (name == "export")
    return count(1) ? ExportCommand(environment, operands[0]) : UsageError("export needs one FILE, or - for the output.");
  if (name == "dismount")
    return count(1) ? DismountCommand(environment, operands[0]) : UsageError("dismount needs one drive, as in: dismount R:");
  if (name == "import")
    return count(1) ? ImportCommand(environment, operands[0], options) : UsageError("import needs one FILE.");
  std::vector<Request> requests;
  if (options.input) {
    std::optional<std::string> json = *options.input == "-" ? environment.files.Read("-") : options.input;
    if (!json) return FileFailed(environment, "Cannot read the desired state", "the standard input");
    std::string problem;
    auto desired = DesiredState(*json, problem);
    if (!desired) return InputRefused(problem);
    requests = std::move(*desired);
  }
  if (name == "dsc") {
    bool known = count(1) && (operands[0] == "get" || operands[0] == "set" || operands[0] == "test" || operands[0] == "export");
    if (!known) return UsageError("dsc needs one operation: get, set, test or export.");
    if (operands[0] == "set" || operands[0] == "test")
      if (!options.input) return UsageError("dsc " + operands[0] + " needs the desired state: --input JSON or --input -.");
    if (options.dry_run && operands[0] != "set") return UsageError("dsc takes --dry-run with set only (its what-if).");
    return DscCommand(environment, operands[0], requests, options.dry_run);
  }
  if (options.input && !operands.empty()) return UsageError("Settings come from --input or NAME=VALUE, not both.");
  for (const std::string& operand : operands) {
    std::size_t equals = operand.find('=');
    const Setting* setting = equals == std::string::npos ? nullptr : FindSetting(operand.substr(0, equals));
    if (!setting) {
      std::string names;
      for (const Setting& s : kSettingsInFillOrder) names += (names.empty() ? "" : ", ") + std::string(s.name);
      return UsageError("'" + operand + "' is no NAME=VALUE of a known setting (" + names + ").");
    }
    // Two values for one setting are a slip of the script, not a choice for the rules to settle.
    if (std::ranges::any_of(requests, [&](const Request& r) { return r.setting == setting; }))
      return UsageError(std::string(setting->name) + " is given twice.");
    requests.push_back({setting, operand.substr(equals + 1)});
  }
  bool wants_state = !requests.empty() || options.complete || options.input;
  if (name == "test") {
    if (wants_state == !!options.file)
      return UsageError("test needs NAME=VALUE settings (or --complete, or --input) or --file FILE, not both.");
    return TestCommand(environment, requests, options.file, options);
  }
  return wants_state ? SetCommand(environment, requests, options)
                     : UsageError("set needs at least one NAME=VALUE, --complete or --input.");
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& arguments, Environment& environment) {
  if (arguments.empty()) return UsageError("No command given.");
  const std::string& first = arguments[0];
  if (AsksForHelp(first) || first == "help") {
    if (arguments.size() == 1) return {kDone, Help(), ""};
    const Verb* verb = arguments.size() == 2 && first == "help" ? FindVerb(arguments[1]) : nullptr;
    return verb ? CommandResult{kDone, VerbHelp(*verb), ""} : UsageError("help takes one command name.");
  }
  if (first == "--version") {
    if (arguments.size() > 1) return UsageError("--version takes no argument.");
    return {kDone, "korvexcfg " KORVANE_VERSION " (file version " KORVANE_VERSION_TEXT ")\n", ""};
  }
  const Verb* verb = FindVerb(first);
  if (!verb) return UsageError("Unknown command " + first + ".");
  CommandResult result = RunVerb(*verb, arguments, environment);
  // --json shapes the outcome wherever it stands, a usage error's too; help stays text.
  bool help = std::ranges::any_of(arguments, AsksForHelp);
  if (verb->json && !help && std::ranges::find(arguments, "--json") != arguments.end()) {
    result.out = RenderJson(verb->name, result, environment.ansi);
    result.err.clear();
    result.binary_out = false;
  }
  return result;
}

}  // namespace korvex::cfg
