#include "parameter_store.h"

#include <algorithm>
#include <cstring>

namespace korvex {
namespace {

void ReadText(Registry& registry, RegistryKey key, const char* name, TextValue& value) {
  std::uint8_t buffer[kTextValueCapacity] = {};
  std::size_t size = sizeof buffer;
  if (registry.QueryValue(key, name, buffer, size) != 0) return;
  size = std::min(size, sizeof buffer);
  // NUL bytes are skipped wherever they stand; they do not end the text.
  for (std::size_t i = 0; i < size; ++i)
    if (buffer[i] != 0) value.bytes += static_cast<char>(buffer[i]);
  value.present = true;
}

void ReadDword(Registry& registry, RegistryKey key, const char* name, DwordValue& value) {
  std::uint8_t buffer[4] = {};  // a shorter value leaves its high bytes 0
  std::size_t size = sizeof buffer;
  if (registry.QueryValue(key, name, buffer, size) != 0) return;
  std::uint32_t number = buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<std::uint32_t>(buffer[3]) << 24;
  value.number = static_cast<std::int32_t>(number);
  value.present = true;
}

bool WriteText(Registry& registry, RegistryKey key, const char* name, const TextValue& value) {
  std::uint8_t staging[kTextValueCapacity];
  std::memcpy(staging, value.bytes.data(), value.bytes.size());
  staging[value.bytes.size()] = 0;
  return registry.SetValue(key, name, RegistryType::String, std::span(staging, value.bytes.size() + 1)) == 0;
}

bool WriteDword(Registry& registry, RegistryKey key, const char* name, const DwordValue& value) {
  auto number = static_cast<std::uint32_t>(value.number);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                 static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
  return registry.SetValue(key, name, RegistryType::Dword, bytes) == 0;
}

bool FitsTextCapacity(const ParameterSet& set, ValueSelection which) {
  for (std::size_t index = 0; index < kParameterValues.size(); ++index)
    if (auto* text = std::get_if<TextValue ParameterSet::*>(&kParameterValues[index].field))
      if (which[index] && (set.**text).bytes.size() > kMaxTextValueCharacters) return false;
  return true;
}

}  // namespace

std::optional<ParameterSet> ParameterStore::Load() {
  RegistryKey key = 0;
  if (registry_.OpenKey(kParametersKeyPath, key) != 0) return std::nullopt;
  ParameterSet set;
  for (const ValueSchema& value : kParameterValues) {
    std::visit(
        [&](auto field) {
          if constexpr (std::is_same_v<decltype(field), TextValue ParameterSet::*>)
            ReadText(registry_, key, value.name, set.*field);
          else
            ReadDword(registry_, key, value.name, set.*field);
        },
        value.field);
  }
  registry_.CloseKey(key);
  return set;
}

SaveOutcome ParameterStore::Save(const ParameterSet& set, ValueSelection which) {
  if (!FitsTextCapacity(set, which)) return SaveOutcome::TextTooLong;
  RegistryKey key = 0;
  if (registry_.OpenKey(kParametersKeyPath, key) != 0) return SaveOutcome::KeyUnavailable;
  bool all_written = true;
  for (std::size_t index : kWriteOrder) {
    if (!which[index]) continue;
    const ValueSchema& value = kParameterValues[index];
    all_written &= std::visit(
        [&](auto field) {
          if constexpr (std::is_same_v<decltype(field), TextValue ParameterSet::*>)
            return WriteText(registry_, key, value.name, set.*field);
          else
            return WriteDword(registry_, key, value.name, set.*field);
        },
        value.field);
  }
  registry_.CloseKey(key);
  return all_written ? SaveOutcome::Saved : SaveOutcome::WriteRefused;
}

}  // namespace korvex
