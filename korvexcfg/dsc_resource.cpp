// korvexcfg as a DSC v3 command resource (korvane.ramdisk.dsc.resource.json).
// test and set are the command line's test and set; only their rendering
// differs: JSON lines of the instance, and nothing else on the output.
#include "command_parts.h"
#include "parameter_store.h"

namespace korvex::cfg {
namespace {

// The key as a set would leave it: what it holds, with each planned value.
FoundValues Planned(const FoundValues& key, const SaveReport& plan) {
  FoundValues after = key;
  for (std::size_t index = 0; index < kValueCount; ++index)
    if (plan.values[index].outcome == ValueOutcome::Planned && plan.values[index].after)
      after[index] = {0, *plan.values[index].after};
  return after;
}

}  // namespace

CommandResult DscCommand(Environment& environment, std::string_view operation, const std::vector<Request>& requests,
                         bool what_if) {
  CommandResult result;
  if (operation == "get" || operation == "export") {
    // One key: one instance, whatever the input names.
    ParametersKey key(environment.registry);
    if (key.OpenStatus() != 0) return KeyUnavailable(environment, key.OpenStatus());
    if (NoteUnreadable(environment, key.Values(), result)) return result;
    result.report.values = key.Values();
  } else {
    ChangeOptions options;
    options.test = operation == "test";
    options.dry_run = what_if;
    result = SetCommand(environment, requests, options);
    // For a test a difference is its answer, not a failure.
    if (options.test && result.report.differs) result.exit_code = kDone;
    if (result.exit_code != kDone) return result;
    // A what-if shows the state the set would leave.
    if (what_if) result.report.values = Planned(*result.report.values, *result.report.save);
  }
  result.report.inspected = Inspect(*result.report.values, environment.ansi);
  return result;
}

}  // namespace korvex::cfg
