// The settings as the window shows them, and the stored form a save makes of
// each; also whether a stored value survives that round trip unchanged.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "ansi_characters.h"
#include "parameter_store.h"

namespace korvex {

// A setting as its control holds it: the list index or check value of a list
// or check box, the text of a text box.
struct ShownSetting {
  int choice = -1;
  std::string text;
};
// By place in kSettings.
using ShownSettings = std::array<ShownSetting, kValueCount>;

// How the window's load shows a value it read (the conversion alone, before
// any rule); nothing where the value is absent, or a disk code it does not know.
std::optional<ShownSetting> ShownFromStored(const Setting& setting, const ParameterSet& read,
                                            const AnsiCharacters& ansi);

// A setting's stored form, or why it has none; `shown` is the text it came
// from, which is what two unstorable settings are compared by.
struct StoredForm {
  std::optional<StoredValue> value;
  std::string problem;
  std::string shown;
  bool operator==(const StoredForm&) const = default;
};
using StoredForms = std::array<StoredForm, kValueCount>;

// By place in kSettings.
StoredForms StoredFormsOf(const ShownSettings& shown, const AnsiCharacters& ansi);

// Whether the window shows each found value faithfully: the load's conversion
// alone, before any rule, and the save's conversion back give the same type
// and bytes. Absent and unreadable values are not.
std::array<bool, kValueCount> ShownFaithfully(const FoundValues& found, const AnsiCharacters& ansi);

}  // namespace korvex
