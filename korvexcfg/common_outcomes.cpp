// The outcomes every command shares: a key, value or file that cannot be
// used, and the words for them.
#include "common_outcomes.h"

#include "ascii_text.h"
#include "number_text.h"
#include "settings_table.h"
#include "settings.h"

namespace korvex::cfg {

std::string ErrorText(const Environment& environment, long code) {
  std::string number = "error " + IntegerText(code);
  std::string text = environment.error_text ? environment.error_text(code) : "";
  return text.empty() || text == number ? number : text + " (" + number + ")";
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

CommandResult KeyUnavailable(const Environment& environment, RegistryStatus status) {
  std::string key = "The key " + ParametersKeyName();
  Problem problem{"key-unavailable", key + " cannot be opened: " + ErrorText(environment, status) + ".", ""};
  if (status == kNotFound)
    problem = {"key-missing", key + " is missing; korvexcfg never creates it (the driver's installation does).", ""};
  else if (status == kAccessDenied)
    problem = {"access-denied", problem.message + " " + std::string(kElevate), ""};
  CommandResult result{kKeyUnavailable, "", problem.message + "\n"};
  result.report.problems.push_back(problem);
  return result;
}

bool NoteUnreadable(const Environment& environment, const FoundValues& found, CommandResult& result) {
  std::size_t count = 0;
  RegistryStatus first = 0;
  bool one_reason = true;
  std::string lines;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    RegistryStatus status = found[index].status;
    if (status == 0 || status == kNotFound) continue;
    std::string reason = ErrorText(environment, status) + "." + (status == kAccessDenied ? " " + std::string(kElevate) : "");
    std::string message = "The value " + std::string(kSettings[index].value_name) + " cannot be read: " + reason;
    lines += message + "\n";
    result.report.problems.push_back({status == kAccessDenied ? "access-denied" : "unreadable", message,
                                      std::string(SettingOfValue(index).name)});
    one_reason = one_reason && (count == 0 || status == first);
    if (count++ == 0) first = status;
  }
  if (count == 0) return false;
  // A key whose values are all denied alike (a deny-read entry on it) is one problem to a reader, not ten.
  result.err += count == kValueCount && one_reason
                    ? "The values of the key " + ParametersKeyName() + " cannot be read: " + ErrorText(environment, first) +
                          "." + (first == kAccessDenied ? " " + std::string(kElevate) : "") + "\n"
                    : lines;
  result.exit_code = kKeyUnavailable;
  return true;
}

CommandResult FileFailed(const Environment& environment, std::string_view what, std::string_view path) {
  std::string problem = environment.files.Problem();
  std::string message = std::string(what) + " " + std::string(path) + (problem.empty() ? "" : ": " + problem) + ".";
  CommandResult result{kFileFailed, "", message + "\n"};
  result.report.problems.push_back({"file", message, ""});
  return result;
}

}  // namespace korvex::cfg
