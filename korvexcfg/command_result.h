// A korvexcfg command's outcome as a value: its exit code and its report,
// which the text and the JSON renderers each turn into output.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspection.h"
#include "problem.h"
#include "save_report.h"
#include "status.h"

namespace korvex::cfg {

// One meaning each, for every command. The key is read before anything else
// is judged: a key or value that cannot be read is 3, whatever was asked.
enum ExitCode {
  kDone = 0,
  kDiffers = 1,  // test: the key differs from the state; validate: from a valid one
  kUsage = 2,
  kKeyUnavailable = 3,
  kWriteFailed = 4,
  kFileFailed = 5,
  kRulesRefuse = 6,  // set, test, import: the rules refuse the desired state; nothing written
};

struct CommandReport {
  std::optional<FoundValues> values;  // the key as the command read or left it
  std::vector<InspectedValue> inspected;  // show, validate: each value and what makes it invalid
  std::optional<SaveReport> save;     // what was, or would be, written
  enum class SaveKind { Saved, DryRun, Test } save_kind = SaveKind::Saved;
  bool differs = false;  // test: the key does not hold the state
  std::optional<StatusReport> status;
  std::optional<bool> restart_required;
  std::vector<Problem> problems;  // why the command failed
  std::vector<Problem> warnings;
  std::vector<Problem> notes;      // said in the text only: corrections taken, settings changed along
  std::vector<Problem> key_notes;  // import: the key's own problems in values it leaves as they are
  bool nothing_written = false;    // a change that stopped before its write
  bool usage = false;              // a command line that makes no sense: the usage follows the problem
  std::string subject;   // what the command acted on: export's file, dismount's drive ("R")
  std::string document;  // export's file, for the output
};

struct CommandResult {
  int exit_code = kDone;
  CommandReport report = {};
  // Made from the report by the renderer, or the help's text.
  std::string out;  // UTF-8 text, or the bytes of a file for "export -"
  std::string err;
  bool binary_out = false;
};

}  // namespace korvex::cfg
