// The driver as Windows sees it beside its settings: the service, the volume
// at the configured letter, whether the settings wait for a restart, and
// warnings about settings that are valid but will not work on this machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "environment.h"
#include "parameter_store.h"
#include "problem.h"

namespace korvex::cfg {

struct VolumeStatus {
  char letter = 0;  // 0: no valid letter is configured, and nothing was asked
  bool present = false;
  std::optional<std::uint64_t> size_bytes;
  std::string file_system;
};

struct StatusReport {
  ServiceInfo service;
  VolumeStatus volume;
  // true: the running driver's disk is not the configured one, or the key was
  // written after it started; false: the driver runs as configured, or does
  // not run at all; nothing: it cannot be told.
  std::optional<bool> restart_required;
  std::vector<std::string> restart_reasons;
  std::vector<Problem> warnings;  // valid but will not work on this machine ("letter-in-use")
};

// `key_written`: when the key was last written, if known.
StatusReport GatherStatus(Environment& environment, const FoundValues& key, std::optional<std::uint64_t> key_written);
std::vector<Problem> Warnings(Environment& environment, const FoundValues& key);

// The report as status prints it; where the key could not be read, the service's line alone.
std::string StatusText(const StatusReport& report, bool key_read = true);
// "warning: CODE: message\n" each.
std::string WarningLines(const std::vector<Problem>& warnings, std::string_view label = "warning: ");

}  // namespace korvex::cfg
