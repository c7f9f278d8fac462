// The command line: which command, its settings and options.
#include "command_parts.h"
#include "configuration.h"
#include "korvane_version.h"
#include "number_text.h"
#include "setting_limits.h"
#include "status.h"

namespace korvex::cfg {
namespace {

std::string Usage() {
  return "Usage: korvexcfg show [--json]\n"
         "       korvexcfg set NAME=VALUE... [--dry-run] [--adjust] [--backup FILE]\n"
         "       korvexcfg validate\n"
         "       korvexcfg status\n"
         "       korvexcfg export FILE|-\n"
         "       korvexcfg import FILE [--dry-run] [--adjust] [--backup FILE]\n"
         "       korvexcfg dismount X:\n"
         "       korvexcfg --help | --version\n";
}

std::string Help() {
  std::string text =
      "korvexcfg: the Korvane RAM disk's settings, changed by the configuration window's own rules.\n\n" + Usage() +
      "\nSettings (or their registry value names):\n";
  for (const Setting& setting : kSettings)
    text += "  " + Padded(std::string(setting.name), 12) + Accepts(setting) + "  (" + std::string(setting.value_name) + ")\n";
  text +=
      "\n--dry-run  says what would be written, writes nothing\n"
      "--adjust   accepts the window's corrections (size 12.7 becomes 12) and reports each\n"
      "--backup   exports the key to FILE before writing\n"
      "\nstatus says whether the driver is installed and running, what its volume is, whether the\n"
      "settings wait for a restart, and warns of settings that cannot work here (validate warns too).\n"
      "\nExit codes: 0 done or unchanged; 1 refused or invalid (nothing written); 2 usage;\n"
      "3 key missing or not openable; 4 a write or the dismount failed.\n";
  return text;
}

CommandResult UsageError(std::string problem) { return {kUsage, "", problem + "\n" + Usage()}; }

// The change options after the command's own arguments; false on an unknown one.
bool ReadChangeOption(const std::vector<std::string>& arguments, std::size_t& i, ChangeOptions& options,
                      std::string& problem) {
  const std::string& argument = arguments[i];
  if (argument == "--dry-run") {
    options.dry_run = true;
  } else if (argument == "--adjust") {
    options.adjust = true;
  } else if (argument == "--backup") {
    if (i + 1 == arguments.size()) {
      problem = "--backup needs a file name.";
      return false;
    }
    options.backup = arguments[++i];
  } else {
    problem = "Unknown option " + argument + ".";
    return false;
  }
  return true;
}

CommandResult DismountCommand(Environment& environment, std::string_view drive) {
  auto letter = DriveOf(drive);
  if (!letter) return UsageError("dismount needs a drive letter from A to Z, as in: dismount R:");
  std::string name(1, *letter);
  Configuration configuration(environment.registry, environment.ansi, environment.volume, environment.lock);
  if (configuration.Model().Dismount(name) != DismountOutcome::Dismounted) return {kWriteFailed, "", "The volume " + name + ": could not be dismounted.\n"};
  return {kDone, "Dismounted " + name + ":.\n", ""};
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& arguments, Environment& environment) {
  if (arguments.empty()) return UsageError("No command given.");
  const std::string& command = arguments[0];
  auto only = [&](std::size_t count) { return arguments.size() == count; };
  if (command == "--help" || command == "-h" || command == "/?") return {kDone, Help(), ""};
  if (command == "--version") {
    return {kDone, "korvexcfg " + IntegerText(KORVANE_VERSION_MAJOR) + "." + IntegerText(KORVANE_VERSION_MINOR) + "." +
                       IntegerText(KORVANE_VERSION_PATCH) + "\n", ""};
  }
  if (command == "show") {
    if (only(1)) return ShowCommand(environment, false);
    if (only(2) && arguments[1] == "--json") return ShowCommand(environment, true);
    return UsageError("show takes only --json.");
  }
  if (command == "status") return only(1) ? StatusCommand(environment) : UsageError("status takes no arguments.");
  if (command == "validate") return only(1) ? ValidateCommand(environment) : UsageError("validate takes no arguments.");
  if (command == "export") return only(2) ? ExportCommand(environment, arguments[1]) : UsageError("export needs one FILE, or - for the output.");
  if (command == "dismount") return only(2) ? DismountCommand(environment, arguments[1]) : UsageError("dismount needs one drive, as in: dismount R:");
  if (command == "set" || command == "import") {
    ChangeOptions options;
    std::vector<Request> requests;
    std::optional<std::string> file;
    std::string problem;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
      const std::string& argument = arguments[i];
      if (argument.starts_with("--")) {
        if (!ReadChangeOption(arguments, i, options, problem)) return UsageError(problem);
      } else if (command == "import") {
        if (file) return UsageError("import takes one FILE.");
        file = argument;
      } else {
        std::size_t equals = argument.find('=');
        const Setting* setting = equals == std::string::npos ? nullptr : FindSetting(argument.substr(0, equals));
        if (!setting) {
          std::string names;
          for (const Setting& s : kSettings) names += (names.empty() ? "" : ", ") + std::string(s.name);
          return UsageError("'" + argument + "' is no NAME=VALUE of a known setting (" + names + ").");
        }
        requests.push_back({setting, argument.substr(equals + 1)});
      }
    }
    if (command == "import") return file ? ImportCommand(environment, *file, options) : UsageError("import needs a FILE.");
    return requests.empty() ? UsageError("set needs at least one NAME=VALUE.") : SetCommand(environment, requests, options);
  }
  return UsageError("Unknown command " + command + ".");
}

}  // namespace korvex::cfg
