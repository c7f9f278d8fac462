// The settings as the window shows them, and the stored form a save makes of
// each; also whether a stored value survives that round trip unchanged.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "ansi_characters.h"
#include "parameter_store.h"

namespace korvex {

// What a save reads from the window's controls.
struct ShownSettings {
  int disk_list_index = -1;
  int load_image = 0;
  std::string load_file;
  int save_image = 0;
  std::string save_file;
  std::string size;
  int fat32 = 0;
  int autosave = 0;
  std::string interval;
  std::string letter;
};

// A setting's stored form, or why it has none; `shown` is the text it came
// from, which is what two unstorable settings are compared by.
struct StoredForm {
  std::optional<StoredValue> value;
  std::string problem;
  std::string shown;
  bool operator==(const StoredForm&) const = default;
};
using StoredForms = std::array<StoredForm, kValueCount>;

// By place in kParameterValues.
StoredForms StoredFormsOf(const ShownSettings& shown, const AnsiCharacters& ansi);

// Whether the window shows each found value faithfully: the load's conversion
// alone, before any rule, and the save's conversion back give the same type
// and bytes. Absent and unreadable values are not.
std::array<bool, kValueCount> ShownFaithfully(const FoundValues& found, const AnsiCharacters& ansi);

}  // namespace korvex
