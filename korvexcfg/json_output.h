// korvexcfg's one JSON contract, the same for every command (described by
// korvexcfg-output.schema.json): always valid UTF-8, in fact plain ASCII.
#pragma once

#include <string>
#include <string_view>

#include "commands.h"

namespace korvex::cfg {

inline constexpr int kJsonSchemaVersion = 1;

// A JSON string: characters outside ASCII as \u escapes; a malformed byte as U+FFFD.
std::string JsonString(std::string_view utf8);

std::string RenderJson(std::string_view command, const CommandResult& result, const AnsiCharacters& ansi);

}  // namespace korvex::cfg
