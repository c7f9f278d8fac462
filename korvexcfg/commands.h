// korvexcfg's commands on the portable core: each takes its arguments and
// the platform around it, and gives back its output and exit code.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_characters.h"
#include "platform.h"
#include "registry.h"
#include "system_state.h"

namespace korvex::cfg {

enum ExitCode { kDone = 0, kRefused = 1, kUsage = 2, kKeyUnavailable = 3, kWriteFailed = 4 };

class Files {
 public:
  virtual ~Files() = default;
  virtual std::optional<std::string> Read(std::string_view path) = 0;
  virtual bool Write(std::string_view path, std::string_view bytes) = 0;
};

struct Environment {
  Registry& registry;
  const AnsiCharacters& ansi;
  Volume& volume;
  Files& files;
  KeyLock& lock;  // held by a command that writes, from its read to its write
  SystemState& system;
};

struct CommandResult {
  int exit_code = kDone;
  std::string out;  // UTF-8 text, or the bytes of a file for "export -"
  std::string err;
  bool binary_out = false;
};

CommandResult RunCommand(const std::vector<std::string>& arguments, Environment& environment);

}  // namespace korvex::cfg
