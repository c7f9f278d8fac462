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

// The properties whose values the change writes (or, for a test, would write).
std::string ChangedProperties(const CommandResult& result) {
  std::string json;
  if (result.report.save)
    for (const Setting& setting : kSettingsInFillOrder)
      if (ValueOutcome outcome = result.report.save->values[ValueIndexOf(setting)].outcome;
          outcome == ValueOutcome::Planned || outcome == ValueOutcome::Written)
        json += (json.empty() ? "" : ",") + JsonString(setting.property);
  return "[" + json + "]";
}

}  // namespace

CommandResult DscCommand(Environment& environment, std::string_view operation, const std::vector<Request>& requests) {
  CommandResult result;
  if (operation == "get" || operation == "export") {
    // One key: one instance, whatever the input names.
    RegistryStatus status = 0;
    auto key = ParameterStore(environment.registry).Load(&status);
    if (!key) return KeyUnavailable(environment, status);
    result.out = RenderInstance(*key, environment.ansi) + "\n";
  } else {
    bool test = operation == "test";
    ChangeOptions options;
    options.test = test;
    result = SetCommand(environment, requests, options);
    // For a test a difference is its answer, not a failure.
    bool differs = test && result.exit_code == kRefused;
    if (differs) result.exit_code = kDone;
    if (result.exit_code != kDone) {
      result.out.clear();
      return result;
    }
    std::string state = test ? RenderInstance(*result.report.values, environment.ansi,
                                              differs ? "\"_inDesiredState\":false" : "\"_inDesiredState\":true")
                             : RenderInstance(*result.report.values, environment.ansi);
    result.out = state + "\n" + ChangedProperties(result) + "\n";
    result.err.clear();  // the text report; the lines above say it all
  }
  result.binary_out = true;  // JSON lines end in LF alone
  return result;
}

}  // namespace korvex::cfg
