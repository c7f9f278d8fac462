// The commands behind RunCommand, one file each group.
#pragma once

#include "commands.h"
#include "settings.h"

namespace korvex::cfg {

struct ChangeOptions {
  bool dry_run = false;
  bool adjust = false;
  std::optional<std::string> backup;
};

// A column of the output: the text with blanks up to `width` (none if longer).
inline std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string ParametersKeyName();  // "HKEY_LOCAL_MACHINE\...\Parameters"
std::string KeyUnavailableMessage();

CommandResult ShowCommand(Environment& environment, bool json);
CommandResult ValidateCommand(Environment& environment);
CommandResult ExportCommand(Environment& environment, std::string_view path);
// The key's current contents as a registry file; nothing when it cannot be opened.
std::optional<std::string> ExportedFile(Environment& environment);

CommandResult SetCommand(Environment& environment, const std::vector<Request>& requests, const ChangeOptions& options);
CommandResult ImportCommand(Environment& environment, std::string_view path, const ChangeOptions& options);

}  // namespace korvex::cfg
