// The desired-state reader on any bytes: no overrun, no undefined behaviour,
// no deep recursion; what it accepts is whole (each property once, of its
// type, valid UTF-8) and reads back the same once written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "json_instance.h"
#include "utf8.h"

namespace {
using korvex::cfg::InstanceProperty;
constexpr InstanceProperty kProperties[] = {
    {"diskType", InstanceProperty::Type::Text}, {"sizeMB", InstanceProperty::Type::Whole},
    {"fat32", InstanceProperty::Type::Boolean}, {"loadImageFile", InstanceProperty::Type::Text}};

std::string Written(const korvex::cfg::InstanceReading& reading) {
  std::string json = "{";
  for (const korvex::cfg::InstanceValue& value : reading.values) {
    const InstanceProperty& property = kProperties[value.property];
    json += (json.size() > 1 ? "," : "") + ("\"" + std::string(property.name) + "\":");
    if (property.type == InstanceProperty::Type::Boolean) {
      json += value.text == "on" ? "true" : "false";
    } else if (property.type == InstanceProperty::Type::Whole) {
      json += value.text;
    } else {
      json += '"';
      for (char c : value.text) json += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
      json += '"';
    }
  }
  return json + "}";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view json(reinterpret_cast<const char*>(data), size);
  korvex::cfg::InstanceReading read = korvex::cfg::ReadInstance(json, kProperties);
  if (!read.problem.empty()) {
    if (!read.values.empty()) std::abort();
    return 0;
  }
  bool seen[std::size(kProperties)] = {};
  for (const korvex::cfg::InstanceValue& value : read.values) {
    if (value.property >= std::size(kProperties) || seen[value.property] || !korvex::utf8::IsValid(value.text))
      std::abort();
    seen[value.property] = true;
  }
  korvex::cfg::InstanceReading again = korvex::cfg::ReadInstance(Written(read), kProperties);
  if (!again.problem.empty() || again.values.size() != read.values.size()) std::abort();
  for (std::size_t i = 0; i < read.values.size(); ++i)
    if (again.values[i].property != read.values[i].property || again.values[i].text != read.values[i].text)
      std::abort();
  return 0;
}
