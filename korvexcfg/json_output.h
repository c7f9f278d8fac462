// korvexcfg's one JSON contract, the same for every command (described by
// korvexcfg-output.schema.json): always valid UTF-8, in fact plain ASCII.
#pragma once

#include <string>
#include <string_view>

#include "command_result.h"
#include "environment.h"

namespace korvex::cfg {

inline constexpr int kJsonSchemaVersion = 1;

// A JSON string: characters outside ASCII as \u escapes; a malformed byte as U+FFFD.
std::string JsonString(std::string_view utf8);

// The key as an instance of the desired state's properties, on one line: each
// value marked in `shown`, none other; `extra` is added as it is
// ("\"_inDesiredState\":true").
std::string RenderInstance(const FoundValues& key, const AnsiCharacters& ansi, const std::array<bool, kValueCount>& shown,
                           std::string_view extra = {});

// The outcome of a command as one JSON document (schema 1).
std::string RenderJson(std::string_view command, const CommandResult& result, const Environment& environment);

// The DSC resource's JSON lines for a get or export (the instance), or for a
// test or set (the instance, then the properties that differ or change);
// `trace` says on the error output which values were left out, and why.
struct DscLines {
  std::string out, trace;
};
DscLines RenderDscLines(const CommandReport& report, const AnsiCharacters& ansi);

}  // namespace korvex::cfg
