// The ten values as stored, beside what the window makes of them, with a
// note for everything the window would read differently or refuse.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "registry.h"
#include "settings.h"

namespace korvex::cfg {

struct InspectedValue {
  const Setting* setting = nullptr;
  RegistryStatus status = 0;  // 0: read
  std::uint32_t type = 0;
  std::string bytes;
  std::string shown;  // as the window shows it after its load
  std::vector<std::string> notes;
};

// Nothing when the key cannot be opened.
std::optional<std::vector<InspectedValue>> ReadStoredValues(Registry& registry);

// Fills in the notes of each value.
void NoteAnomalies(std::vector<InspectedValue>& values);

std::string TypeName(std::uint32_t type);
std::string HexBytes(std::string_view bytes);  // "48 44 43 00"

}  // namespace korvex::cfg
