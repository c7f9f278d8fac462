// Stored values in words, for every command's output: their type and
// bytes, the setting's own terms, and text made safe for one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ansi_characters.h"
#include "parameter_store.h"
#include "settings.h"

namespace korvex::cfg {

std::string TypeName(std::uint32_t type);      // "REG_SZ", or "type 42"
std::string HexBytes(std::string_view bytes);  // "48 44 43 00"

// A stored value in the setting's own terms ("64 MB (16384 pages)", "on",
// "hard-disk"), or its type and bytes where it has none.
std::string DescribeStored(const Setting& setting, const FoundValue& value, const AnsiCharacters& ansi);

// A text as one line of output: control characters shown as \t, \n, \r or \xNN.
std::string Printable(std::string_view text);

}  // namespace korvex::cfg
