// What a save did, value by value: the one account of it that the window's
// messages and korvexcfg's report are both made from.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "parameter_store.h"

namespace korvex {

enum class ValueOutcome {
  Unchanged,   // the key holds what the window shows
  Kept,        // the window could not show it and the user did not set it
  KeptChanged, // another program changed it since the load and the user did not set it here
  Left,        // the rules would correct it, but the user did not set it: not written
  Planned,     // to be written: a plan's, a dry run's, a test's
  Written,     // written by the save
  Refused,     // it cannot be stored: `reason`
  NotWritten,  // planned, but the save was refused, or the key or its lock could not be had
  Failed,      // the write failed: `error`
};

struct ValueReport {
  ValueOutcome outcome = ValueOutcome::Unchanged;
  FoundValue before;                // what the load (or the last save) found
  std::optional<StoredValue> after;  // what the window's setting is stored as
  std::string reason;
  RegistryStatus error = 0;
};

struct SaveReport {
  // Busy: another writer kept the writers' lock; nothing was written.
  enum class Result { Saved, Refused, KeyUnavailable, Busy, WriteFailed } result = Result::Saved;
  RegistryStatus key_error = 0;               // for KeyUnavailable
  std::array<ValueReport, kValueCount> values;  // by place in kSettings

  bool Writes() const {
    for (const ValueReport& value : values)
      if (value.outcome == ValueOutcome::Planned || value.outcome == ValueOutcome::Written ||
          value.outcome == ValueOutcome::Failed)
        return true;
    return false;
  }
  // The first refused value in the write order.
  const ValueReport* FirstRefusal() const {
    for (std::size_t index : kWriteOrder)
      if (values[index].outcome == ValueOutcome::Refused) return &values[index];
    return nullptr;
  }
};

}  // namespace korvex
