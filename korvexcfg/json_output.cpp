#include "json_output.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ascii_text.h"
#include "inspection.h"
#include "save_report_text.h"
#include "value_text.h"
#include "number_text.h"
#include "parameter_format.h"
#include "registry_file.h"
#include "settings.h"
#include "stored_form.h"
#include "utf8.h"

namespace korvex::cfg {
namespace {

std::string Escaped(unsigned unit) {
  std::string out = "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += HexDigit(unit >> shift);
  return out;
}

std::string JsonNumber(double number) {
  if (!std::isfinite(number)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", number);
  return text;
}

std::string Nullable(const std::optional<std::string>& json) { return json.value_or("null"); }

// The value as the window reads it, typed by its setting; nothing where the
// window reads nothing.
std::optional<std::string> TypedValue(std::size_t index, const FoundValues& key, const AnsiCharacters& ansi) {
  ParameterSet read = WindowReading(key);
  const Setting& setting = kSettings[index];
  return std::visit(
      [&](auto field) -> std::optional<std::string> {
        const auto& value = read.*field;
        if (!value.present) return std::nullopt;
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, DwordValue>) {
          switch (setting.kind) {
            case SettingKind::OnOff: return value.number == 1 ? "true" : "false";
            case SettingKind::Megabytes: return JsonNumber(MegabytesFromPages(value.number));
            default: return IntegerText(value.number);
          }
        } else {
          if (setting.kind == SettingKind::DiskType) {
            std::string_view kind = DiskKindName(ListIndexForDiskCode(value.bytes).value_or(-1));
            if (!kind.empty()) return JsonString(kind);
          }
          return JsonString(ansi.FromAnsi(setting.kind == SettingKind::Path ? ShownFilePath(value.bytes) : value.bytes));
        }
      },
      kSettings[index].field);
}

// "present", "type", "bytes" and "value" of one found value.
std::string StoredFields(std::size_t index, const FoundValue& found, const AnsiCharacters& ansi) {
  FoundValues one;
  one[index] = found;
  std::string json = std::string("\"present\": ") + (found.Present() ? "true" : "false");
  json += ", \"type\": " + (found.Present() ? JsonString(TypeName(found.stored.type)) : "null");
  json += ", \"bytes\": " + (found.Present() ? JsonString(HexBytes(found.stored.data)) : "null");
  json += ", \"value\": " + Nullable(TypedValue(index, one, ansi));
  return json;
}

std::string Names(std::size_t index) {
  return "\"name\": " + JsonString(kSettings[index].value_name) + ", \"setting\": " +
         JsonString(kSettings[index].name);
}

std::string Values(const FoundValues& key, const AnsiCharacters& ansi) {
  auto faithful = ShownFaithfully(key, ansi);
  std::string json;
  for (std::size_t index = 0; index < kValueCount; ++index)
    json += std::string(index ? ",\n    " : "\n    ") + "{" + Names(index) + ", " + StoredFields(index, key[index], ansi) +
            ", \"faithful\": " + (faithful[index] ? "true" : "false") + "}";
  return "[" + json + (json.empty() ? "]" : "\n  ]");
}

std::string_view OutcomeName(ValueOutcome outcome, CommandReport::SaveKind kind) {
  switch (outcome) {
    case ValueOutcome::Planned: return kind == CommandReport::SaveKind::DryRun ? "would-write" : "differs";
    case ValueOutcome::Written: return "written";
    case ValueOutcome::Failed: return "failed";
    case ValueOutcome::NotWritten: return "not-written";
    case ValueOutcome::Refused: return "refused";
    case ValueOutcome::Left: return "left";
    case ValueOutcome::KeptChanged: return "kept-changed";
    default: return "";
  }
}

std::string Changes(const CommandReport& report, const AnsiCharacters& ansi) {
  std::string json;
  if (!report.save) return "[]";
  for (std::size_t index : kWriteOrder) {
    const ValueReport& value = report.save->values[index];
    std::string_view outcome = OutcomeName(value.outcome, report.save_kind);
    if (outcome.empty()) continue;
    std::string after = value.after ? "{" + StoredFields(index, {0, *value.after}, ansi) + "}" : "null";
    json += std::string(json.empty() ? "\n    " : ",\n    ") + "{" + Names(index) + ", \"outcome\": " +
            JsonString(outcome) + ", \"before\": {" + StoredFields(index, value.before, ansi) + "}, \"after\": " +
            after + ", \"error\": " + (value.error ? IntegerText(value.error) : "null") + "}";
  }
  return "[" + json + (json.empty() ? "]" : "\n  ]");
}

std::string Problems(const std::vector<Problem>& problems) {
  std::string json;
  for (const Problem& problem : problems)
    json += std::string(json.empty() ? "\n    " : ",\n    ") + "{\"code\": " + JsonString(problem.code) +
            ", \"message\": " + JsonString(problem.message) + ", \"setting\": " +
            (problem.setting.empty() ? "null" : JsonString(problem.setting)) + "}";
  return "[" + json + (json.empty() ? "]" : "\n  ]");
}

}  // namespace

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t c = utf8::Next(utf8, pos);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c < 0x10000) {
      out += Escaped(static_cast<unsigned>(c));
    } else {  // a surrogate pair
      char32_t v = c - 0x10000;
      out += Escaped(0xD800 + static_cast<unsigned>(v >> 10)) + Escaped(0xDC00 + static_cast<unsigned>(v & 0x3FF));
    }
  }
  return out + "\"";
}

