// The only code that touches the registry: reads and writes the ten values of
// the Parameters key, opening the key once per load or save.
#pragma once

#include <optional>

#include "parameter_set.h"
#include "registry.h"

namespace korvex {

enum class SaveOutcome {
  Saved,
  KeyUnavailable,  // the key could not be opened; nothing was written
  WriteRefused,    // at least one write failed; every write was attempted
  TextTooLong,     // a text needs more than the format holds; nothing was written
};

class ParameterStore {
 public:
  explicit ParameterStore(Registry& registry) : registry_(registry) {}

  // The values as stored, each marked present or absent; nothing when the
  // key cannot be opened.
  std::optional<ParameterSet> Load();

  // Writes every field, present or not, in the write order.
  SaveOutcome Save(const ParameterSet& set);

 private:
  Registry& registry_;
};

}  // namespace korvex
