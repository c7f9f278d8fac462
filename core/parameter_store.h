// The only code that touches the registry: reads and writes the ten values of
// the Parameters key, opening the key once per load or save.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "registry.h"
#include "settings_table.h"

namespace korvex {

// A value as the registry holds it: its type and every byte (a text with its NUL).
struct StoredValue {
  std::uint32_t type = 0;
  std::string data;
  bool operator==(const StoredValue&) const = default;
};

StoredValue StoredText(std::string_view bytes);  // REG_SZ: the bytes and one NUL
StoredValue StoredDword(std::int32_t number);    // REG_DWORD: four bytes, the lowest first

// What a read found: the value, or the platform's reason there is none
// (kNotFound: absent; anything else: unreadable).
struct FoundValue {
  RegistryStatus status = kNotFound;
  StoredValue stored;
  bool Present() const { return status == 0; }
};

using FoundValues = std::array<FoundValue, kValueCount>;
// By place in kSettings: the values to write, and nothing for the rest.
using ValuesToWrite = std::array<std::optional<StoredValue>, kValueCount>;

struct WriteResult {
  RegistryStatus open_status = 0;  // not 0: the key could not be opened and nothing was written
  std::array<std::optional<RegistryStatus>, kValueCount> statuses;  // each write's, where one was made
  bool AllWritten() const;
};

// What the window reads of the found values: a text of at most 132 bytes
// with its NUL bytes skipped, a number of at most four bytes; whatever the
// stored type. Anything else counts as absent.
ParameterSet WindowReading(const FoundValues& found);

// One open of the Parameters key, closed at the end of its scope: its values
// are read once, then written.
class ParametersKey {
 public:
  explicit ParametersKey(Registry& registry);
  ~ParametersKey();
  ParametersKey(const ParametersKey&) = delete;
  ParametersKey& operator=(const ParametersKey&) = delete;

  // 0, or why the key could not be opened (then nothing is read or written).
  RegistryStatus OpenStatus() const { return open_status_; }
  // Every value as stored, read on first use; afterwards what the writes left.
  const FoundValues& Values();
  // Writes the given values in the write order, each whatever became of the
  // one before; the others are left as they are.
  WriteResult Write(const ValuesToWrite& values);
  // When the key was last written (after this open's writes); nothing when
  // not known or the key could not be opened.
  std::optional<std::uint64_t> LastWritten();

 private:
  Registry& registry_;
  RegistryKey key_ = 0;
  RegistryStatus open_status_;
  std::optional<FoundValues> values_;
};

class ParameterStore {
 public:
  explicit ParameterStore(Registry& registry) : registry_(registry) {}

  // Every value as stored; nothing when the key cannot be opened (`open_status`
  // then says why).
  std::optional<FoundValues> Load(RegistryStatus* open_status = nullptr);

  // Writes the given values and nothing else. The key is opened and closed
  // even when nothing is given, so that a vanished key is still noticed.
  WriteResult Write(const ValuesToWrite& values);

 private:
  Registry& registry_;
};

}  // namespace korvex
