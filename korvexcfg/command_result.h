// What every korvexcfg command shares: the platform it runs on, and the
// outcome it gives back (exit code, output, and the report --json is made of).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_characters.h"
#include "platform.h"
#include "registry.h"
#include "save_report.h"
#include "system_state.h"

namespace korvex::cfg {

// One meaning each, for every command. The key is read before anything else
// is judged: a key or value that cannot be read is 3, whatever was asked.
enum ExitCode {
  kDone = 0,
  kRefused = 1,  // test: the key differs; validate: the key is invalid
  kUsage = 2,
  kKeyUnavailable = 3,
  kWriteFailed = 4,
  kFileFailed = 5,
  kRulesRefuse = 6,  // set, test, import: the rules refuse the desired state; nothing written
};

class Files {
 public:
  virtual ~Files() = default;
  // The file's bytes ("-": the standard input's), nothing when it cannot be read; of a file larger than
  // kLargestRegistryFile only the first kLargestRegistryFile + 1.
  virtual std::optional<std::string> Read(std::string_view path) = 0;
  // The whole file or, on failure, none of it: the file as it was.
  virtual bool Write(std::string_view path, std::string_view bytes) = 0;
  // Why the last Read or Write failed, in the system's words; empty if unknown.
  virtual std::string Problem() const { return {}; }
  virtual bool Exists(std::string_view path) = 0;
  // The path made absolute, for telling whether two name one file.
  virtual std::string FullPath(std::string_view path) { return std::string(path); }
};

struct Environment {
  Registry& registry;
  const AnsiCharacters& ansi;
  Volume& volume;
  Files& files;
  KeyLock& lock;  // held by a command that writes, from its read to its write
  SystemState& system;
  // The system's words for an error code; nothing where it has none.
  std::string (*error_text)(long code) = nullptr;
  // The system's code for the last call that failed on this thread; nothing where it keeps none.
  long (*last_error)() = nullptr;
};

// What went wrong, or is worth a warning: a stable code for scripts, and the
// words for people; `setting` names the setting it is about, if any.
struct Problem {
  std::string code;
  std::string message;
  std::string setting = {};
  bool operator==(const Problem&) const = default;
};

// A command's outcome as data, from which --json is made.
struct CommandReport {
  std::optional<FoundValues> values;  // the key as the command read or left it
  std::optional<SaveReport> save;     // what was, or would be, written
  enum class SaveKind { Saved, DryRun, Test } save_kind = SaveKind::Saved;
  std::vector<Problem> problems;
  std::vector<Problem> warnings;
  std::optional<bool> restart_required;
};

struct CommandResult {
  int exit_code = kDone;
  std::string out;  // UTF-8 text, or the bytes of a file for "export -"
  std::string err;
  bool binary_out = false;
  CommandReport report = {};
};

}  // namespace korvex::cfg
