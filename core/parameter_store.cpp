#include "parameter_store.h"

#include <algorithm>

namespace korvex {

StoredValue StoredText(std::string_view bytes) { return {kRegSz, std::string(bytes) + '\0'}; }

StoredValue StoredDword(std::int32_t number) { return {kRegDword, DwordData(static_cast<std::uint32_t>(number))}; }

bool WriteResult::AllWritten() const {
  return open_status == 0 && std::ranges::all_of(statuses, [](auto& status) { return !status || *status == 0; });
}

ParameterSet WindowReading(const FoundValues& found) {
  ParameterSet set;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    const FoundValue& value = found[index];
    if (!value.Present()) continue;
    const std::string& data = value.stored.data;
    std::visit(
        [&](auto field) {
          auto& read = set.*field;
          if constexpr (std::is_same_v<decltype(field), TextValue ParameterSet::*>) {
            if (data.size() > kTextValueCapacity) return;
            // NUL bytes are skipped wherever they stand; they do not end the text.
            std::ranges::copy_if(data, std::back_inserter(read.bytes), [](char c) { return c != '\0'; });
          } else {
            if (data.size() > 4) return;
            read.number = static_cast<std::int32_t>(DwordNumber(data));  // missing high bytes are 0
          }
          read.present = true;
        },
        kParameterValues[index].field);
  }
  return set;
}

FoundValues ParameterStore::ReadAll(RegistryKey key) {
  FoundValues found;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    FoundValue& value = found[index];
    value.status = registry_.QueryRawValue(key, kParameterValues[index].name, value.stored.type, value.stored.data);
    if (!value.Present()) value.stored = {};
  }
  return found;
}

std::optional<FoundValues> ParameterStore::Load(RegistryStatus* open_status) {
  RegistryKey key = 0;
  RegistryStatus opened = registry_.OpenKey(kParametersKeyPath, key);
  if (open_status) *open_status = opened;
  if (opened != 0) return std::nullopt;
  FoundValues found = ReadAll(key);
  registry_.CloseKey(key);
  return found;
}

WriteResult ParameterStore::Write(ValuesToWrite values, const Amend& amend) {
  WriteResult result;
  RegistryKey key = 0;
  result.open_status = registry_.OpenKey(kParametersKeyPath, key);
  if (result.open_status != 0) return result;
  if (amend) amend(ReadAll(key), values);
  for (std::size_t index : kWriteOrder) {
    const std::optional<StoredValue>& value = values[index];
    if (!value) continue;
    const auto* data = reinterpret_cast<const std::uint8_t*>(value->data.data());
    result.statuses[index] = registry_.SetValue(key, kParameterValues[index].name, static_cast<RegistryType>(value->type),
                                                std::span(data, value->data.size()));
  }
  registry_.CloseKey(key);
  return result;
}

}  // namespace korvex
