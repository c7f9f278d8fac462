// The settings as korvexcfg reads and writes them: by their names in the
// settings table, with values in korvexcfg's terms.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor.h"

namespace korvex::cfg {

// A setting named on the command line with the value asked for.
struct Request {
  const Setting* setting;
  std::string value;
  bool retype = false;  // typed in again even where the window already shows it
};

// For messages: what the setting accepts, from the window's limits.
std::string Accepts(const Setting& setting);

// By its name or its registry value name, either in any case.
const Setting* FindSetting(std::string_view name);

// By its registry value name only, in any case.
const Setting* FindSettingByValueName(std::string_view value_name);

// The setting as the window shows it now, in the form a user would request it.
std::string ShownValue(Editor& editor, const Setting& setting);

// The request in the window's terms (a list index as text, "1"/"0" for a
// check box, the number or text to type), or nothing when it is malformed.
std::optional<std::string> RequestedInput(const Setting& setting, std::string_view value);

// Whether a shown value already is what was requested.
bool SameValue(const Setting& setting, std::string_view shown, std::string_view requested);

// Whether the window already shows the input, so that a user would type
// nothing. A value beyond what a user may type is typed in, and so refused
// or corrected, even where the key already holds it: one judgement of a
// desired state, whatever the key holds.
bool AlreadyShown(Editor& editor, const Setting& setting, std::string_view input);

// A control's state (its text, or its list index or check value as a
// number, as a Correction gives it) in the form a user would request it.
std::string RequestForm(const Setting& setting, std::string_view held);

// The disk kind's name for a list index; empty for none.
std::string_view DiskKindName(int list_index);

}  // namespace korvex::cfg
