// show, validate and export: reading only.
#include "command_parts.h"
#include "inspection.h"
#include "status.h"

#include "ascii_text.h"
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
      out += HexDigit(byte >> 4);
      out += HexDigit(byte);
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The key's values with their notes; nothing when it cannot be opened.
std::optional<std::vector<InspectedValue>> InspectKey(Environment& environment) {
  RegistryStatus status = 0;
  auto found = ReadKey(environment.registry, status);
  if (!found) return std::nullopt;
  return Inspect(*found, environment.ansi, environment.volume);
}

}  // namespace

std::string ParametersKeyName() { return "HKEY_LOCAL_MACHINE\\" + std::string(kParametersKeyPath); }

std::string KeyUnavailableMessage() {
  return "The key " + ParametersKeyName() +
         " is missing or cannot be opened; korvexcfg never creates it (the driver's installation does).\n";
}

CommandResult ShowCommand(Environment& environment, bool json) {
  CommandResult result;
  auto values = InspectKey(environment);
  if (!values) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  if (json) {
    result.out = "[\n";
    for (std::size_t i = 0; i < values->size(); ++i) {
      const InspectedValue& v = (*values)[i];
      result.out += "  {\"name\": " + JsonText(v.setting->name) + ", \"value_name\": " +
                    JsonText(v.setting->value_name) + ", \"shown\": " + JsonText(v.shown);
      if (v.found.Present())
        result.out += ", \"type\": " + JsonText(TypeName(v.found.stored.type)) + ", \"bytes\": " +
                      JsonText(HexBytes(v.found.stored.data));
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
    if (v.found.Present()) result.out += Padded(TypeName(v.found.stored.type), 10) + HexBytes(v.found.stored.data);
    result.out += "\n";
    for (const std::string& note : v.notes) result.out += "           note: " + note + "\n";
  }
  return result;
}

CommandResult ValidateCommand(Environment& environment) {
  CommandResult result;
  RegistryStatus status = 0;
  auto key = ReadKey(environment.registry, status);
  if (!key) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  for (const InspectedValue& v : Inspect(*key, environment.ansi, environment.volume))
    for (const std::string& note : v.notes)
      result.out += std::string(v.setting->name) + " (" + std::string(v.setting->value_name) + "): " + note + "\n";
  // Warnings name settings that are valid but cannot work on this machine:
  // they do not change the exit code.
  if (!result.out.empty()) result.exit_code = kRefused;
  if (result.out.empty()) result.out = "valid\n";
  result.out += WarningLines(Warnings(environment, *key));
  return result;
}

std::optional<std::string> ExportedFile(Environment& environment) {
  RegistryStatus status = 0;
  auto found = ReadKey(environment.registry, status);
  if (!found) return std::nullopt;
  std::vector<RegistryFileValue> file_values;
  for (std::size_t index = 0; index < kValueCount; ++index)  // in the order the window reads them
    if ((*found)[index].Present())
      file_values.push_back({kParameterValues[index].name, (*found)[index].stored.type, (*found)[index].stored.data});
  return WriteRegistryFile(ParametersKeyName(), file_values, environment.ansi);
}

CommandResult ExportCommand(Environment& environment, std::string_view path) {
  auto file = ExportedFile(environment);
  if (!file) return {kKeyUnavailable, "", KeyUnavailableMessage()};
  if (path == "-") return {kDone, *file, "", true};
  if (!environment.files.Write(path, *file))
    return {kWriteFailed, "", "Cannot write the file " + std::string(path) + ".\n"};
  return {kDone, "Exported " + ParametersKeyName() + " to " + std::string(path) + ".\n", ""};
}

}  // namespace korvex::cfg
