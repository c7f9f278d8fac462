// show, validate and export: reading only.
#include "command_parts.h"
#include "configuration.h"
#include "inspection.h"
#include "parameter_set.h"
#include "registry_file.h"

namespace korvex::cfg {
namespace {

std::string JsonText(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += "0123456789abcdef"[byte >> 4];
      out += "0123456789abcdef"[byte & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The stored values with their notes, and what the window shows for each.
std::optional<std::vector<InspectedValue>> Inspect(Environment& environment) {
  auto values = ReadStoredValues(environment.registry);
  if (!values) return std::nullopt;
  Configuration configuration(environment.registry, environment.ansi, environment.volume, true);
  configuration.Load();
  for (InspectedValue& value : *values) value.shown = ShownValue(configuration.Model(), *value.setting);
  NoteAnomalies(*values);
  return values;
}

}  // namespace

std::string ParametersKeyName() { return "HKEY_LOCAL_MACHINE\\" + std::string(kParametersKeyPath); }

std::string KeyUnavailableMessage() {
  return "The key " + ParametersKeyName() +
         " is missing or cannot be opened; korvexcfg never creates it (the driver's installation does).\n";
}

CommandResult ShowCommand(Environment& environment, bool json) {
  CommandResult result;
  auto values = Inspect(environment);
  if (!values) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  if (json) {
    result.out = "[\n";
    for (std::size_t i = 0; i < values->size(); ++i) {
      const InspectedValue& v = (*values)[i];
      result.out += "  {\"name\": " + JsonText(v.setting->name) + ", \"value_name\": " +
                    JsonText(v.setting->value_name) + ", \"shown\": " + JsonText(v.shown);
      if (v.status == 0)
        result.out += ", \"type\": " + JsonText(TypeName(v.type)) + ", \"bytes\": " + JsonText(HexBytes(v.bytes));
      result.out += ", \"notes\": [";
      for (std::size_t n = 0; n < v.notes.size(); ++n) result.out += (n ? ", " : "") + JsonText(v.notes[n]);
      result.out += std::string("]}") + (i + 1 < values->size() ? "," : "") + "\n";
    }
    result.out += "]\n";
    return result;
  }
  for (const InspectedValue& v : *values) {
    result.out += Padded(std::string(v.setting->name), 11) + Padded(v.shown, 20) +
                  Padded(std::string(v.setting->value_name), 17);
    if (v.status == 0) result.out += Padded(TypeName(v.type), 10) + HexBytes(v.bytes);
    result.out += "\n";
    for (const std::string& note : v.notes) result.out += "           note: " + note + "\n";
  }
  return result;
}

CommandResult ValidateCommand(Environment& environment) {
  CommandResult result;
  auto values = Inspect(environment);
  if (!values) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  for (const InspectedValue& v : *values)
    for (const std::string& note : v.notes)
      result.out += std::string(v.setting->name) + " (" + std::string(v.setting->value_name) + "): " + note + "\n";
  if (!result.out.empty()) {
    result.exit_code = kRefused;
    return result;
  }
  result.out = "valid\n";
  return result;
}

std::optional<std::string> ExportedFile(Environment& environment) {
  auto values = ReadStoredValues(environment.registry);
  if (!values) return std::nullopt;
  std::vector<RegistryFileValue> file_values;
  for (const ValueSchema& schema : kParameterValues)  // in the order the window reads them
    for (const InspectedValue& v : *values)
      if (v.setting->value_name == schema.name && v.status == 0)
        file_values.push_back({std::string(v.setting->value_name), v.type, v.bytes});
  return WriteRegistryFile(ParametersKeyName(), file_values, environment.ansi);
}

CommandResult ExportCommand(Environment& environment, std::string_view path) {
  auto file = ExportedFile(environment);
  if (!file) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  if (path == "-") return {kDone, *file, "", true};
  if (!environment.files.Write(path, *file)) {
    std::string problem = environment.files.Problem();
    return {kFileFailed, "", "Cannot write the file " + std::string(path) + (problem.empty() ? "" : ": " + problem) + ".\n"};
  }
  return {kDone, "Exported " + ParametersKeyName() + " to " + std::string(path) + ".\n", ""};
}

}  // namespace korvex::cfg
