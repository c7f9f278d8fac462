// The commands behind RunCommand, one file each group. Each gives back its
// outcome as a value; the command line renders it as text or JSON.
#pragma once

#include "command_result.h"
#include "environment.h"
#include "common_outcomes.h"
#include "settings.h"

namespace korvex::cfg {

struct ChangeOptions {
  bool dry_run = false;
  bool test = false;  // compare only: the differences are the outcome
  bool adjust = false;
  bool complete = false;  // set: every setting, the others as the window shows them
  std::optional<std::string> backup;
  std::optional<std::string> file;  // test --file
  std::optional<std::string> input;  // --input: a desired state as JSON, or - for standard input
  bool json = false;
};

CommandResult ShowCommand(Environment& environment);
CommandResult StatusCommand(Environment& environment);
// "R:" or "R": the volume dismounted as the window's Dismount Volume button does.
CommandResult DismountCommand(Environment& environment, std::string_view drive);
CommandResult ValidateCommand(Environment& environment);
CommandResult ExportCommand(Environment& environment, std::string_view path);
// The key's values as regedit writes them.
std::string RegistryFileOf(const FoundValues& found, const AnsiCharacters& ansi);

CommandResult SetCommand(Environment& environment, const std::vector<Request>& requests, const ChangeOptions& options);
// Whether the key holds what set (or import, with a file) would make it:
// exit 0 when it does, 1 with each difference when it does not; writes nothing.
CommandResult TestCommand(Environment& environment, const std::vector<Request>& requests,
                          const std::optional<std::string>& file, const ChangeOptions& options);
// One operation of the DSC v3 resource (get, set, test, export): JSON lines
// of the instance; a test that finds differences exits 0 with
// _inDesiredState false, a desired state the rules refuse exits kRulesRefuse.
// `what_if`: set prints the state it would leave and writes nothing.
CommandResult DscCommand(Environment& environment, std::string_view operation, const std::vector<Request>& requests,
                         bool what_if = false);

CommandResult ImportCommand(Environment& environment, std::string_view path, const ChangeOptions& options);

}  // namespace korvex::cfg
