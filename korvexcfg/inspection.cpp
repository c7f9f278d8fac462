#include "inspection.h"

#include "ascii_text.h"

#include "headless.h"
#include "value_text.h"

#include <array>

#include "number_text.h"
#include "parameter_format.h"
#include "registry_file.h"
#include "setting_limits.h"
#include "settings_table.h"

namespace korvex::cfg {
namespace {

std::string Quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

void NoteText(InspectedValue& value, std::vector<Problem>& notes) {
  const std::string& bytes = value.found.stored.data;
  if (bytes.size() > kTextValueCapacity) {
    notes.push_back({"too-long", "longer than the " + IntegerText(static_cast<long long>(kMaxTextValueCharacters)) +
                    " characters the window reads: it counts as absent"});
    return;
  }
  std::string text;
  for (char c : bytes)
    if (c != '\0') text += c;
  if (bytes != text + '\0') notes.push_back({"misplaced-nul", "NUL bytes out of place: the window reads " + Quote(text)});
  switch (value.setting->kind) {
    case SettingKind::DiskType:
      if (text.empty())
        notes.push_back({"empty-disk-type", "empty: the window reads it as hard-disk"});
      else if (!ListIndexForDiskCode(text))
        notes.push_back({"unknown-disk-type", "no disk type the window knows (" + DiskKindList(&DiskKindInfo::stored_code) + ")"});
      break;
    case SettingKind::Letter:
      if (text.size() != 1 || text[0] < value.setting->low || text[0] > value.setting->high)
        notes.push_back({"not-a-letter", "not one letter from " + DriveLetterRange()});
      break;
    default:
      if (text.substr(0, kFilePathPrefix.size()) != kFilePathPrefix)
        notes.push_back({"no-prefix", "a path without the \\??\\ prefix: the window shows it without its first four characters"});
      break;
  }
}

void NoteNumber(InspectedValue& value, std::vector<Problem>& notes) {
  const std::string& bytes = value.found.stored.data;
  if (bytes.size() > 4) {
    notes.push_back({"too-long", IntegerText(static_cast<long long>(bytes.size())) + " bytes: the window cannot read it and counts it as absent"});
    return;
  }
  auto number = static_cast<std::int32_t>(DwordNumber(bytes));
  if (bytes.size() < 4)
    notes.push_back({"short-number", IntegerText(static_cast<long long>(bytes.size())) + " bytes: the window reads the number " +
                    IntegerText(number)});
  const Setting& setting = *value.setting;
  switch (setting.kind) {
    case SettingKind::OnOff:
      if (number != 0 && number != 1) notes.push_back({"not-on-off", IntegerText(number) + ": the window reads it as off"});
      break;
    case SettingKind::Megabytes: {
      double megabytes = MegabytesFromPages(number);
      if (number % kPagesPerMegabyte != 0) notes.push_back({"not-whole-megabytes", IntegerText(number) + " pages: not whole megabytes"});
      if (megabytes < setting.low || megabytes > setting.high)
        notes.push_back({"out-of-range", "outside the window's " + RangeText(setting.low, setting.high) + " MB"});
      break;
    }
    default:
      if (number < setting.low || number > setting.high)
        notes.push_back({"out-of-range", "outside the window's " + RangeText(setting.low, setting.high) + " seconds"});
      break;
  }
}

void NoteAnomalies(InspectedValue& value, const AnsiCharacters&) {
  std::vector<Problem>& notes = value.notes;
  const FoundValue& found = value.found;
  if (found.status == kNotFound) {
    notes.push_back({"absent", "absent"});
    return;
  }
  if (!found.Present()) {
    notes.push_back({"unreadable", "unreadable (error " + IntegerText(found.status) + ")"});
    return;
  }
  bool text = IsText(value.setting->kind);
  std::uint32_t expected = text ? kRegSz : kRegDword;
  if (found.stored.type != expected)
    notes.push_back({"wrong-type", "stored as " + TypeName(found.stored.type) + "; the window writes " + TypeName(expected)});
  if (text)
    NoteText(value, notes);
  else
    NoteNumber(value, notes);
}

}  // namespace

std::optional<Problem> ImagePathProblem(std::string_view path) {
  if (path.empty()) return Problem{"empty-path", "empty, while its image is loaded or saved"};
  // Typed in the registry's own form by a window that added the prefix again.
  if (path.substr(0, kFilePathPrefix.size()) == kFilePathPrefix)
    return Problem{"doubled-prefix", "the \\??\\ prefix twice: it names no file"};
  // The driver opens it at start, with no current folder: only C:\... or \\server\share\... will do.
  bool drive = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' && path[2] == '\\';
  bool unc = path.substr(0, 2) == "\\\\";
  if (!drive && !unc) return Problem{"relative-path", "not a full path (C:\\folder\\file or \\\\server\\share\\file)"};
  return std::nullopt;
}

std::vector<InspectedValue> Inspect(const FoundValues& state, const AnsiCharacters& ansi) {
  // The window's own load of this state shows what it makes of each value.
  HeadlessEditor window(state, ansi);
  Editor& editor = window.Model();
  StoredForms loaded = editor.CurrentForms();
  auto faithful = ShownFaithfully(state, ansi);

  std::vector<InspectedValue> values;
  for (const Setting& setting : kSettingsInFillOrder) {
    std::size_t index = IndexOf(setting);
    InspectedValue value{&setting, state[index], ShownValue(editor, setting), faithful[index], {}, {}, false};
    NoteAnomalies(value, ansi);
    bool typed = setting.kind == SettingKind::Megabytes || setting.kind == SettingKind::Seconds ||
                 setting.kind == SettingKind::Letter;
    value.retypable = typed && faithful[index] && !value.notes.empty();
    // A path only counts where its box is ticked, except a doubled prefix, which is never meant.
    if (setting.kind == SettingKind::Path && value.notes.empty()) {
      const Setting& box = kSettings[Index(setting.needs.begin()->setting)];
      auto problem = ImagePathProblem(ShownFilePath(value.found.stored.data.substr(0, value.found.stored.data.find('\0'))));
      if (problem && (problem->code == "doubled-prefix" || ShownValue(editor, box) == "on"))
        value.notes.push_back(*problem);
    }
    if (value.notes.empty() && !faithful[index]) value.notes.push_back({"not-shown-as-stored", "the window cannot show it as stored"});
    if (value.notes.empty() && loaded[index].value != value.found.stored && loaded[index].value) {
      value.corrected = loaded[index].value;
      value.notes.push_back({"corrected-on-load", "the window changes it to " + DescribeStored(setting, {0, *loaded[index].value}, ansi) +
                            " when it loads this key"});
    }
    values.push_back(std::move(value));
  }
  return values;
}

}  // namespace korvex::cfg
