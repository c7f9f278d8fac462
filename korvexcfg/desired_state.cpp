// A desired state as JSON: one object of the settings' properties, as DSC
// and --input give it, read into the requests NAME=VALUE would make.
#include "desired_state.h"

#include "json_instance.h"

namespace korvex::cfg {

std::optional<std::vector<Request>> DesiredState(std::string_view json, std::string& problem) {
  // DSC's own property, which the instance schema admits: taken, and of no weight.
  static constexpr InstanceProperty kInDesiredState{"_inDesiredState", InstanceProperty::Type::Boolean};
  static constexpr auto kProperties = [] {
    std::array<InstanceProperty, kSettings.size() + 1> properties{};
    properties[kSettings.size()] = kInDesiredState;
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
      SettingKind kind = kSettings[i].kind;
      properties[i] = {kSettings[i].property,
                       kind == SettingKind::OnOff                                         ? InstanceProperty::Type::Boolean
                       : kind == SettingKind::Megabytes || kind == SettingKind::Seconds ? InstanceProperty::Type::Whole
                                                                                          : InstanceProperty::Type::Text};
    }
    return properties;
  }();
  InstanceReading reading = ReadInstance(json, kProperties);
  problem = reading.problem;
  if (!problem.empty()) return std::nullopt;
  std::vector<Request> requests;
  for (InstanceValue& value : reading.values)
    if (value.property < kSettings.size()) requests.push_back({&kSettings[value.property], std::move(value.text)});
  return requests;
}

}  // namespace korvex::cfg
