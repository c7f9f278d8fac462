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
        kSettings[index].field);
  }
  return set;
}

ParametersKey::ParametersKey(Registry& registry)
    : registry_(registry), open_status_(registry.OpenKey(kParametersKeyPath, key_)) {}

ParametersKey::~ParametersKey() {
  if (open_status_ == 0) registry_.CloseKey(key_);
}

const FoundValues& ParametersKey::Values() {
  if (!values_) {
    values_.emplace();
    for (std::size_t index = 0; index < kValueCount && open_status_ == 0; ++index) {
      FoundValue& value = (*values_)[index];
      value.status = registry_.QueryRawValue(key_, kSettings[index].value_name, value.stored.type, value.stored.data);
      if (!value.Present()) value.stored = {};
    }
  }
  return *values_;
}

std::optional<std::uint64_t> ParametersKey::LastWritten() {
  if (open_status_ != 0) return std::nullopt;
  return registry_.LastWriteTime(key_);
}

WriteResult ParametersKey::Write(const ValuesToWrite& values) {
  WriteResult result;
  result.open_status = open_status_;
  if (open_status_ != 0) return result;
  for (std::size_t index : kWriteOrder) {
    const std::optional<StoredValue>& value = values[index];
    if (!value) continue;
    const auto* data = reinterpret_cast<const std::uint8_t*>(value->data.data());
    RegistryStatus status = registry_.SetValue(key_, kSettings[index].value_name,
                                               static_cast<RegistryType>(value->type), std::span(data, value->data.size()));
    result.statuses[index] = status;
    if (status == 0 && values_) (*values_)[index] = {0, *value};
  }
  return result;
}

std::optional<FoundValues> ParameterStore::Load(RegistryStatus* open_status) {
  ParametersKey key(registry_);
  if (open_status) *open_status = key.OpenStatus();
  if (key.OpenStatus() != 0) return std::nullopt;
  return key.Values();
}

WriteResult ParameterStore::Write(const ValuesToWrite& values) { return ParametersKey(registry_).Write(values); }

}  // namespace korvex
