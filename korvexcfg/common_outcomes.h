// The outcomes every command shares: a key, value or file that cannot be
// used, and the words for them.
#pragma once

#include <string>
#include <string_view>

#include "command_result.h"
#include "environment.h"

namespace korvex::cfg {

// "Access is denied (error 5)", or "error 5" where the system has no words.
std::string ErrorText(const Environment& environment, long code);

std::string ParametersKeyName();  // "HKEY_LOCAL_MACHINE\...\Parameters"
// For access denied: what to do about it.
inline constexpr std::string_view kElevate = "Run korvexcfg from an elevated prompt (Run as administrator).";

// A command that ends with one problem.
CommandResult Failed(int exit_code, Problem problem);
// Exit 2: the command line makes no sense; the usage follows the problem.
CommandResult UsageError(std::string problem);
// Exit 3, with the system's reason.
CommandResult KeyUnavailable(const Environment& environment, RegistryStatus status);
// A value that is there but cannot be read makes the key unreadable: exit 3,
// with the system's reason for each such value; false when every value could be read.
bool NoteUnreadable(const Environment& environment, const FoundValues& found, CommandResult& result);
// Exit 5: a file could not be read or written.
CommandResult FileFailed(const Environment& environment, std::string_view what, std::string_view path);

}  // namespace korvex::cfg
