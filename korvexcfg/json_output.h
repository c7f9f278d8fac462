// korvexcfg's one JSON contract, the same for every command (described by
// korvexcfg-output.schema.json): always valid UTF-8, in fact plain ASCII.
#pragma once

#include <string>
#include <string_view>

#include "command_result.h"

namespace korvex::cfg {

inline constexpr int kJsonSchemaVersion = 1;

// A JSON string: characters outside ASCII as \u escapes; a malformed byte as U+FFFD.
std::string JsonString(std::string_view utf8);

// The key as an instance of the desired state's properties, on one line: each
// value marked in `shown`, none other; `extra` is added as it is
// ("\"_inDesiredState\":true").
std::string RenderInstance(const FoundValues& key, const AnsiCharacters& ansi, const std::array<bool, kValueCount>& shown,
                           std::string_view extra = {});

std::string RenderJson(std::string_view command, const CommandResult& result, const AnsiCharacters& ansi);

}  // namespace korvex::cfg
