// A desired state given as one flat JSON object, read strictly: anything a
// script could not have meant (a duplicate or unknown name, a value of the
// wrong type, text that is no UTF-8, a second document) is refused with the
// reason, never guessed at.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvex::cfg {

// Larger input is refused unread beyond this.
inline constexpr std::size_t kLargestJsonInput = 1 << 20;

struct InstanceProperty {
  std::string_view name;
  enum class Type { Text, Whole, Boolean } type;
};

struct InstanceValue {
  std::size_t property;  // its place in the table read against
  std::string text;      // the text, the number's digits (with any '-'), or "on"/"off"
};

struct InstanceReading {
  std::vector<InstanceValue> values;  // in the order given
  std::string problem;                // why the input was refused; empty when read
};

InstanceReading ReadInstance(std::string_view json, std::span<const InstanceProperty> properties);

}  // namespace korvex::cfg
