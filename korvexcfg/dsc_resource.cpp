// korvexcfg as a DSC v3 command resource (korvane.ramdisk.dsc.resource.json):
// each operation prints JSON lines of the instance and nothing else on the
// output. test and set are the command line's test and set; only their
// reports differ.
#include "command_parts.h"
#include "inspection.h"
#include "json_output.h"
#include "parameter_store.h"

namespace korvex::cfg {
namespace {

// The properties whose values the change writes (or, for a test or a
// what-if, would write).
std::string ChangedProperties(const CommandResult& result) {
  std::string json;
  if (result.report.save)
    for (const Setting& setting : kSettingsInFillOrder)
      if (ValueOutcome outcome = result.report.save->values[ValueIndexOf(setting)].outcome;
          outcome == ValueOutcome::Planned || outcome == ValueOutcome::Written)
        json += (json.empty() ? "" : ",") + JsonString(setting.property);
  return "[" + json + "]";
}

// The instance of a state of the key: each value that validate calls valid,
// no other. A value the window could not show as stored, or shows but
// outside its limits, has no place in the instance's schema: it is left out,
// and each such value's problem goes to the error output (DSC's trace).
std::string Instance(Environment& environment, const FoundValues& key, std::string& err, std::string_view extra = {}) {
  std::array<bool, kValueCount> valid{};
  for (const InspectedValue& value : Inspect(key, environment.ansi)) {
    std::size_t index = ValueIndexOf(*value.setting);
    valid[index] = value.notes.empty();
    if (value.found.status == kNotFound) continue;  // absent: nothing to say
    for (const Problem& note : value.notes)
      err += std::string(value.setting->property) + " left out: " + std::string(value.setting->value_name) + ": " +
             Printable(note.message) + "\n";
  }
  return RenderInstance(key, environment.ansi, valid, extra);
}

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
    result.out = Instance(environment, key.Values(), result.err) + "\n";
  } else {
    bool test = operation == "test";
    ChangeOptions options;
    options.test = test;
    options.dry_run = what_if;
    result = SetCommand(environment, requests, options);
    // For a test a difference is its answer, not a failure.
    bool differs = test && result.exit_code == kRefused;
    if (differs) result.exit_code = kDone;
    if (result.exit_code != kDone) {
      result.out.clear();
      return result;
    }
    result.err.clear();  // the text report; the lines below say it all
    // A what-if shows the state the set would leave.
    FoundValues state = what_if ? Planned(*result.report.values, *result.report.save) : *result.report.values;
    std::string line = test ? Instance(environment, state, result.err,
                                       differs ? "\"_inDesiredState\":false" : "\"_inDesiredState\":true")
                            : Instance(environment, state, result.err);
    result.out = line + "\n" + ChangedProperties(result) + "\n";
  }
  result.binary_out = true;  // JSON lines end in LF alone
  return result;
}

}  // namespace korvex::cfg
