// The commands behind RunCommand, one file each group.
#pragma once

#include "command_result.h"
#include "settings.h"
#include "utf8.h"

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

// A column of the output: the text with blanks up to `width` characters
// (none if longer).
inline std::string Padded(std::string text, std::size_t width) {
  std::size_t characters = utf8::CountCodePoints(text);
  if (characters < width) text.append(width - characters, ' ');
  return text;
}

// A text as one line of output: control characters shown as \t, \n, \r or \xNN.
std::string Printable(std::string_view text);

std::string ParametersKeyName();  // "HKEY_LOCAL_MACHINE\...\Parameters"
// For access denied: what to do about it.
inline constexpr std::string_view kElevate = "Run korvexcfg from an elevated prompt (Run as administrator).";

// Exit 3, with the system's reason.
CommandResult KeyUnavailable(const Environment& environment, RegistryStatus status);
// A value that is there but cannot be read makes the key unreadable: exit 3,
// with the system's reason for each such value; false when every value could be read.
bool NoteUnreadable(const Environment& environment, const FoundValues& found, CommandResult& result);
// Exit 5: a file could not be read or written.
CommandResult FileFailed(const Environment& environment, std::string_view what, std::string_view path);

CommandResult ShowCommand(Environment& environment);
CommandResult ValidateCommand(Environment& environment);
CommandResult ExportCommand(Environment& environment, std::string_view path);
// The key's current contents as a registry file; nothing, and `failure` says
// why, when the key or one of its values cannot be read.
std::optional<std::string> ExportedFile(Environment& environment, CommandResult& failure);
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
CommandResult DscCommand(Environment& environment, std::string_view operation, const std::vector<Request>& requests);

CommandResult ImportCommand(Environment& environment, std::string_view path, const ChangeOptions& options);

}  // namespace korvex::cfg