std::string RenderInstance(const FoundValues& key, const AnsiCharacters& ansi, const std::array<bool, kValueCount>& shown,
                           std::string_view extra) {
  std::string json;
  for (const Setting& setting : kSettingsInFillOrder) {
    std::size_t index = IndexOf(setting);
    std::optional<std::string> value = shown[index] ? TypedValue(index, key, ansi) : std::nullopt;
    if (value) json += (json.empty() ? "" : ",") + JsonString(setting.property) + ":" + *value;
  }
  if (!extra.empty()) json += (json.empty() ? "" : ",") + std::string(extra);
  return "{" + json + "}";
}

std::string RenderJson(std::string_view command, const CommandResult& result, const Environment& environment) {
  const CommandReport& report = result.report;
  const AnsiCharacters& ansi = environment.ansi;
  bool changed = report.save && report.save_kind == CommandReport::SaveKind::Saved &&
                 std::ranges::any_of(report.save->values,
                                     [](const ValueReport& v) { return v.outcome == ValueOutcome::Written; });
  // What makes a value invalid (show, validate), then why the command failed.
  std::vector<Problem> problems;
  for (const InspectedValue& v : report.inspected)
    for (const Problem& note : v.notes)
      if (note.code != "unreadable")  // the key's reading names it, with the system's reason
        problems.push_back({note.code, note.message, std::string(v.setting->name)});
  problems.insert(problems.end(), report.problems.begin(), report.problems.end());
  if (report.save)
    for (Problem& problem : SaveProblems(*report.save, environment)) problems.push_back(std::move(problem));
  std::string json = "{\n  \"schema\": " + IntegerText(kJsonSchemaVersion) + ",\n  \"command\": " +
                     JsonString(command) + ",\n  \"exitCode\": " + IntegerText(result.exit_code) +
                     ",\n  \"changed\": " + (changed ? "true" : "false") + ",\n  \"restartRequired\": " +
                     (report.restart_required ? (*report.restart_required ? "true" : "false") : "null") +
                     ",\n  \"values\": " + (report.values ? Values(*report.values, ansi) : "[]") +
                     ",\n  \"changes\": " + Changes(report, ansi) + ",\n  \"problems\": " +
                     Problems(problems) + ",\n  \"warnings\": " + Problems(report.warnings) + "\n}\n";
  return json;
}

DscLines RenderDscLines(const CommandReport& report, const AnsiCharacters& ansi) {
  // Only the values that validate calls valid: any other has no place in the
  // instance's schema and is left out, saying why (DSC's trace).
  DscLines lines;
  std::array<bool, kValueCount> valid{};
  for (const InspectedValue& value : report.inspected) {
    valid[IndexOf(*value.setting)] = value.notes.empty();
    if (value.found.status == kNotFound) continue;  // absent: nothing to say
    for (const Problem& note : value.notes)
      lines.trace += std::string(value.setting->property) + " left out: " + std::string(value.setting->value_name) + ": " +
                     Printable(note.message) + "\n";
  }
  bool test = report.save && report.save_kind == CommandReport::SaveKind::Test;
  lines.out = RenderInstance(*report.values, ansi, valid,
                             !test ? "" : report.differs ? "\"_inDesiredState\":false" : "\"_inDesiredState\":true") + "\n";
  if (!report.save) return lines;
  // The properties whose values the change writes (or, for a test or a what-if, would write).
  std::string changed;
  for (const Setting& setting : kSettingsInFillOrder)
    if (ValueOutcome outcome = report.save->values[IndexOf(setting)].outcome;
        outcome == ValueOutcome::Planned || outcome == ValueOutcome::Written)
      changed += (changed.empty() ? "" : ",") + JsonString(setting.property);
  lines.out += "[" + changed + "]\n";
  return lines;
}

}  // namespace korvex::cfg
