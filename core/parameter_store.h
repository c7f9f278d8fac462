// The only code that touches the registry: reads and writes the ten values of
// the Parameters key, opening the key once per load or save.
#pragma once

#include <bitset>
#include <optional>

#include "parameter_set.h"
#include "registry.h"

namespace korvex {

enum class SaveOutcome {
  Saved,
  KeyUnavailable,  // the key could not be opened; nothing was written
  WriteRefused,    // at least one write failed; every write was attempted
  TextTooLong,     // a selected text needs more than the format holds; nothing was written
};

// Which values a save writes, by their place in kParameterValues.
using ValueSelection = std::bitset<kParameterValues.size()>;
inline const ValueSelection kAllValues = ValueSelection().set();

class ParameterStore {
 public:
  explicit ParameterStore(Registry& registry) : registry_(registry) {}

  // The values as stored, each marked present or absent; nothing when the
  // key cannot be opened.
  std::optional<ParameterSet> Load();

  // Writes the selected fields, present or not, in the write order; the
  // others are left as they are. The key is opened and closed even when
  // nothing is selected, so that a vanished key is still noticed.
  SaveOutcome Save(const ParameterSet& set, ValueSelection which = kAllValues);

 private:
  Registry& registry_;
};

}  // namespace korvex
