// The outcomes every command shares: a key, value or file that cannot be
// used, and the words for them.
#include "common_outcomes.h"

#include "number_text.h"
#include "settings_table.h"

namespace korvex::cfg {

std::string ErrorText(const Environment& environment, long code) {
  std::string number = "error " + IntegerText(code);
  std::string text = environment.error_text ? environment.error_text(code) : "";
  return text.empty() || text == number ? number : text + " (" + number + ")";
}

std::string ParametersKeyName() { return "HKEY_LOCAL_MACHINE\\" + std::string(kParametersKeyPath); }

CommandResult Failed(int exit_code, Problem problem) {
  CommandResult result;
  result.exit_code = exit_code;
  result.report.problems.push_back(std::move(problem));
  return result;
}

CommandResult UsageError(std::string problem) {
  CommandResult result = Failed(kUsage, {"usage", std::move(problem)});
  result.report.usage = true;
  return result;
}

CommandResult KeyUnavailable(const Environment& environment, RegistryStatus status) {
  std::string key = "The key " + ParametersKeyName();
  if (status == kNotFound)
    return Failed(kKeyUnavailable, {"key-missing", key + " is missing; korvexcfg never creates it (the driver's installation does)."});
  std::string message = key + " cannot be opened: " + ErrorText(environment, status) + ".";
  if (status == kAccessDenied) return Failed(kKeyUnavailable, {"access-denied", message + " " + std::string(kElevate), "", status});
  return Failed(kKeyUnavailable, {"key-unavailable", message, "", status});
}

bool NoteUnreadable(const Environment& environment, const FoundValues& found, CommandResult& result) {
  bool unreadable = false;
  for (std::size_t index = 0; index < kValueCount; ++index) {
    RegistryStatus status = found[index].status;
    if (status == 0 || status == kNotFound) continue;
    std::string reason = ErrorText(environment, status) + "." + (status == kAccessDenied ? " " + std::string(kElevate) : "");
    result.report.problems.push_back({status == kAccessDenied ? "access-denied" : "unreadable",
                                      "The value " + std::string(kSettings[index].value_name) + " cannot be read: " + reason,
                                      std::string(kSettings[index].name), status});
    unreadable = true;
  }
  if (unreadable) result.exit_code = kKeyUnavailable;
  return unreadable;
}

CommandResult FileFailed(const Environment& environment, std::string_view what, std::string_view path) {
  std::string problem = environment.files.Problem();
  return Failed(kFileFailed, {"file", std::string(what) + " " + std::string(path) + (problem.empty() ? "" : ": " + problem) + "."});
}

}  // namespace korvex::cfg
