// The ten values of a state of the key beside what the window makes of them,
// with a note for everything that makes a value invalid. This is the one
// definition of a valid state, for validate and import alike: every value
// present, of the type and format the window writes, within the window's
// limits, and shown by the window unchanged (its load corrects nothing).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "problem.h"
#include "parameter_store.h"
#include "platform.h"
#include "settings.h"

namespace korvex::cfg {

struct InspectedValue {
  const Setting* setting = nullptr;
  FoundValue found;
  std::string shown;  // as the window shows it after its load
  bool faithful = false;
  std::vector<Problem> notes;  // what makes the value invalid
  // Where the only note is that the window's load changes the value: to what.
  std::optional<StoredValue> corrected;
  // Shown as stored but outside the window's limits: typing it in the window
  // would correct it.
  bool retypable = false;
};

// In the order of kSettings.
std::vector<InspectedValue> Inspect(const FoundValues& state, const AnsiCharacters& ansi);

// What keeps an image file's path, as the window shows it (without its
// prefix), from naming a file while its box is ticked: nothing, or a note
// ("empty-path", "doubled-prefix", "relative-path").
std::optional<Problem> ImagePathProblem(std::string_view path);

}  // namespace korvex::cfg
