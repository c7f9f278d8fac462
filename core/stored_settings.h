// The window's settings in the form a save stores them. The form taken right
// after the load is kept, so that a save writes only what the edits changed.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "parameter_set.h"

namespace korvex {

struct StoredSettings {
  ParameterSet set;  // every value as a save would write it
  // By place in kParameterValues: why a value cannot be written, and the
  // shown text it came from, which is what such values are compared by.
  std::array<std::optional<std::string>, kParameterValues.size()> problems;
  std::array<std::string, kParameterValues.size()> shown;
};

}  // namespace korvex
