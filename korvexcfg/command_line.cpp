// The command line: which command, its settings and options.
#include "command_line.h"

#include <algorithm>

#include "command_parts.h"
#include "desired_state.h"
#include "json_output.h"
#include "korvane_version.h"
#include "number_text.h"
#include "setting_limits.h"
#include "status.h"
#include "text_output.h"

namespace korvex::cfg {
namespace {

// What the command line asks of a verb.
struct Invocation {
  std::vector<std::string> operands;
  ChangeOptions options;
  bool help = false;  // --help, -h, -? or /? after the verb
};

// A desired state that is no JSON object of the settings' properties.
CommandResult InputRefused(const std::string& problem) {
  return Failed(kUsage, {"invalid-input", "The desired state is refused: " + problem + "."});
}

// The settings a change names: NAME=VALUE operands, or the --input object.
std::optional<std::vector<Request>> Requests(Environment& environment, const Invocation& invocation,
                                             bool operands_are_settings, CommandResult& failure) {
  std::vector<Request> requests;
  if (const auto& input = invocation.options.input) {
    std::optional<std::string> json = *input == "-" ? environment.files.Read("-") : input;
    if (!json) {
      failure = FileFailed(environment, "Cannot read the desired state", "the standard input");
      return std::nullopt;
    }
    std::string problem;
    auto desired = DesiredState(*json, problem);
    if (!desired) {
      failure = InputRefused(problem);
      return std::nullopt;
    }
    if (operands_are_settings && !invocation.operands.empty()) {
      failure = UsageError("Settings come from --input or NAME=VALUE, not both.");
      return std::nullopt;
    }
    return desired;
  }
  if (!operands_are_settings) return requests;
  for (const std::string& operand : invocation.operands) {
    std::size_t equals = operand.find('=');
    const Setting* setting = equals == std::string::npos ? nullptr : FindSetting(operand.substr(0, equals));
    if (!setting) {
      std::string names;
      for (const Setting& s : kSettingsInFillOrder) names += (names.empty() ? "" : ", ") + std::string(s.name);
      failure = UsageError("'" + operand + "' is no NAME=VALUE of a known setting (" + names + ").");
      return std::nullopt;
    }
    // Two values for one setting are a slip of the script, not a choice for the rules to settle.
    if (std::ranges::any_of(requests, [&](const Request& r) { return r.setting == setting; })) {
      failure = UsageError(std::string(setting->name) + " is given twice.");
      return std::nullopt;
    }
    requests.push_back({setting, operand.substr(equals + 1)});
  }
  return requests;
}

bool WantsState(const Invocation& invocation, const std::vector<Request>& requests) {
  return !requests.empty() || invocation.options.complete || invocation.options.input;
}

CommandResult RunShow(Environment& environment, const Invocation& invocation) {
  return invocation.operands.empty() ? ShowCommand(environment) : UsageError("show takes no arguments.");
}

CommandResult RunValidate(Environment& environment, const Invocation& invocation) {
  return invocation.operands.empty() ? ValidateCommand(environment) : UsageError("validate takes no arguments.");
}

CommandResult RunStatus(Environment& environment, const Invocation& invocation) {
  return invocation.operands.empty() ? StatusCommand(environment) : UsageError("status takes no arguments.");
}

CommandResult RunExport(Environment& environment, const Invocation& invocation) {
  return invocation.operands.size() == 1 ? ExportCommand(environment, invocation.operands[0])
                                         : UsageError("export needs one FILE, or - for the output.");
}

CommandResult RunDismount(Environment& environment, const Invocation& invocation) {
  return invocation.operands.size() == 1 ? DismountCommand(environment, invocation.operands[0])
                                         : UsageError("dismount needs one drive, as in: dismount R:");
}

CommandResult RunImport(Environment& environment, const Invocation& invocation) {
  return invocation.operands.size() == 1 ? ImportCommand(environment, invocation.operands[0], invocation.options)
                                         : UsageError("import needs one FILE.");
}

CommandResult RunSet(Environment& environment, const Invocation& invocation) {
  CommandResult failure;
  auto requests = Requests(environment, invocation, true, failure);
  if (!requests) return failure;
  return WantsState(invocation, *requests) ? SetCommand(environment, *requests, invocation.options)
                                           : UsageError("set needs at least one NAME=VALUE, --complete or --input.");
}

CommandResult RunTest(Environment& environment, const Invocation& invocation) {
  CommandResult failure;
  auto requests = Requests(environment, invocation, true, failure);
  if (!requests) return failure;
  if (WantsState(invocation, *requests) == !!invocation.options.file)
    return UsageError("test needs NAME=VALUE settings (or --complete, or --input) or --file FILE, not both.");
  return TestCommand(environment, *requests, invocation.options.file, invocation.options);
}

CommandResult RunDsc(Environment& environment, const Invocation& invocation) {
  const std::vector<std::string>& operands = invocation.operands;
  const ChangeOptions& options = invocation.options;
  bool known = operands.size() == 1 &&
               (operands[0] == "get" || operands[0] == "set" || operands[0] == "test" || operands[0] == "export");
  CommandResult failure;
  auto requests = Requests(environment, invocation, false, failure);
  if (!requests) return failure;
  if (!known) return UsageError("dsc needs one operation: get, set, test or export.");
  const std::string& operation = operands[0];
  if ((operation == "set" || operation == "test") && !options.input)
    return UsageError("dsc " + operation + " needs the desired state: --input JSON or --input -.");
  if (options.dry_run && operation != "set") return UsageError("dsc takes --dry-run with set only (its what-if).");
  return DscCommand(environment, operation, *requests, options.dry_run);
}

// Every command, as the help lists it, with what runs it and what renders its text.
struct Verb {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  bool json;                  // takes --json
  std::string_view options;   // the others it takes, each followed by a blank
  CommandResult (*run)(Environment&, const Invocation&);
  TextRenderer text;
};
constexpr Verb kVerbs[] = {
    {"show", "show [--json]", "every value as stored, beside what the window shows, with notes", true, "", RunShow, ShowText},
    {"set", "set NAME=VALUE... | --complete [NAME=VALUE...] | --input JSON|-  [--dry-run] [--adjust] [--backup FILE] [--json]",
     "changes settings by the window's rules, as one change, and reports each value written", true,
     "--complete --dry-run --adjust --backup --input ", RunSet, ChangeText},
    {"test", "test NAME=VALUE... | --complete [NAME=VALUE...] | --input JSON|- | --file FILE  [--adjust] [--json]",
     "exit 0 when the key holds that state, 1 listing each difference, 6 if the rules refuse it; writes nothing",
     true, "--complete --adjust --file --input ", RunTest, ChangeText},
    {"status", "status [--json]",
     "the driver's service and volume beside its settings: whether they wait for a restart, and warnings", true, "",
     RunStatus, StatusCommandText},
    {"validate", "validate [--json]",
     "exit 0 when every value is present, of its type, within the window's limits and shown unchanged", true, "",
     RunValidate, ValidateText},
    {"export", "export FILE|-", "the key as regedit writes it (version 5.00, UTF-16); - for the output", false, "",
     RunExport, ExportText},
    {"import", "import FILE [--dry-run] [--adjust] [--backup FILE] [--json]",
     "writes the values a .reg file names that differ from the key, checked by the window's rules", true,
     "--dry-run --adjust --backup ", RunImport, ChangeText},
    {"dismount", "dismount X: [--json]", "dismounts the volume, as the window's Dismount Volume button does", true, "",
     RunDismount, DismountText},
    {"dsc", "dsc get|set|test|export [--input JSON|-] [--dry-run]",
     "the settings as a DSC v3 resource: JSON lines, as korvane.ramdisk.dsc.resource.json describes", false,
     "--input --dry-run ", RunDsc, DscText},
    {"help", "help [COMMAND]", "this text, or one command's", false, "", nullptr, nullptr},
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

// --input's lines, naming the settings' properties from the table.
std::string InputHelp() {
  constexpr std::size_t kWidth = 104;
  std::string text = "--input    the desired state as one JSON object of the settings' properties (";
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < kSettingsInFillOrder.size(); ++i) {
    std::string word = std::string(kSettingsInFillOrder[i].get().property) + (i + 1 < kValueCount ? "," : ");");
    if (text.size() - line_start + 1 + word.size() > kWidth) {
      text += "\n" + std::string(11, ' ');
      line_start = text.size() - 11;
    } else if (text.back() != '(') {
      text += ' ';
    }
    text += word;
  }
  return text + "\n           - reads it from the standard input\n";
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
      + InputHelp() +
      "--json     the outcome as one JSON document (schema 1) on the output\n\n" +
      ExitCodes();
  return text;
}

std::string VerbHelp(const Verb& verb) {
  return "Usage: korvexcfg " + std::string(verb.usage) + "\n\n" + std::string(verb.summary) + ".\n\n" + ExitCodes();
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

// The verb's operands and options, which may stand anywhere after it; a
// usage error where they make no sense.
CommandResult ReadInvocation(const Verb& verb, const std::vector<std::string>& arguments, Invocation& invocation) {
  std::string problem;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (AsksForHelp(argument)) {
      invocation.help = true;
      return {};
    }
    if (argument.size() > 1 && (argument[0] == '-' || argument[0] == '/')) {
      std::string name = argument.substr(0, argument.find('='));
      bool takes = (name == "--json" && verb.json) || verb.options.find(name + " ") != std::string_view::npos;
      if (!takes)
        return UsageError(verb.options.empty() ? std::string(verb.name) + " takes no option " + argument + "."
                                               : "Unknown option " + argument + ".");
      if (!ReadChangeOption(arguments, i, invocation.options, problem)) return UsageError(problem);
    } else {
      invocation.operands.push_back(argument);
    }
  }
  return {};
}

// The help's text, or the version's: no report.
CommandResult Text(std::string text) {
  CommandResult result;
  result.out = std::move(text);
  return result;
}

// The outcome as text: by the verb's renderer, or, for an outcome of the
// command line itself, its problems and the usage.
void Render(CommandResult& result, TextRenderer text, const Environment& environment) {
  (text ? text : ProblemText)(result, environment);
  if (result.report.usage) result.err += Usage();
}

CommandResult Rendered(CommandResult result, const Environment& environment) {
  Render(result, nullptr, environment);
  return result;
}

// The verb's outcome, rendered as text, or as JSON where --json stands anywhere (a usage error's too);
// help stays text.
CommandResult RunVerb(const Verb& verb, const std::vector<std::string>& arguments, Environment& environment) {
  Invocation invocation;
  CommandResult result = ReadInvocation(verb, arguments, invocation);
  if (invocation.help) {
    result.out = VerbHelp(verb);
  } else {
    if (result.exit_code == kDone) result = verb.run(environment, invocation);
    bool help = std::ranges::any_of(arguments, AsksForHelp);
    if (verb.json && !help && std::ranges::find(arguments, "--json") != arguments.end())
      result.out = RenderJson(verb.name, result, environment);
    else
      Render(result, verb.text, environment);
  }
  return result;
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& arguments, Environment& environment) {
  if (arguments.empty()) return Rendered(UsageError("No command given."), environment);
  const std::string& first = arguments[0];
  if (AsksForHelp(first) || first == "help") {
    if (arguments.size() == 1) return Text(Help());
    const Verb* verb = arguments.size() == 2 && first == "help" ? FindVerb(arguments[1]) : nullptr;
    return verb ? Text(VerbHelp(*verb)) : Rendered(UsageError("help takes one command name."), environment);
  }
  if (first == "--version") {
    if (arguments.size() > 1) return Rendered(UsageError("--version takes no argument."), environment);
    return Text("korvexcfg " KORVANE_VERSION " (file version " KORVANE_VERSION_TEXT ")\n");
  }
  const Verb* verb = FindVerb(first);
  if (!verb) return Rendered(UsageError("Unknown command " + first + "."), environment);
  return RunVerb(*verb, arguments, environment);
}

}  // namespace korvex::cfg
