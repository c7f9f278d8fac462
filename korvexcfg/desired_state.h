// A desired state as JSON: one object of the settings' properties.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings.h"

namespace korvex::cfg {

// The settings of a desired state given as one JSON object of their
// properties, as the command line's NAME=VALUE would request them; nothing,
// with the reason in `problem`, for input that is not such an object.
std::optional<std::vector<Request>> DesiredState(std::string_view json, std::string& problem);

}  // namespace korvex::cfg
