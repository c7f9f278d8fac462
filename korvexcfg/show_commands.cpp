// show, validate and export: reading only.
#include "command_parts.h"
#include "inspection.h"

#include "ascii_text.h"

#include "parameter_set.h"
#include "registry_file.h"

namespace korvex::cfg {
namespace {

// The key's values with their notes; nothing when it cannot be opened.
std::optional<std::vector<InspectedValue>> InspectKey(Environment& environment) {
  RegistryStatus status = 0;
  auto found = ReadKey(environment.registry, status);
  if (!found) return std::nullopt;
  return Inspect(*found, environment.ansi, environment.volume);
}

constexpr std::size_t kShownColumn = 20;

// The values and their notes, for --json.
void ReportInspection(const std::vector<InspectedValue>& values, CommandReport& report) {
  report.values.emplace();
  for (const InspectedValue& v : values) {
    (*report.values)[ValueIndexOf(*v.setting)] = v.found;
    for (const Note& note : v.notes) report.problems.push_back({note.code, note.message, std::string(v.setting->name)});
  }
}

}  // namespace

CommandResult KeyUnavailable() {
  CommandResult result{kKeyUnavailable, "", KeyUnavailableMessage()};
  std::string message = KeyUnavailableMessage();
  message.pop_back();  // its line end
  result.report.problems.push_back({"key-unavailable", message, ""});
  return result;
}

std::string Printable(std::string_view text) {
  std::string out;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (byte < 0x20 || byte == 0x7F) out += std::string("\\x") + HexDigit(byte >> 4) + HexDigit(byte);
    else out += c;
  }
  return out;
}

std::string ParametersKeyName() { return "HKEY_LOCAL_MACHINE\\" + std::string(kParametersKeyPath); }

std::string KeyUnavailableMessage() {
  return "The key " + ParametersKeyName() +
         " is missing or cannot be opened; korvexcfg never creates it (the driver's installation does).\n";
}

CommandResult ShowCommand(Environment& environment) {
  CommandResult result;
  auto values = InspectKey(environment);
  if (!values) return KeyUnavailable();
  ReportInspection(*values, result.report);
  for (const InspectedValue& v : *values) {
    std::string shown =
        v.found.Present() ? Printable(v.shown) : v.found.status == kNotFound ? "(absent)" : "(unreadable)";
    bool long_value = utf8::CountCodePoints(shown) >= kShownColumn;  // on a line of its own
    result.out += Padded(std::string(v.setting->name), 11) + Padded(long_value ? "" : shown, kShownColumn) +
                  Padded(std::string(v.setting->value_name), 17);
    if (v.found.Present()) result.out += Padded(TypeName(v.found.stored.type), 10) + HexBytes(v.found.stored.data);
    result.out += "\n";
    if (long_value) result.out += "           " + shown + "\n";
    for (const Note& note : v.notes) result.out += "           note: " + Printable(note.message) + "\n";
  }
  return result;
}

CommandResult ValidateCommand(Environment& environment) {
  CommandResult result;
  auto values = InspectKey(environment);
  if (!values) return KeyUnavailable();
  ReportInspection(*values, result.report);
  for (const InspectedValue& v : *values)
    for (const Note& note : v.notes)
      result.out +=
          std::string(v.setting->name) + " (" + std::string(v.setting->value_name) + "): " + Printable(note.message) + "\n";
  if (!result.out.empty()) {
    result.exit_code = kRefused;
    return result;
  }
  result.out = "valid\n";
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
  if (!file) return KeyUnavailable();
  if (path == "-") return {kDone, *file, "", true};
  if (!environment.files.Write(path, *file)) {
    std::string problem = environment.files.Problem();
    return {kFileFailed, "", "Cannot write the file " + std::string(path) + (problem.empty() ? "" : ": " + problem) + ".\n"};
  }
  return {kDone, "Exported " + ParametersKeyName() + " to " + std::string(path) + ".\n", ""};
}

}  // namespace korvex::cfg
